// The line-of-sight dialog: the radar satellite's heading and incidence
// angle, with the "Ascending" and "Descending" geometries as presets, and
// its wavelength, used by "LOS Displacement" and "Wrapped Fringes".
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QComboBox;

namespace crustex {

class Workbench;

class LosDialog : public QDialog {
    Q_OBJECT
public:
    LosDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes from the work state, selects the preset they match (no
    // entry when none) and shows the dialog modally.
    void entrylosform();

    // Checks the boxes (numbers, then the geometry as a whole) and stores
    // them; the picture is drawn again when it shows a line-of-sight
    // quantity. False, with nothing stored, after an input error.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }
    QComboBox* presetList() const { return presetlist_; }

protected:
    void reject() override;

private:
    void presetChosen(int index);
    // The boxes' values, or the rejected box and why.
    FormCheck readvalues(float& heading, float& incidence, float& wavelength) const;

    Workbench& wb_;
    FormBoxes boxes_;
    QComboBox* presetlist_ = nullptr;
    bool filling_ = false;
};

}  // namespace crustex
