// Reporting a rejected dialog box.
#pragma once

#include "model/host.h"

class QLineEdit;

namespace crustex {

// Gives the box the focus, selects its whole text and shows "Input Error"
// (titled "Error", critical icon, OK) through the host. A null box only shows
// the message.
void inputerror(QLineEdit* box, Host& host);

}  // namespace crustex
