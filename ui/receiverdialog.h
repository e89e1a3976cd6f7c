// The receiver options: the rake of receivers that have none of their own
// (a .inp model's receivers, a CSV row without one) and how every receiver
// is split into patches along strike and down dip.
#pragma once

#include <QDialog>
#include <optional>

#include "stress/receiverpatches.h"
#include "ui/dialogkit.h"

class QCheckBox;

namespace crustex {

class Workbench;

// What the user chose: the split, and a rake of their own (none: the CFF
// dialog's rake applies).
struct ReceiverChoice {
    ReceiverSplit split;
    std::optional<float> rake;

    bool operator==(const ReceiverChoice&) const = default;
};

class ReceiverDialog : public QDialog {
    Q_OBJECT
public:
    ReceiverDialog(Workbench& wb, ReceiverChoice& choice, QWidget* parent = nullptr);

    // Fills the boxes from the choice (the CFF dialog's rake while the user
    // has none) and shows the dialog modally.
    void entry();
    // "OK": checks the boxes, stores the choice and hides; another choice
    // redraws the picture (which evaluates the receivers again). A
    // rejected box keeps the dialog open.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QCheckBox* cffRake() const { return cffrake_; }

private:
    Workbench& wb_;
    ReceiverChoice& choice_;
    FormBoxes boxes_;
    QCheckBox* cffrake_ = nullptr;
};

}  // namespace crustex
