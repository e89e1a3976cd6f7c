// The regional stress: three principal axes sigma1, sigma2, sigma3, each
// with its azimuth (degrees clockwise from north), plunge (degrees below
// the horizontal), magnitude at the surface (bar) and gradient (bar/km),
// compression positive. "delta CFF (optimal planes)" is offered only while
// one is given and usable.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QCheckBox;

namespace crustex {

class Workbench;

class RegionalStressDialog : public QDialog {
    Q_OBJECT
public:
    RegionalStressDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes from the work state and shows the dialog modally.
    void entry();
    // "OK": with "Given" checked, checks the twelve boxes and the axes
    // together (nearly perpendicular); stores and hides. A change redraws
    // the shown quantity ("delta CFF (optimal planes)" goes when it is no
    // longer offered). A rejected box keeps the dialog open and stores
    // nothing.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QCheckBox* given() const { return given_; }

private:
    void enableBoxes(bool on);

    Workbench& wb_;
    FormBoxes boxes_;
    QCheckBox* given_ = nullptr;
};

}  // namespace crustex
