// The host of the batch program: what the window shows in message boxes is
// printed on standard error, one line each, in the program's own words; the
// status strip becomes a progress line while the field grid takes long.
//
// Message boxes answer as a user who wants the work done would: OK, or Yes.
#pragma once

#include <chrono>
#include <cstdio>
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
};

}  // namespace crustex
