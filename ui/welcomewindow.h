// The welcome window shown while the program starts. The main window closes
// it at the end of start-up; a click on any of its parts closes it earlier.
#pragma once

#include <QWidget>

namespace crustex {

class Workbench;

class WelcomeWindow : public QWidget {
    Q_OBJECT
public:
    WelcomeWindow(Workbench& wb, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace crustex
