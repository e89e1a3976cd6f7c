#include "export/stderrhost.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "engine/cff.h"
#include "engine/fieldgrid.h"
#include "engine/siteeval.h"
#include "sites/siteglyphs.h"

namespace crustex {

namespace {

constexpr const char* kPrefix = "crustex-batch: ";

// The progress texts of the long loops; '*' stands for the mesh name of the
// topography ("1km", "250m").
constexpr std::string_view kProgressStatus[] = {
    kGridStrainStatus,
    kGridCffStatus,
    kSiteStrainStatus,
    kSiteCffStatus,
    kSiteVectorStatus,
    kSitePrincipalStatus,
    " Painting Background",
    " Filling Contour Bands(Ctrl-Q to Abort)",
    " Drawing Contours(Ctrl-Q to Abort)",
    " Drawing Vectors",
    " Drawing Principal Strains",
    " Drawing Map",
    " Reading Events",
    " Drawing Events(Ctrl+Q to Abort)",
    " Reading DEM file(*)....",
    " Drawing Color(*).... [Ctrl+Q to Abort]",
    " Drawing Contour(*).... [Ctrl+Q to Abort]",
};

bool matches(std::string_view text, std::string_view pattern) {
    const std::size_t star = pattern.find('*');
    if (star == std::string_view::npos) return text == pattern;
    const std::string_view head = pattern.substr(0, star), tail = pattern.substr(star + 1);
    return text.size() >= head.size() + tail.size() && text.starts_with(head) &&
           text.ends_with(tail);
}

bool isprogressstatus(std::string_view text) {
    for (std::string_view pattern : kProgressStatus)
        if (matches(text, pattern)) return true;
    return false;
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

StderrHost::StderrHost(std::FILE* out) : out_(out) { tty_ = ::isatty(::fileno(out)) == 1; }

MsgAnswer StderrHost::messageBox(const std::string& text, const std::string&, MsgIcon,
                                 MsgButtons buttons) {
    endprogress();
    if (!explained_.starts_with(text + ":")) report(text);
    explained_.clear();
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}

void StderrHost::explain(const std::string& text) {
    endprogress();
    report(text);
    explained_ = text;
}

void StderrHost::report(const std::string& text) {
    std::fprintf(out_, "%s%s\n", kPrefix, text.c_str());
    std::fflush(out_);
}

void StderrHost::setStatus(const std::string& text) {
    if (text == kGridStrainStatus) {
        evaluating_ = true;
        shown_ = false;
        lastsecond_ = -1;
        percent_ = -1;
        start_ = std::chrono::steady_clock::now();
        return;
    }
    endprogress();
    if (isprogressstatus(text)) return;
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos || !shownstatus_.insert(text.substr(start)).second) return;
    report(text.substr(start));
}

void StderrHost::processEvents() {
    if (!evaluating_) return;
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    if (elapsed < progressdelay) return;
    const long second = static_cast<long>(seconds(elapsed));
    if (!shown_) {
        std::fprintf(out_, "%sevaluating %s ...", kPrefix, label_.c_str());
        if (!tty_) std::fputc('\n', out_);
        shown_ = true;
    } else if (tty_ && second != lastsecond_) {
        std::fprintf(out_, "\r%sevaluating %s ... %ld s", kPrefix, label_.c_str(), second);
        if (percent_ >= 0) std::fprintf(out_, ", %d%%", percent_);
    }
    lastsecond_ = second;
    std::fflush(out_);
}

void StderrHost::showProgress(int done, int total) {
    if (evaluating_ && total > 0 && done >= 0)
        percent_ = static_cast<int>(100LL * std::min(done, total) / total);
}

void StderrHost::endprogress() {
    if (!evaluating_) return;
    evaluating_ = false;
    if (!shown_) return;
    const double s = seconds(std::chrono::steady_clock::now() - start_);
    if (tty_)
        std::fprintf(out_, "\r%sevaluating %s ... done in %.1f s\n", kPrefix, label_.c_str(), s);
    else
        std::fprintf(out_, "%s%s done in %.1f s\n", kPrefix, label_.c_str(), s);
    std::fflush(out_);
}

}  // namespace crustex
