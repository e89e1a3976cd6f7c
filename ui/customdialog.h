// The custom composition dialog: the weights of the composite displacement
// and the composite strain, with an "Exec." button for each.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

namespace crustex {

class Workbench;

class CustomDialog : public QDialog {
    Q_OBJECT
public:
    CustomDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the nine weights ("0.#####") and shows the dialog modally.
    void entryform();

    // --- Buttons ---
    bool okClicked();
    // "Exec.": store, show "cmpdispl" / "cmpstrain", hide and draw.
    bool execDisplacementClicked();
    bool execStrainClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    bool fixparam();
    bool execute(const char* quantitykey);

    Workbench& wb_;
    FormBoxes boxes_;
};

}  // namespace crustex
