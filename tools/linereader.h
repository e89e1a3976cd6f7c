// Text input of the converters, read line by line from a stream so that a
// file of any size is converted in little memory: LF or CR LF line ends, a
// UTF-8 byte-order mark at the very start passed over, and a cap on the
// length of a line so that a file without line ends cannot fill the memory.
#pragma once

#include <cstddef>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace crustex::tools {

class LineReader {
public:
    LineReader(std::istream& in, std::size_t maxline);

    // The next line without its line end; false at the end of the input.
    // A line longer than the cap is cut to the cap (cut() says so) and the
    // rest of it passed over. The view lives until the next call.
    bool next(std::string_view& line);

    long number() const { return number_; }  // of the last line, from 1
    bool cut() const { return cut_; }

private:
    bool fill();

    std::istream& in_;
    std::size_t max_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    std::string line_;
    long number_ = 0;
    bool cut_ = false;
};

// Opens a converter's input: a regular file only (a FIFO or a device could
// keep the converter waiting for ever). False when it is none or cannot be
// opened.
bool openinput(const std::string& path, std::ifstream& in);

}  // namespace crustex::tools
