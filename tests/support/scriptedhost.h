// A host for tests: records every message, status text and busy change, and
// answers message boxes from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "model/host.h"

namespace crustex::test {

struct RecordedMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
};

class ScriptedHost : public Host {
public:
    // Answers given to the next message boxes, in order; when the script is
    // exhausted the box answers OK (or Yes for Yes/No boxes).
    std::deque<MsgAnswer> answers;
    // Called from every processEvents(), with its 1-based call number; tests
    // use it to press Ctrl-Q at a chosen moment.
    std::function<void(int)> onProcessEvents;
    // Called with every message box as it is shown.
    std::function<void(const RecordedMessage&)> onMessage;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> statuses;
    std::vector<bool> busyChanges;
    std::vector<bool> menuChanges;
    int processEventsCalls = 0;
    bool busy = false;
    bool menusEnabled = true;

    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (onMessage) onMessage(messages.back());
        if (!answers.empty()) {
            MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setBusy(bool b) override {
        busy = b;
        busyChanges.push_back(b);
    }
    void processEvents() override {
        ++processEventsCalls;
        if (onProcessEvents) onProcessEvents(processEventsCalls);
    }
    void enableMenus(bool enabled) override {
        menusEnabled = enabled;
        menuChanges.push_back(enabled);
    }

    std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
};

}  // namespace crustex::test
