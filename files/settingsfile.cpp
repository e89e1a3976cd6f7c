#include "files/settingsfile.h"

#include <utility>

#include "files/appdir.h"
#include "files/recordio.h"
#include "files/sourcefile.h"
#include "files/workfile.h"

namespace crustex {

WindowPlace* WindowPlaces::find(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return &place[i];
    return nullptr;
}

const WindowPlace* WindowPlaces::find(std::string_view name) const {
    return const_cast<WindowPlaces*>(this)->find(name);
}

bool WindowPlaces::hassize(std::string_view name) {
    return name == "mainform" || name == "obsform";
}

namespace {

bool readprinter(RecordReader& r, WorkState& ws) {
    int16_t xmargin = 0, ymargin = 0;
    bool bnw = false;
    if (!r.readint(xmargin) || !r.readint(ymargin) || !r.readbool(bnw)) return false;
    // The printer dialog's bounds; wider margins leave no page to print on.
    if (xmargin < 0 || xmargin > 100 || ymargin < 0 || ymargin > 100) return false;
    ws.xmargin = xmargin;
    ws.ymargin = ymargin;
    ws.bnwmode = bnw;
    return true;
}

bool readpath(RecordReader& r, std::string& target) {
    std::string path;
    if (!r.readtext(path)) return false;
    target = std::move(path);
    return true;
}

bool readplace(RecordReader& r, std::string_view name, WindowPlace& p) {
    WindowPlace v;
    if (!r.readfloat(v.left) || !r.readfloat(v.top)) return false;
    if (WindowPlaces::hassize(name) && (!r.readfloat(v.width) || !r.readfloat(v.height)))
        return false;
    if (!WindowPlaces::hassize(name)) {
        v.width = p.width;
        v.height = p.height;
    }
    v.found = true;
    p = v;
    return true;
}

}  // namespace

SettingsRead readsettings(WorkState& ws, WindowPlaces& places, const std::string& path) {
    if (!fileexists(path)) return SettingsRead::Missing;
    std::string content;
    if (!readwholefile(path, content)) return SettingsRead::Damaged;
    return readsettingstext(ws, places, std::move(content));
}

SettingsRead readsettingstext(WorkState& ws, WindowPlaces& places, std::string content) {
    RecordReader r(std::move(content));
    while (!r.atend()) {
        std::string keyword;
        if (!r.readtext(keyword)) return SettingsRead::Damaged;
        bool ok = true;
        if (keyword == "mappath") {
            ok = readpath(r, ws.mappath);
        } else if (keyword == "areapath") {
            ok = readpath(r, ws.areapath);
        } else if (keyword == "vhyppath") {
            ok = readpath(r, ws.vhyppath);
        } else if (keyword == "seispath") {
            ok = readpath(r, ws.seispath);
        } else if (keyword == "maparea") {
            ok = readmaparea(r, ws);
        } else if (keyword == "eventpara") {
            ok = readeventpara(r, ws);
        } else if (keyword == "cffpara") {
            ok = readcffpara(r, ws);
        } else if (keyword == "visualpara") {
            ok = readvisualpara(r, ws);
        } else if (keyword == "custompara") {
            ok = readcustompara(r, ws);
        } else if (keyword == "pubstyle") {
            ok = readpubstyle(r, ws);
        } else if (keyword == "printer") {
            ok = readprinter(r, ws);
        } else if (WindowPlace* p = places.find(keyword)) {
            ok = readplace(r, keyword, *p);
        }
        if (!ok) return SettingsRead::Damaged;
    }
    return SettingsRead::Read;
}

std::string settingstext(const WorkState& ws, const WindowPlaces& places) {
    RecordWriter w;
    w.plainline(kSettingsHeader);
    const std::pair<const char*, const std::string*> paths[] = {{"mappath", &ws.mappath},
                                                                {"areapath", &ws.areapath},
                                                                {"vhyppath", &ws.vhyppath},
                                                                {"seispath", &ws.seispath}};
    for (const auto& [key, value] : paths) {
        w.text(key);
        w.text(*value);
        w.endline();
    }
    writemaparea(w, ws);
    writeeventpara(w, ws);
    writecffpara(w, ws);
    writevisualpara(w, ws);
    writepubstyle(w, ws);
    writecustompara(w, ws);
    w.text("printer");
    w.integer(ws.xmargin);
    w.integer(ws.ymargin);
    w.boolean(ws.bnwmode);
    w.endline();
    for (std::size_t i = 0; i < WindowPlaces::kNames.size(); ++i) {
        const std::string_view name = WindowPlaces::kNames[i];
        const WindowPlace& p = places.place[i];
        w.text(name);
        w.number(p.left);
        w.number(p.top);
        if (WindowPlaces::hassize(name)) {
            w.number(p.width);
            w.number(p.height);
        }
        w.endline();
    }
    return w.str();
}

bool storesettings(const WorkState& ws, const WindowPlaces& places, Host& host,
                   const std::string& path) {
    return storetext(host, path, settingstext(ws, places));
}

}  // namespace crustex
