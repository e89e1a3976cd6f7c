#include "ui/printpage.h"

#include <QPrintDialog>
#include <QPrinter>

#include "model/host.h"

namespace crustex {

std::optional<QSizeF> chooseprinterpage(QPrinter& printer,
                                        const std::function<bool(QPrinter&)>& standin,
                                        QWidget* parent) {
    if (standin) {
        if (!standin(printer)) return std::nullopt;
    } else {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    }
    return printer.pageRect(QPrinter::Millimeter).size();
}

void reportnoprintroom(Host& host) {
    host.messageBox("Margins leave no room to print", "Error", MsgIcon::Critical, MsgButtons::Ok);
}

}  // namespace crustex
