#include "tools/linereader.h"

#include <algorithm>
#include <cstring>

#include "model/fsutil.h"

namespace crustex::tools {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(std::istream& in, std::size_t maxline)
    : in_(in), max_(maxline), buffer_(kChunk) {}

bool LineReader::fill() {
    if (!in_) return false;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    pos_ = 0;
    end_ = static_cast<std::size_t>(in_.gcount());
    return end_ > 0;
}

bool LineReader::next(std::string_view& line) {
    line_.clear();
    cut_ = false;
    bool any = false;  // a character of this line (or its end) was taken
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (!any) return false;
            break;
        }
        any = true;
        const char* from = buffer_.data() + pos_;
        const auto* nl = static_cast<const char*>(std::memchr(from, '\n', end_ - pos_));
        const std::size_t length = nl ? static_cast<std::size_t>(nl - from) : end_ - pos_;
        const std::size_t room = max_ - std::min(max_, line_.size());
        if (length > room) cut_ = true;
        line_.append(from, std::min(length, room));
        pos_ += length;
        if (nl) {
            ++pos_;
            break;
        }
    }
    ++number_;
    std::string_view text = line_;
    if (number_ == 1 && text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line = text;
    return true;
}

bool openinput(const std::string& path, std::ifstream& in) {
    if (!fileexists(path)) return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

}  // namespace crustex::tools
