#include "model/host.h"

namespace crustex {

void inputerrormessage(Host& host) {
    host.messageBox("Input Error", "Error", MsgIcon::Critical, MsgButtons::Ok);
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
