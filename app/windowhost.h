// The main window's host: the Qt host with a hook that runs before every
// processEvents() call (tests measure how often the window gets to repaint
// and react during a long evaluation, and press keys at chosen moments).
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
    }

    // Called with the 1-based number of the processEvents() call.
    std::function<void(int)> beforeProcessEvents;
    int processEventsCalls() const { return calls_; }

private:
    int calls_ = 0;
};

}  // namespace crustex
