#include "model/host.h"

namespace crustex {

void inputerrormessage(Host& host) {
    host.messageBox("Input Error", "Error", MsgIcon::Critical, MsgButtons::Ok);
}

}  // namespace crustex
