// The main window's host: the Qt host with a hook that runs before every
// processEvents() call (tests measure how often the window gets to repaint
// and react during a long evaluation, and press keys at chosen moments), and
// the window's way of stopping long work when it is closed meanwhile.
#pragma once

#include <functional>

#include "ui/qthost.h"

namespace crustex {

class WindowHost : public QtHost {
public:
    using QtHost::QtHost;

    void processEvents() override {
        ++calls_;
        if (beforeProcessEvents) beforeProcessEvents(calls_);
        QtHost::processEvents();
        // Every turn of the work raises the abort request again, so that a
        // later step that clears it stops as well.
        if (closing && abortflag != nullptr) *abortflag = true;
    }

    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override {
        // Closing the window has already answered the abort question.
        if (closing && text == kAbortQuestion && title == kAbortTitle) return MsgAnswer::Ok;
        return QtHost::messageBox(text, title, icon, buttons);
    }

    // Set when the window was closed during long work: the work is asked to
    // stop (through *abortflag) and the window closes once it has.
    bool closing = false;
    bool* abortflag = nullptr;

    // Called with the 1-based number of the processEvents() call.
    std::function<void(int)> beforeProcessEvents;
    int processEventsCalls() const { return calls_; }

private:
    int calls_ = 0;
};

}  // namespace crustex
