// The printer setting dialog: page margins and the black-and-white mode.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QCheckBox;

namespace crustex {

class Workbench;

class PrinterSettingDialog : public QDialog {
    Q_OBJECT
public:
    PrinterSettingDialog(Workbench& wb, QWidget* parent = nullptr);

    // Shows the margins (pattern "0") and the mode, modally.
    void entry();

    // "OK": checks the vertical, then the horizontal margin (0..100 mm),
    // stores both and the mode and closes; a rejected box keeps it open.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    Workbench& wb_;
    FormBoxes boxes_;
    QCheckBox* bnw_ = nullptr;
};

}  // namespace crustex
