#include "tools/tiledirectory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "model/workstate.h"

namespace crustex::tools {

namespace {

bool writeall(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool TileDirectory::write(const std::string& name, std::string_view text) {
    // A name of this run's own; 0666 less the umask, as for any new file.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = joinpath(
            dir_, ".crustex-convert-" + std::to_string(::getpid()) + "-" + std::to_string(made_++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    const bool written = writeall(fd, text);
    if (::close(fd) == 0 && written && std::rename(temp.c_str(), joinpath(dir_, name).c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

bool TileDirectory::finish() {
    const int fd = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::syncfs(fd) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

}  // namespace crustex::tools
