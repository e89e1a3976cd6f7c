// The visualization dialog: contour interval and scale, label font size and
// the reference lengths of vectors and principal-strain crosses.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QCheckBox;
class QRadioButton;

namespace crustex {

class Workbench;

class VisualDialog : public QDialog {
    Q_OBJECT
public:
    VisualDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes from the work state and shows the dialog modally.
    void entryvisualform();

    // "OK": checks the seven boxes, stores them with the scale type and
    // "Show Peak Value", and hides; a rejected box keeps it open.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QRadioButton* scaleButton(int scaletype) const;

protected:
    // "Cancel" and closing the window: redraw the overlay and hide.
    void reject() override;

private:
    void setScaleType(int scaletype);  // an option button was chosen
    void enableForScale(int scaletype);

    Workbench& wb_;
    FormBoxes boxes_;
    QRadioButton* scale_[3] = {};
    QCheckBox* peak_ = nullptr;
};

}  // namespace crustex
