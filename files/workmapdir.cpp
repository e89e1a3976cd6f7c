#include "files/workmapdir.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "geo/mapdatacheck.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

namespace fs = std::filesystem;

bool inside(const fs::path& path, const fs::path& dir) {
    return std::mismatch(dir.begin(), dir.end(), path.begin(), path.end()).first == dir.end();
}

// An ancestor of dir (or dir itself) whose "map" directory holds the coast
// file and the map directory `map`.
bool samedatatree(const fs::path& map, const fs::path& dir) {
    for (fs::path up = dir; !up.empty(); up = up.parent_path()) {
        const std::string data = finddirnocase(up.string(), "map");
        if (!data.empty() && !findfilenocase(data, kCoastFileName).empty() &&
            inside(map, realpathof(data)))
            return true;
        if (up == up.parent_path()) break;
    }
    return false;
}

}  // namespace

fs::path realpathof(const fs::path& path) {
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    if (ec) return {};
    fs::path real = fs::weakly_canonical(full, ec).lexically_normal();
    if (ec) return {};
    if (!real.has_filename() && real.has_relative_path()) real = real.parent_path();
    return real;
}

std::string mapdirforwork(const std::string& mappath, const std::string& workpath) {
    if (mappath.empty() || !directoryexists(mappath)) return "";
    const fs::path parent = fs::path(workpath).parent_path();
    const fs::path map = realpathof(mappath), work = realpathof(parent.empty() ? "." : parent);
    if (map.empty() || work.empty() || (!inside(map, work) && !samedatatree(map, work))) return "";
    const std::string relative = map.lexically_relative(work).generic_string();
    // A double quote or a line end would break the record.
    if (relative.empty() || relative.find_first_of("\"\r\n") != std::string::npos) return "";
    return relative + "/";
}

void writemapdir(RecordWriter& w, const std::string& path) {
    if (path.empty()) return;
    w.text(kMapDirKeyword);
    w.text(path);
    w.endline();
}

RecordRead readmapdir(RecordReader& r, WorkState& ws, Host& host,
                      const std::optional<std::string>& base) {
    std::string path;
    if (!r.readtext(path)) return RecordRead::Broken;
    if (!base) return RecordRead::Applied;
    const fs::path dir = fs::path(*base) / path;
    if (!directoryexists(dir.string())) {
        std::error_code ec;
        const fs::path shown = fs::absolute(dir, ec).lexically_normal();
        host.messageBox("Map File Directory not Exist: " + (ec ? dir : shown).string(), "Warning",
                        MsgIcon::Exclamation, MsgButtons::Ok);
        // Not an input error: the reading goes on with the current maps.
        return RecordRead::Applied;
    }
    const fs::path real = realpathof(dir);
    ws.mappath = (real.empty() ? dir : real).string();
    if (ws.mappath.back() != '/') ws.mappath += '/';
    return RecordRead::Applied;
}

}  // namespace crustex
