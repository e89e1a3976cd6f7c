#include "model/fsutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

bool fileexists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool directoryexists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

namespace {

// The entry of dir named like name without regard to case that passes
// `kind`; "" when there is none.
template <class Kind>
std::string findnocase(const std::string& dir, const std::string& name, Kind kind) {
    const std::string exact = joinpath(dir, name);
    std::error_code ec;
    if (kind(fs::path(exact), ec)) return exact;
    fs::directory_iterator it(dir.empty() ? "." : dir, ec);
    if (ec) return "";
    const std::string want = asciilower(name);
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return "";
        if (asciilower(it->path().filename().string()) == want && kind(it->path(), ec))
            return it->path().string();
    }
    return "";
}

}  // namespace

std::string findfilenocase(const std::string& dir, const std::string& name) {
    return findnocase(dir, name, [](const fs::path& p, std::error_code& ec) {
        return fs::is_regular_file(p, ec);
    });
}

std::string finddirnocase(const std::string& dir, const std::string& name) {
    return findnocase(
        dir, name, [](const fs::path& p, std::error_code& ec) { return fs::is_directory(p, ec); });
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
