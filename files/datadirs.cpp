#include "files/datadirs.h"

#include <filesystem>
#include <system_error>

#include "files/appdir.h"
#include "geo/mapdatacheck.h"
#include "model/fsutil.h"
#include "model/workstate.h"

namespace crustex {

namespace {

std::string withslash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

std::vector<std::string> datadircandidates(const std::string& programdir,
                                           const std::string& builtin) {
    std::vector<std::string> out;
    if (!programdir.empty()) {
        out.push_back(programdir);
        std::filesystem::path dir = std::filesystem::path(programdir).lexically_normal();
        if (!dir.has_filename()) dir = dir.parent_path();  // a trailing '/'
        const std::filesystem::path parent = dir.parent_path();
        if (!parent.empty() && parent != dir) out.push_back(parent.string());
    }
    if (!builtin.empty()) out.push_back(builtin);
    return out;
}

std::string finddatadir(const std::vector<std::string>& candidates) {
    for (const std::string& dir : candidates) {
        const std::string map = finddirnocase(dir, "map");
        if (!map.empty() && !findfilenocase(map, kCoastFileName).empty()) return dir;
    }
    return {};
}

DataDirs defaultdatadirs(const std::vector<std::string>& candidates) {
    DataDirs d;
    const std::string data = finddatadir(candidates);
    if (data.empty()) return d;
    d.mappath = withslash(finddirnocase(data, "map"));
    const std::string catalogues = finddirnocase(data, "data");
    if (!catalogues.empty()) d.vhyppath = findfilenocase(catalogues, kCatalogueFileName);
    const std::string area = finddirnocase(data, "area");
    const bool writable = area.empty() ? directorywritable(data) : directorywritable(area);
    d.areapath = withslash(writable ? (area.empty() ? joinpath(data, "area") : area)
                                    : joinpath(userconfigdir(), "area"));
    return d;
}

}  // namespace crustex
