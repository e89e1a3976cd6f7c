// Replacing a file so that a failure never damages the old one: the new
// contents go to a temporary file beside the real target, which is then
// renamed over it.
//
// A symbolic link is followed to the file it names, so the link stays a link.
// A target that exists but is not a regular file (a FIFO, a device, a
// directory) or that the user may not write is refused. The replacement
// keeps the old file's permission bits (and its owner and group where the
// system allows it); a new file gets 0666 less the umask. The temporary name
// is short (".crustex-" with a key of the target's name and six random
// characters), so any name the directory can hold can be saved. Temporary
// files of the same target that a killed save left behind (also those named
// "<name>.tmp-" and six characters, as grids were once written) are removed
// when the next save of it starts, once they are a minute old: a save still
// running elsewhere keeps its own.
//
// A library that writes a file only by name writes the temporary file
// through temporaryname() and the replacement is committed as any other.
// The temporary files of the replacements under way are listed where a
// signal handler can remove them (removelivetemporaries).
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace crustex {

// The file a path leads to once symbolic links are followed (the last link's
// target when it names nothing yet); "" when the links loop or cannot be
// read.
std::string resolvetarget(const std::string& path);

// The path that every temporary file of the given (resolved) target starts
// with: its directory, "/.crustex-" and a 16-digit key of its name, "-".
std::string temporaryprefix(const std::string& target);

// Removes the temporary files of every replacement under way in this
// process. Safe in a signal handler: it only reads names formatted when
// the files were made and calls unlink.
void removelivetemporaries();

// One replacement: open, write in as many pieces as wanted (or let a
// library write temporaryname()), commit. Anything not committed is
// discarded, the old file untouched.
class AtomicWriter {
public:
    explicit AtomicWriter(const std::string& path);
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    // False when the target was refused or no temporary could be made, and
    // after any failed write.
    bool ok() const { return fd_ >= 0; }
    bool write(std::string_view text);
    // A name of the temporary file for a library that writes only by name:
    // /proc/self/fd/N, the open file itself, also in a child process, so a
    // late write never brings back a name a signal handler removed. Empty
    // unless ok().
    std::string temporaryname() const;
    // Flushes the data to the disk and puts the file in place. False (and
    // the old file untouched) on any failure.
    bool commit();

private:
    void discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    int liveslot_ = -1;
    bool existed_ = false;
    struct stat old_ {};
};

// The whole replacement at once; false on any failure.
bool writefileatomic(const std::string& path, std::string_view content);

}  // namespace crustex
