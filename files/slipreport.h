// What the slip-model readers tell about a file: the lines they could not
// use and why, what they found, and, for a file that cannot be used at all,
// the reason. The summary is one line for the status strip or standard
// error:
//
//   "model.fsp: 1,024 patches"
//   "model.inp: 120 patches, 40 receivers, 2 point sources (Kode 400/500) left out,
//    3 skipped (line 17: dip 95 outside 0..90)"                  (one line)
//   "model.csv, line 1: no column slip_m"                         (a fatal error)
//   "model.fsp: no usable patch, 3 skipped (line 17: dip 95 outside 0..90)"
//
// A file that cannot be used leaves the caller's model as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace crustex {

// One message about a file: its line (0 for the file as a whole) and why.
struct ReadNote {
    std::size_t line = 0;
    std::string reason;

    bool operator==(const ReadNote&) const = default;
};

class ReadReport {
public:
    // At most this many notes are kept; further ones are only counted.
    static constexpr std::size_t kMaxNotes = 100;

    explicit ReadReport(std::string file = {}) : file_(std::move(file)) {}

    // A patch or element with unusable values, left out.
    void skip(std::size_t line, std::string reason);
    // Something worth telling that costs no patch.
    void note(std::size_t line, std::string reason);
    // The file cannot be used (the first reason given stays).
    void fail(std::size_t line, std::string reason);

    const std::string& file() const { return file_; }
    bool failed() const { return fatal_.has_value(); }
    std::size_t skipped() const { return skipped_; }
    const std::optional<ReadNote>& fatal() const { return fatal_; }
    const std::optional<ReadNote>& firstskip() const { return firstskip_; }
    // Notes in line order (the first kMaxNotes), and how many were dropped.
    const std::vector<ReadNote>& notes() const { return notes_; }
    std::size_t dropped() const { return dropped_; }

    // "12 skipped (line 17: dip 95 outside 0..90)", "" when none was.
    std::string skippedtext() const;
    // The one-line summary (see above): the fatal error, or the file's name,
    // what was found ("1,024 patches", "40 receivers", ...) and what was
    // skipped.
    std::string summary(const std::vector<std::string>& found) const;
    // Every note as "<file>, line N: reason" (and one line for the dropped).
    std::vector<std::string> messages() const;

private:
    void add(std::size_t line, std::string reason);

    std::string file_;
    std::vector<ReadNote> notes_;
    std::optional<ReadNote> fatal_;
    std::optional<ReadNote> firstskip_;
    std::size_t skipped_ = 0;
    std::size_t dropped_ = 0;
};

// "<file>, line N: reason", or "<file>: reason" for line 0.
std::string notetext(const std::string& file, const ReadNote& note);

// "1 patch", "1,024 patches".
std::string counted(std::size_t n, const char* one, const char* many);

}  // namespace crustex
