// The "Event Parameters" dialog: the time window, depth range and magnitude
// range of the earthquakes plotted on the map. The map dialog's "Set...."
// button opens it with entryeventform(); OK checks the boxes and stores the
// six values in the work state (it does not read the catalogue: the map
// dialog's OK does). Cancel stores nothing.
#pragma once

#include <QDialog>

#include "ui/dialogkit.h"

class QLineEdit;

namespace crustex {

class Workbench;

class EventDialog : public QDialog {
    Q_OBJECT
public:
    explicit EventDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the boxes from the work state and shows the dialog modally
    // without blocking the caller.
    void entryeventform();

    // OK: true when every box was accepted and the values were stored (the
    // dialog is hidden); false after "Input Error" on the rejected box, with
    // the dialog still open.
    bool okClicked();

    // The box by its name without "txt" ("yr0", "dep1", ...).
    QLineEdit* box(const std::string& field) const { return boxes_.box(field); }

private:
    Workbench& wb_;
    FormBoxes boxes_;
};

}  // namespace crustex
