#include "files/datadirs.h"

#include <filesystem>
#include <system_error>

#include "files/appdir.h"
#include "geo/mapdatacheck.h"
#include "model/fsutil.h"
#include "model/workstate.h"

// The installation's data directory relative to its programs' directory
// (set by the build from the installation layout).
#ifndef CRUSTEX_DATA_FROM_BIN
#define CRUSTEX_DATA_FROM_BIN "../share/crustex"
#endif

namespace crustex {

namespace {

std::string withslash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

bool holdsmaps(const std::string& dir) {
    const std::string map = finddirnocase(dir, "map");
    return !map.empty() && !findfilenocase(map, kCoastFileName).empty();
}

const std::string* firstwithmaps(const std::vector<std::string>& dirs) {
    for (const std::string& dir : dirs)
        if (holdsmaps(dir)) return &dir;
    return nullptr;
}

}  // namespace

std::string installeddatadir(const std::string& programdir) {
    if (programdir.empty()) return {};
    return (std::filesystem::path(programdir) / CRUSTEX_DATA_FROM_BIN).lexically_normal().string();
}

bool installedprogram(const std::string& programdir) {
    return !programdir.empty() && holdsmaps(installeddatadir(programdir));
}

DataDirCandidates datadircandidates(const std::string& programdir, const std::string& builtin) {
    DataDirCandidates out;
    if (!programdir.empty()) {
        out.beside.push_back(programdir);
        std::filesystem::path dir = std::filesystem::path(programdir).lexically_normal();
        if (!dir.has_filename()) dir = dir.parent_path();  // a trailing '/'
        const std::filesystem::path parent = dir.parent_path();
        if (!parent.empty() && parent != dir) out.beside.push_back(parent.string());
        out.installed.push_back(installeddatadir(programdir));
    }
    if (!builtin.empty()) out.installed.push_back(builtin);
    return out;
}

std::string finddatadir(const DataDirCandidates& candidates) {
    const std::string* dir = firstwithmaps(candidates.beside);
    if (dir == nullptr) dir = firstwithmaps(candidates.installed);
    return dir != nullptr ? *dir : std::string();
}

DataDirs defaultdatadirs(const DataDirCandidates& candidates) {
    DataDirs d;
    const std::string* beside = firstwithmaps(candidates.beside);
    const std::string data = finddatadir(candidates);
    if (data.empty()) return d;
    d.mappath = withslash(finddirnocase(data, "map"));
    const std::string catalogues = finddirnocase(data, "data");
    if (!catalogues.empty()) d.vhyppath = findfilenocase(catalogues, kCatalogueFileName);
    const std::string area = finddirnocase(data, "area");
    const bool writable =
        beside != nullptr && (area.empty() ? directorywritable(data) : directorywritable(area));
    d.areapath = withslash(writable ? (area.empty() ? joinpath(data, "area") : area)
                                    : joinpath(userconfigdir(), "area"));
    return d;
}

}  // namespace crustex
