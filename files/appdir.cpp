#include "files/appdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/workstate.h"

namespace crustex {

namespace fs = std::filesystem;

std::string asciilower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

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

std::string appfiledir(const std::string& programdir) {
    if (directorywritable(programdir)) return programdir;
    const std::string dir = userconfigdir();
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string appfilepath(const std::string& programdir, const std::string& name) {
    return joinpath(appfiledir(programdir), name);
}

std::string appfileforreading(const std::string& programdir, const std::string& name) {
    const std::string own = appfilepath(programdir, name);
    if (fileexists(own)) return own;
    const std::string beside = joinpath(programdir, name);
    if (fileexists(beside)) return beside;
    return own;
}

bool fileexists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string findfilenocase(const std::string& dir, const std::string& name) {
    const std::string exact = joinpath(dir, name);
    if (fileexists(exact)) return exact;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? "." : dir, ec);
    if (ec) return "";
    const std::string want = asciilower(name);
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return "";
        if (asciilower(it->path().filename().string()) == want && it->is_regular_file(ec))
            return it->path().string();
    }
    return "";
}

bool readwholefile(const std::string& path, std::string& out, std::size_t maxbytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string data;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
        if (data.size() > maxbytes) return false;
    }
    if (in.bad()) return false;
    out = std::move(data);
    return true;
}

}  // namespace crustex
