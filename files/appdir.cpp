#include "files/appdir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
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
    // Opened without waiting, so that a FIFO with no writer cannot hold the
    // program; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::string data;
    char buf[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        data.append(buf, static_cast<std::size_t>(n));
        ok = data.size() <= maxbytes;
    }
    ::close(fd);
    if (!ok) return false;
    out = std::move(data);
    return true;
}

}  // namespace crustex
