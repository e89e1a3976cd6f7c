// Output files that appear whole or not at all. Text outputs go through
// writefileatomic (files/atomicfile.h); outputs written by a library that
// wants a file name of its own (netCDF) write to a temporary name beside
// the output, which is renamed over it only when everything was written.
#pragma once

#include <string>

namespace crustex {

// Why an output cannot be written there, checked before any work: its
// directory is missing or not writable, or the name is a directory. Empty
// when the path looks writable.
std::string outputpathproblem(const std::string& path);

// A new empty temporary file beside `target`. Destroying it without a
// commit removes the temporary.
class TemporaryOutput {
public:
    explicit TemporaryOutput(std::string target);
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // False when the temporary could not be created.
    bool ok() const { return !path_.empty(); }
    // The temporary's name, to write to.
    const std::string& path() const { return path_; }
    // Gives the file ordinary permissions and renames it over the target.
    bool commit();

private:
    std::string target_;
    std::string path_;
    bool committed_ = false;
};

}  // namespace crustex
