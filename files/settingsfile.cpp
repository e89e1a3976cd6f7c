#include "files/settingsfile.h"

#include <cstdio>
#include <utility>

#include "files/appdir.h"
#include "files/atomicfile.h"
#include "files/recordio.h"
#include "files/sourcefile.h"
#include "files/workfile.h"
#include "files/workstressunit.h"

namespace crustex {

WindowPlace* WindowPlaces::find(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return &place[i];
    return nullptr;
}

const WindowPlace* WindowPlaces::find(std::string_view name) const {
    return const_cast<WindowPlaces*>(this)->find(name);
}

std::string* WindowPlaces::folder(std::string_view name) {
    for (std::size_t i = 0; i < kFolderNames.size(); ++i)
        if (kFolderNames[i] == name) return &folders[i];
    return nullptr;
}

bool WindowPlaces::hassize(std::string_view name) {
    return name == "mainform" || name == "obsform";
}

namespace {

RecordRead readprinter(RecordReader& r, WorkState& ws) {
    int16_t xmargin = 0, ymargin = 0;
    bool bnw = false;
    const bool read = r.readint(xmargin) && r.readint(ymargin) && r.readbool(bnw);
    // The printer dialog's bounds; wider margins leave no page to print on.
    const RecordRead got =
        recordread(read, xmargin >= 0 && xmargin <= 100 && ymargin >= 0 && ymargin <= 100);
    if (got != RecordRead::Applied) return got;
    ws.xmargin = xmargin;
    ws.ymargin = ymargin;
    ws.bnwmode = bnw;
    return got;
}

RecordRead readpath(RecordReader& r, std::string& target) {
    std::string path;
    if (!r.readtext(path)) return RecordRead::Broken;
    target = std::move(path);
    return RecordRead::Applied;
}

RecordRead readplace(RecordReader& r, std::string_view name, WindowPlace& p) {
    WindowPlace v;
    if (!r.readfloat(v.left) || !r.readfloat(v.top)) return RecordRead::Broken;
    if (WindowPlaces::hassize(name) && (!r.readfloat(v.width) || !r.readfloat(v.height)))
        return RecordRead::Broken;
    if (!WindowPlaces::hassize(name)) {
        v.width = p.width;
        v.height = p.height;
    }
    v.found = true;
    p = v;
    return RecordRead::Applied;
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
    bool refused = false;
    while (!r.atend()) {
        std::string keyword;
        if (!r.readtext(keyword)) return SettingsRead::Damaged;
        RecordRead got = RecordRead::Applied;
        if (keyword == "mappath") {
            got = readpath(r, ws.mappath);
        } else if (keyword == "areapath") {
            got = readpath(r, ws.areapath);
        } else if (keyword == "vhyppath") {
            got = readpath(r, ws.vhyppath);
        } else if (keyword == "seispath") {
            got = readpath(r, ws.seispath);
        } else if (const std::optional<RecordRead> shared = readsharedrecord(keyword, r, ws)) {
            got = *shared;
        } else if (keyword == "printer") {
            got = readprinter(r, ws);
        } else if (WindowPlace* p = places.find(keyword)) {
            got = readplace(r, keyword, *p);
        } else if (std::string* dir = places.folder(keyword)) {
            got = readpath(r, *dir);
        }
        if (got == RecordRead::Broken) return SettingsRead::Damaged;
        refused = refused || got == RecordRead::Refused;
    }
    return refused ? SettingsRead::Damaged : SettingsRead::Read;
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
    writestressunit(w, ws);
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
    for (std::size_t i = 0; i < WindowPlaces::kFolderNames.size(); ++i) {
        w.text(WindowPlaces::kFolderNames[i]);
        w.text(places.folders[i]);
        w.endline();
    }
    return w.str();
}

std::string settingsbackuppath(const std::string& path) { return path + ".bak"; }

bool storesettings(const WorkState& ws, const WindowPlaces& places, Host& host,
                   const std::string& path, bool keepold) {
    if (keepold && fileexists(path)) {
        // The real file moves, so that a link to it finds the new one.
        const std::string real = resolvetarget(path);
        if (real.empty() || std::rename(real.c_str(), settingsbackuppath(real).c_str()) != 0) {
            openerrormessage(host);
            return false;
        }
    }
    return storetext(host, path, settingstext(ws, places));
}

}  // namespace crustex
