#include "model/host.h"

namespace crustex {

void inputerrormessage(Host& host) {
    host.messageBox("Input Error", "Error", MsgIcon::Critical, MsgButtons::Ok);
}

std::string explanation(const std::string& words, const std::string& file,
                        const std::string& reason) {
    std::string text = words;
    if (!file.empty()) text += ": " + file;
    if (!reason.empty()) text += ": " + reason;
    return text;
}

void inputerrormessage(Host& host, const std::string& file, const std::string& reason) {
    host.explain(explanation("Input Error", file, reason));
    inputerrormessage(host);
}

bool abortrequested(Host& host, bool& abortflag) {
    host.processEvents();
    if (!abortflag) return false;
    if (host.messageBox(kAbortQuestion, kAbortTitle, MsgIcon::Question, MsgButtons::OkCancel) ==
        MsgAnswer::Ok)
        return true;
    abortflag = false;
    return false;
}

}  // namespace crustex
