// The one way the core reaches the user: message boxes, the status strip,
// the busy pointer and letting pending window events run.
//
// The abort request lives in the work state (WorkState::abortflag); the
// window's key handler sets it while processEvents() runs.
#pragma once

#include <string>

namespace crustex {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Host {
public:
    virtual ~Host() = default;

    // Shows a modal message box and returns the button the user chose.
    virtual MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Replaces the text of the information strip ("" clears it).
    virtual void setStatus(const std::string& text) = 0;
    // Shows (true) or restores (false) the busy pointer.
    virtual void setBusy(bool busy) = 0;
    // Lets the window system process pending events (repaint, key presses).
    virtual void processEvents() = 0;
    // How far a long evaluation has come while its status text is shown:
    // `done` of `total` steps. A window may append a percentage to the
    // status text; the default shows nothing.
    virtual void showProgress(int done, int total) {
        (void)done;
        (void)total;
    }
    // Enables or disables the five top menus of the main window.
    virtual void enableMenus(bool enabled) = 0;
    // Tells why a message box that the program's own words leave bare comes
    // ("Input Error: work.wrk.txt: line 9 cannot be read"): on the status
    // strip, unless the host has a better place.
    virtual void explain(const std::string& text) { setStatus(text); }
};

// A host that shows nothing: message boxes answer OK (or Yes).
class SilentHost : public Host {
public:
    MsgAnswer messageBox(const std::string&, const std::string&, MsgIcon,
                         MsgButtons buttons) override {
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }
    void setStatus(const std::string&) override {}
    void setBusy(bool) override {}
    void processEvents() override {}
    void enableMenus(bool) override {}
};

// Helpers for the messages every part of the program shows.
void inputerrormessage(Host& host);  // "Input Error", titled "Error", critical icon
// The same after explaining it: "Input Error: ", the file (when one is
// named) and ": ", and the reason.
void inputerrormessage(Host& host, const std::string& file, const std::string& reason);
// "words: file: reason" (the file left out when empty), for Host::explain.
std::string explanation(const std::string& words, const std::string& file,
                        const std::string& reason);

// The question a long loop asks when abortflag is set, and its title.
inline constexpr const char* kAbortQuestion = "Abort?";
inline constexpr const char* kAbortTitle = "Ctrl-Q Pressed";

// The turn a long loop gives the window between two steps: lets pending
// events run (a Ctrl-Q sets abortflag meanwhile) and, when abortflag is set,
// asks "Abort?". Returns true when the user confirms (OK): the loop stops and
// abortflag stays set. Cancel clears abortflag and the loop goes on.
bool abortrequested(Host& host, bool& abortflag);

}  // namespace crustex
