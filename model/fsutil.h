// Small file-system helpers that every reader of the program's own and
// outside data files uses: existence of a regular file, names matched
// without regard to letter case, opening a data file, and reading a whole
// file with a size cap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

namespace crustex {

// True when path names an existing regular file.
bool fileexists(const std::string& path);

// True when path names an existing directory.
bool directoryexists(const std::string& path);

// The text with its ASCII capitals made small: file names and source-file
// keywords are compared this way.
std::string asciilower(std::string s);

// Path of the file in dir whose name equals name without regard to letter
// case ("VActive1.20" finds "vactive1.20"); "" when there is none.
std::string findfilenocase(const std::string& dir, const std::string& name);

// The same for a subdirectory of dir ("1KM" finds "1km"); "" when none.
std::string finddirnocase(const std::string& dir, const std::string& name);

// A data file opened for reading. Every reader opens its file through this:
// opening never waits (a FIFO without a writer would hold the program for
// ever), and only a regular file stays open; anything else (a FIFO, a
// device, a directory) is closed again at once, with the reason in error().
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    enum class Problem { None, Missing, NotRegular, Unreadable };

    bool isopen() const { return fd_ >= 0; }
    Problem problem() const { return problem_; }
    bool missing() const { return problem_ == Problem::Missing; }
    // Why the file is not open, in words for the user ("no such file", "not a
    // regular file (a FIFO)", ...); "" while it is open.
    const std::string& error() const { return error_; }
    // Size in bytes when the file was opened.
    int64_t size() const { return size_; }
    // Reads up to n bytes at offset into buf; the count read (less at the
    // file's end), or -1 on a read error or when the file is not open.
    int64_t readat(int64_t offset, void* buf, std::size_t n) const;
    // Reads the whole file into out; false, with the reason in *why when it
    // is given, when it is not open, cannot be read or is larger than
    // maxbytes.
    bool readall(std::string& out, std::size_t maxbytes, std::string* why = nullptr) const;

private:
    void refuse(Problem problem, std::string why);

    int fd_ = -1;
    int64_t size_ = 0;
    Problem problem_ = Problem::None;
    std::string error_;
};

// An input stream buffer over an open InputFile (seekable, read only), for
// readers that take a std::istream. The file must outlive the buffer.
class InputFileBuf : public std::streambuf {
public:
    explicit InputFileBuf(const InputFile& file) : file_(file) {}

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    const InputFile& file_;
    int64_t start_ = 0;  // file offset of the buffer's first byte
    char buf_[4096];
};

inline constexpr std::size_t kMaxDataFileBytes = 64u * 1024u * 1024u;

// "64 MiB", "1 MiB", "1024 bytes": a size cap in words.
std::string bytestext(std::size_t bytes);

// Reads a whole regular file through InputFile. False when the path names
// anything else (a FIFO, a device, a directory), or the file cannot be
// opened or read, or is larger than maxbytes; the reason then goes to *why
// when it is given.
bool readwholefile(const std::string& path, std::string& out,
                   std::size_t maxbytes = kMaxDataFileBytes, std::string* why = nullptr);

}  // namespace crustex
