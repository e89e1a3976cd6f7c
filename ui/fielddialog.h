// The field dialog: the whole window's width, the data area and its grid,
// the depth of a horizontal field or the parameters of an inclined one.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QCheckBox;
class QPushButton;

namespace crustex {

class Workbench;
class PointAssistant;

class FieldDialog : public QDialog {
    Q_OBJECT
public:
    FieldDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes from the work state and shows the dialog modally.
    void entryfieldform();
    // Shows the dialog again after a pointing mode.
    void returnfieldform();

    // Results of the pointing modes: the data area ("0.#"), the inclined
    // field's reference point ("0.#") and strike ("0.##").
    void setFieldRect(float x0, float y0, float x1, float y1);
    void setInclinedReference(float x, float y);
    void setInclinedStrike(float degrees);

    // --- Buttons ---
    bool okClicked();
    bool applyClicked();
    void pointAreaClicked();       // mousebt
    void pointReferenceClicked();  // mousebt2
    void assistClicked();          // assistbt

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QCheckBox* inclinedBox() const { return inclined_; }
    PointAssistant* referenceAssistant() const { return assist3_; }

protected:
    // "Cancel" and closing the window: hide, redraw the overlay.
    void reject() override;

private:
    // Checks and stores the boxes; then fits the plot's field window to the
    // (possibly map-given) width. False after an input error.
    bool fixparam();
    void inclinedToggled(bool on);

    Workbench& wb_;
    FormBoxes boxes_;
    QCheckBox* inclined_ = nullptr;
    PointAssistant* assist3_ = nullptr;
};

}  // namespace crustex
