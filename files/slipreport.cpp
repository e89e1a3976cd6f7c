#include "files/slipreport.h"

#include "files/textscan.h"

namespace crustex {

void ReadReport::add(std::size_t line, std::string reason) {
    if (notes_.size() < kMaxNotes)
        notes_.push_back({line, std::move(reason)});
    else
        ++dropped_;
}

void ReadReport::skip(std::size_t line, std::string reason) {
    ++skipped_;
    if (!firstskip_) firstskip_ = ReadNote{line, reason};
    add(line, std::move(reason));
}

void ReadReport::note(std::size_t line, std::string reason) { add(line, std::move(reason)); }

void ReadReport::fail(std::size_t line, std::string reason) {
    if (!fatal_) fatal_ = ReadNote{line, std::move(reason)};
}

std::string ReadReport::skippedtext() const {
    if (skipped_ == 0) return {};
    std::string text = groupedcount(skipped_) + " skipped";
    if (firstskip_) {
        text += " (";
        if (firstskip_->line > 0) text += "line " + std::to_string(firstskip_->line) + ": ";
        text += firstskip_->reason + ")";
    }
    return text;
}

std::string ReadReport::summary(const std::vector<std::string>& found) const {
    if (fatal_) return notetext(file_, *fatal_);
    std::string text = file_ + ":";
    for (std::size_t i = 0; i < found.size(); ++i) text += (i == 0 ? " " : ", ") + found[i];
    if (skipped_ > 0) text += ", " + skippedtext();
    return text;
}

std::vector<std::string> ReadReport::messages() const {
    std::vector<std::string> lines;
    for (const ReadNote& n : notes_) lines.push_back(notetext(file_, n));
    if (dropped_ > 0) lines.push_back(file_ + ": " + groupedcount(dropped_) + " more messages");
    return lines;
}

std::string notetext(const std::string& file, const ReadNote& note) {
    if (note.line == 0) return file + ": " + note.reason;
    return file + ", line " + std::to_string(note.line) + ": " + note.reason;
}

std::string counted(std::size_t n, const char* one, const char* many) {
    return groupedcount(n) + " " + (n == 1 ? one : many);
}

}  // namespace crustex
