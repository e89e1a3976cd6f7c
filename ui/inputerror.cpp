#include "ui/inputerror.h"

#include <QLineEdit>

namespace crustex {

void inputerror(QLineEdit* box, Host& host) {
    if (box) {
        box->setFocus(Qt::OtherFocusReason);
        box->setSelection(0, static_cast<int>(box->text().size()));
    }
    inputerrormessage(host);
}

}  // namespace crustex
