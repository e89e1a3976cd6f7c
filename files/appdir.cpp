#include "files/appdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/datadirs.h"
#include "model/workstate.h"

namespace crustex {

namespace fs = std::filesystem;

std::string userconfigdir() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return joinpath(xdg, "crustex");
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return joinpath(joinpath(home, ".config"), "crustex");
    return "crustex";
}

bool directorywritable(const std::string& dir) {
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec)) return false;
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

namespace {

bool besideprogram(const std::string& programdir) {
    return directorywritable(programdir) && !installedprogram(programdir);
}

}  // namespace

std::string appfiledir(const std::string& programdir) {
    if (besideprogram(programdir)) return programdir;
    const std::string dir = userconfigdir();
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string appfilepath(const std::string& programdir, const std::string& name) {
    return joinpath(appfiledir(programdir), name);
}

std::string appfileforreading(const std::string& programdir, const std::string& name) {
    // Reading creates no directory.
    const std::string own =
        joinpath(besideprogram(programdir) ? programdir : userconfigdir(), name);
    if (fileexists(own)) return own;
    const std::string beside = joinpath(programdir, name);
    if (fileexists(beside)) return beside;
    return own;
}

}  // namespace crustex
