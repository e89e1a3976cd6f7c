// The host of the batch program: what the window shows in message boxes is
// printed on standard error, one line each, in the program's own words; the
// status strip becomes a progress line while the field grid takes long.
//
// The status strip carries two kinds of text. The progress texts of long
// loops (" Calcurating Strains(Ctrl-Q to Abort)", " Drawing Map", " Reading
// DEM file(1km)....", ...) say what is being done and are not printed. Any
// other text reports a problem or a count (a map file refused or damaged,
// topography over its limit, events left out, skipped volcano lines) and is
// printed as a line of its own, without the strip's leading blank, once per
// run however often the picture is drawn.
//
// Message boxes answer as a user who wants the work done would: OK, or Yes.
#pragma once

#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include "model/host.h"

namespace crustex {

class StderrHost : public Host {
public:
    // out: where the lines go (standard error in the program).
    explicit StderrHost(std::FILE* out = stderr);

    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    void setStatus(const std::string& text) override;
    void setBusy(bool) override {}
    void processEvents() override;
    // The share of the grid done, shown on a terminal's progress line
    // ("... 12 s, 37%").
    void showProgress(int done, int total) override;
    void enableMenus(bool) override {}
    // The explanation is printed in place of the bare message box that
    // follows it ("Input Error: w.wrk.txt: line 9 cannot be read").
    void explain(const std::string& text) override;

    // A line of the batch program's own ("crustex-batch: " and the text).
    void report(const std::string& text);
    // What the next grid evaluation is, for its progress line
    // ("the field grid, 251001 nodes, 20 sources").
    void setprogresslabel(std::string label) { label_ = std::move(label); }
    // The first progress line appears after this long.
    std::chrono::milliseconds progressdelay{1000};

private:
    void endprogress();

    std::FILE* out_;
    std::string explained_;  // the last explanation, until its box comes
    bool tty_ = false;
    std::string label_ = "the field grid";
    bool evaluating_ = false;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
    long lastsecond_ = -1;
    int percent_ = -1;                   // of the grid done, -1 while unknown
    std::set<std::string> shownstatus_;  // status messages printed so far
};

}  // namespace crustex
