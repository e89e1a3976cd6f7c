// The first steps of printing, shared by the picture and the site graph:
// the printer dialog (or the stand-in a test puts in its place) and the
// message for margins that leave no room on the page.
#pragma once

#include <QSizeF>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace crustex {

class Host;

// Sets the printer up through the printer dialog, or through `standin`
// when one is given. The printable page in millimetres, or nothing when
// the dialog was cancelled.
std::optional<QSizeF> chooseprinterpage(QPrinter& printer,
                                        const std::function<bool(QPrinter&)>& standin,
                                        QWidget* parent);

// "Margins leave no room to print", as an error.
void reportnoprintroom(Host& host);

}  // namespace crustex
