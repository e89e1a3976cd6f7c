#include "files/arealist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "files/atomicfile.h"
#include "files/printform.h"
#include "files/recordio.h"
#include "model/fsutil.h"
#include "model/inputcheck.h"
#include "model/workstate.h"

namespace crustex {

namespace {

// Longest name or number field taken from the file, and the largest file.
constexpr std::size_t kMaxListField = 1024;
constexpr std::size_t kMaxListFile = 1024 * 1024;

bool isblank(char c) { return c == ' ' || c == '\t'; }
bool islineend(char c) { return c == '\r' || c == '\n'; }

// Fields in stream order: a text ends at a comma or a line end, a number
// also at a blank; blanks and line breaks before a field are skipped.
class ListReader {
public:
    explicit ListReader(std::string_view text) : s_(text) {
        // A byte-order mark that an editor put in front of the count.
        if (s_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    }

    // True when nothing but blanks and line ends is left.
    bool atend() {
        skipspace();
        return pos_ >= s_.size();
    }

    bool text(std::string& out) {
        skipspace();
        if (pos_ >= s_.size()) return false;
        std::size_t end;
        if (s_[pos_] == '"') {
            const std::size_t close = s_.find('"', pos_ + 1);
            end = close == std::string_view::npos ? s_.size() : close;
            out.assign(s_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = close == std::string_view::npos ? end : close + 1;
        } else {
            end = pos_;
            while (end < s_.size() && s_[end] != ',' && !islineend(s_[end])) ++end;
            std::size_t last = end;
            while (last > pos_ && isblank(s_[last - 1])) --last;
            out.assign(s_.substr(pos_, last - pos_));
            pos_ = end;
        }
        skipseparator();
        return out.size() <= kMaxListField;
    }

    bool number(float& out) {
        skipspace();
        std::size_t end = pos_;
        while (end < s_.size() && s_[end] != ',' && !isblank(s_[end]) && !islineend(s_[end])) ++end;
        const std::string_view field = s_.substr(pos_, end - pos_);
        pos_ = end;
        skipseparator();
        return field.size() <= kMaxListField && parserecordfloat(field, out);
    }

    bool integer(int16_t& out) {
        float v = 0;
        if (!number(v) || std::fabs(v) > 32767) return false;
        out = roundtoint16(v);
        return true;
    }

private:
    void skipspace() {
        while (pos_ < s_.size() && (isblank(s_[pos_]) || islineend(s_[pos_]))) ++pos_;
    }
    // One comma after the field (blanks before it allowed) belongs to it.
    void skipseparator() {
        std::size_t p = pos_;
        while (p < s_.size() && isblank(s_[p])) ++p;
        if (p < s_.size() && s_[p] == ',') pos_ = p + 1;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

std::string listfilepath(const std::string& areapath) {
    const std::string found = findfilenocase(areapath, kAreaListFileName);
    return found.empty() ? joinpath(areapath, kAreaListFileName) : found;
}

}  // namespace

std::vector<NamedArea> parsearealist(std::string_view text, bool* whole) {
    std::vector<NamedArea> list;
    ListReader r(text);
    if (whole != nullptr) *whole = r.atend();
    int16_t n = 0;
    if (!r.integer(n)) return list;
    const int count = std::clamp<int>(n, 0, kMaxNamedAreas);
    for (int k = 0; k < count; ++k) {
        NamedArea a;
        if (!r.text(a.name) || !r.number(a.flat1) || !r.number(a.flat2) || !r.number(a.flon1) ||
            !r.number(a.flon2) || !r.integer(a.nstep))
            return list;
        list.push_back(std::move(a));
    }
    if (whole != nullptr) *whole = n == count && r.atend();
    return list;
}

std::string arealisttext(const std::vector<NamedArea>& list) {
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    const std::size_t n = std::min(list.size(), std::size_t(kMaxNamedAreas));
    line(printform(float(n)));
    for (std::size_t k = 0; k < n; ++k) {
        const NamedArea& a = list[k];
        line(a.name.find(',') != std::string::npos ? "\"" + a.name + "\"" : a.name);
        line(printzones(printform(a.flat1), printform(a.flat2)));
        line(printzones(printform(a.flon1), printform(a.flon2)));
        line(printform(a.nstep));
    }
    return out;
}

std::vector<NamedArea> readarealist(const std::string& areapath) {
    const std::string path = findfilenocase(areapath, kAreaListFileName);
    std::string content;
    if (path.empty() || !readwholefile(path, content, kMaxListFile)) return {};
    return parsearealist(content);
}

namespace {

// True when the list file holds more than a reading takes from it: it is
// damaged midway, cut short, larger than the cap, lists more than 50
// entries or cannot be read. A missing file, or one that is no regular file
// (which the write refuses anyway), holds nothing to lose.
bool readinpart(const std::string& path) {
    const InputFile file(path);
    if (!file.isopen()) return file.problem() == InputFile::Problem::Unreadable;
    std::string content;
    if (!file.readall(content, kMaxListFile)) return true;
    bool whole = false;
    parsearealist(content, &whole);
    return !whole;
}

}  // namespace

bool savearealist(const std::string& areapath, const std::vector<NamedArea>& list) {
    if (areapath.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(areapath, ec);
    const std::string path = listfilepath(areapath);
    if (readinpart(path)) {
        // The real file moves, so that a link to it finds the new one.
        const std::string real = resolvetarget(path);
        if (real.empty() || std::rename(real.c_str(), (real + ".bak").c_str()) != 0) return false;
    }
    return writefileatomic(path, arealisttext(list));
}

std::string arealistname(std::string_view typed) {
    std::string name;
    for (char c : typed)
        if (c != '"' && static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) name += c;
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

AreaAdd addarea(std::vector<NamedArea>& list, NamedArea area) {
    area.name = arealistname(area.name);
    if (area.name.empty()) return AreaAdd::NoName;
    for (const NamedArea& a : list)
        if (a.name == area.name) return AreaAdd::Exists;
    if (list.size() >= std::size_t(kMaxNamedAreas)) return AreaAdd::Full;
    list.push_back(std::move(area));
    return AreaAdd::Added;
}

}  // namespace crustex
