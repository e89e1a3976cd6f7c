// The about box: the program's name, version and purpose; a click anywhere
// closes it.
#pragma once

#include <QDialog>

namespace crustex {

class Workbench;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Workbench& wb, QWidget* parent = nullptr);

    // Shows the box modally (without blocking the caller).
    void entryaboutform();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace crustex
