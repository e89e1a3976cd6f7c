// The receiver-fault dialog: strike, dip, rake and friction of the faults on
// which delta CFF is evaluated, with a list of fault types setting the rake.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QComboBox;
class QPushButton;

namespace crustex {

class Workbench;

class CffDialog : public QDialog {
    Q_OBJECT
public:
    CffDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes and the fault type from the work state and shows the
    // dialog modally; "Apply" only while delta CFF is displayed.
    void entrycffform();
    // Shows the dialog again after the strike was pointed out.
    void returncffform();
    // The pointed-out strike, written with "0.##".
    void setStrike(float degrees);

    // --- Buttons ---
    bool okClicked();
    bool applyClicked();
    void pointStrikeClicked();  // mousebt

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QComboBox* faultTypeList() const { return faulttypelist_; }

protected:
    // "Cancel" and closing the window: hide, redraw the overlay.
    void reject() override;

private:
    bool fixparam();
    void faultTypeChosen(int index);

    Workbench& wb_;
    FormBoxes boxes_;
    QComboBox* faulttypelist_ = nullptr;
    QPushButton* applybt_ = nullptr;
    bool filling_ = false;
};

}  // namespace crustex
