#include "files/atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

namespace crustex {

namespace {

// Links followed before the path counts as a loop (the system's own limit).
constexpr int kMaxLinks = 40;
// A temporary file untouched for this long belongs to no running save.
constexpr std::time_t kStaleSeconds = 60;

std::string dirof(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameof(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

// A new temporary file beside the target, created with 0666 so that the
// umask decides a new file's permissions.
int createtemporary(const std::string& prefix, std::string& name) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 pick(seed() ^ static_cast<unsigned>(::getpid()));
    std::uniform_int_distribution<std::size_t> which(0, sizeof kChars - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix;
        for (int k = 0; k < 6; ++k) name += kChars[which(pick)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncdirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Whether the file in the directory starts like a grid file that was being
// written (HDF5's signature), or is empty.
bool heldgridfile(int dir, const char* name) {
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    char head[8] = {};
    const ssize_t n = ::read(fd, head, sizeof head);
    ::close(fd);
    return n == 0 || (n == 8 && std::memcmp(head, "\x89HDF\r\n\x1a\n", 8) == 0);
}

// Removes the temporary files of the target that no save has touched for a
// while (those of a save that was killed): the prefix and six characters,
// and "<name>.tmp-" and six characters where such a file holds what a grid
// writer left.
void removestale(const std::string& target) {
    const std::string prefix = nameof(temporaryprefix(target));
    const std::string older = nameof(target) + ".tmp-";
    const std::string dir = dirof(target);
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return;
    const std::time_t now = std::time(nullptr);
    auto startswith = [](const std::string& name, const std::string& start) {
        return name.size() == start.size() + 6 && name.compare(0, start.size(), start) == 0;
    };
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        const bool ours = startswith(name, prefix);
        if (!ours && !startswith(name, older)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(d), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || now - st.st_mtime < kStaleSeconds) continue;
        if (ours || heldgridfile(::dirfd(d), name.c_str())) ::unlinkat(::dirfd(d), name.c_str(), 0);
    }
    ::closedir(d);
}

// The temporary files being written, for a signal handler: a slot is free
// (0), being filled (1) or holds a live name (2).
struct LiveTemporary {
    std::atomic<int> state{0};
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
constexpr int kLiveSlots = 16;
LiveTemporary live[kLiveSlots];

int addlive(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int k = 0; k < kLiveSlots; ++k) {
        int expected = 0;
        if (!live[k].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(live[k].path, path.c_str(), path.size() + 1);
        live[k].state.store(2);
        return k;
    }
    return -1;
}

void droplive(int& slot) {
    if (slot >= 0) live[slot].state.store(0);
    slot = -1;
}

}  // namespace

void removelivetemporaries() {
    for (LiveTemporary& t : live)
        if (t.state.load() == 2) ::unlink(t.path);
}

std::string resolvetarget(const std::string& path) {
    std::string p = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) return errno == ENOENT ? p : std::string();
        if (!S_ISLNK(st.st_mode)) return p;
        std::string to(4096, '\0');
        const ssize_t n = ::readlink(p.c_str(), to.data(), to.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) return "";
        to.resize(static_cast<std::size_t>(n));
        p = to.front() == '/' ? to : dirof(p) + "/" + to;
    }
    return "";
}

std::string temporaryprefix(const std::string& target) {
    // FNV-1a of the name: the same target always gets the same key.
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : nameof(target)) h = (h ^ c) * 1099511628211ull;
    char key[17];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(h));
    return dirof(target) + "/.crustex-" + key + "-";
}

AtomicWriter::AtomicWriter(const std::string& path) {
    if (path.empty()) return;
    target_ = resolvetarget(path);
    if (target_.empty()) return;
    if (::stat(target_.c_str(), &old_) == 0) {
        if (!S_ISREG(old_.st_mode) || ::access(target_.c_str(), W_OK) != 0) return;
        existed_ = true;
    } else if (errno != ENOENT) {
        return;
    }
    removestale(target_);
    // A signal between the creation and the listing would leave the file
    // behind: the two happen with the ending signals held back.
    sigset_t ending, before;
    sigemptyset(&ending);
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, s);
    pthread_sigmask(SIG_BLOCK, &ending, &before);
    fd_ = createtemporary(temporaryprefix(target_), temp_);
    if (fd_ >= 0) liveslot_ = addlive(temp_);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

AtomicWriter::~AtomicWriter() { discard(); }

void AtomicWriter::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temp_.c_str());
    droplive(liveslot_);
    fd_ = -1;
}

std::string AtomicWriter::temporaryname() const {
    return fd_ >= 0 ? "/proc/self/fd/" + std::to_string(fd_) : std::string();
}

bool AtomicWriter::write(std::string_view text) {
    if (fd_ < 0) return false;
    if (writeall(fd_, text)) return true;
    discard();
    return false;
}

bool AtomicWriter::commit() {
    if (fd_ < 0) return false;
    bool ok = ::fsync(fd_) == 0;
    if (ok && existed_) {
        // The owner and group where the system allows it, then the old
        // permission bits (a change of owner may clear set-id bits).
        if (::fchown(fd_, old_.st_uid, old_.st_gid) != 0) {
            [[maybe_unused]] const int kept = ::fchown(fd_, static_cast<uid_t>(-1), old_.st_gid);
        }
        ok = ::fchmod(fd_, old_.st_mode & 07777) == 0;
    }
    const int fd = fd_;
    fd_ = -1;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) ::unlink(temp_.c_str());
    droplive(liveslot_);
    if (ok) syncdirectory(dirof(target_));
    return ok;
}

bool writefileatomic(const std::string& path, std::string_view content) {
    AtomicWriter w(path);
    return w.write(content) && w.commit();
}

}  // namespace crustex
