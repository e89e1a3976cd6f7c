#include "model/fsutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

namespace {

std::string kindof(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

}  // namespace

void InputFile::refuse(Problem problem, std::string why) {
    problem_ = problem;
    error_ = std::move(why);
}

InputFile::InputFile(const std::string& path) {
    if (path.empty()) {
        refuse(Problem::Missing, "no such file");
        return;
    }
    // Opened without waiting: a FIFO opens at once here instead of holding
    // the program until a writer comes. The kind is then taken from the open
    // file itself, so nothing can be swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            refuse(Problem::Missing, "no such file");
        else
            refuse(Problem::Unreadable, std::generic_category().message(errno));
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        refuse(Problem::Unreadable, std::generic_category().message(errno));
        ::close(fd);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        refuse(Problem::NotRegular, "not a regular file (" + kindof(st.st_mode) + ")");
        ::close(fd);
        return;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    fd_ = fd;
    size_ = st.st_size;
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

int64_t InputFile::readat(int64_t offset, void* buf, std::size_t n) const {
    if (fd_ < 0 || offset < 0) return -1;
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, static_cast<char*>(buf) + got, n - got,
                                  static_cast<off_t>(offset + static_cast<int64_t>(got)));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    return static_cast<int64_t>(got);
}

InputFileBuf::int_type InputFileBuf::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const int64_t next = start_ + (egptr() - eback());
    const int64_t n = file_.readat(next, buf_, sizeof buf_);
    if (n <= 0) return traits_type::eof();
    start_ = next;
    setg(buf_, buf_, buf_ + n);
    return traits_type::to_int_type(*gptr());
}

InputFileBuf::pos_type InputFileBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                             std::ios_base::openmode which) {
    const int64_t here = start_ + (gptr() - eback());
    const int64_t base = dir == std::ios_base::beg   ? 0
                         : dir == std::ios_base::cur ? here
                                                     : file_.size();
    return seekpos(pos_type(off_type(base + off)), which);
}

InputFileBuf::pos_type InputFileBuf::seekpos(pos_type pos, std::ios_base::openmode which) {
    const int64_t to = static_cast<int64_t>(off_type(pos));
    if (!(which & std::ios_base::in) || to < 0 || !file_.isopen()) return pos_type(off_type(-1));
    start_ = to;
    setg(buf_, buf_, buf_);
    return pos;
}

std::string bytestext(std::size_t bytes) {
    constexpr std::size_t kMiB = 1024u * 1024u;
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

bool InputFile::readall(std::string& out, std::size_t maxbytes, std::string* why) const {
    const auto fail = [why](std::string reason) {
        if (why != nullptr) *why = std::move(reason);
        return false;
    };
    if (!isopen()) return fail(error_);
    const std::string toolarge = "larger than " + bytestext(maxbytes);
    if (static_cast<uint64_t>(size_) > maxbytes) return fail(toolarge);
    std::string data;
    char buf[65536];
    for (;;) {
        const int64_t n = readat(static_cast<int64_t>(data.size()), buf, sizeof buf);
        if (n < 0) return fail(std::generic_category().message(errno));
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
        // The file may have grown since it was opened.
        if (data.size() > maxbytes) return fail(toolarge);
    }
    out = std::move(data);
    return true;
}

bool readwholefile(const std::string& path, std::string& out, std::size_t maxbytes,
                   std::string* why) {
    return InputFile(path).readall(out, maxbytes, why);
}

}  // namespace crustex
