#include "files/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace crustex {

namespace {

bool writeall(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool writefileatomic(const std::string& path, std::string_view content) {
    if (path.empty()) return false;
    std::vector<char> tmpl(path.begin(), path.end());
    const std::string suffix = ".tmp-XXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return false;
    const std::string tmp(tmpl.data());
    bool ok = writeall(fd, content) && ::fsync(fd) == 0;
    // The temporary is created private; the file keeps ordinary permissions.
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool writefileplain(const std::string& path, std::string_view content) {
    if (path.empty()) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = writeall(fd, content);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

}  // namespace crustex
