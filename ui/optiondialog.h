// The option dialog: the data directories, the strain export format and the
// stress page (the unit stresses are shown in, and the medium's moduli), on
// three pages of a tab strip.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "ui/dialogkit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace crustex {

class Workbench;

class OptionDialog : public QDialog {
    Q_OBJECT
public:
    OptionDialog(Workbench& wb, QWidget* parent = nullptr);

    // Fills the four path boxes, the format buttons, the unit and the moduli
    // from the work state and shows the dialog.
    void entrysetfileform();

    // Asks for a file: (title, Qt filter, start directory) -> chosen path,
    // empty when cancelled. A file-open dialog by default; tests replace it.
    std::function<QString(const QString&, const QString&, const QString&)> chooseFile;

    // The rows of the paths page, in order: map, area, Seis-PC, VHYP.
    enum Row { MapRow = 0, AreaRow, SeisRow, VhypRow };
    QLineEdit* pathBox(Row row) const { return paths_[row]; }
    QPushButton* referButton(Row row) const { return refer_[row]; }

    // "OK": the moduli are checked (a rejected box shows the stress page and
    // keeps the dialog open); directories get a trailing '/', everything is
    // stored, hidden. A new medium marks the results stale; a new unit or
    // medium redraws the shown quantity.
    bool okClicked();

    QLineEdit* box(const std::string& field) const { return moduli_.box(field); }

    // "Refer....": choose a file to fill the row's box.
    void referClicked(Row row);

private:
    Workbench& wb_;
    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, 4> paths_{};
    std::array<QPushButton*, 4> refer_{};
    QRadioButton* format9_ = nullptr;
    QRadioButton* format4_ = nullptr;

    QWidget* stressPage_ = nullptr;
    std::array<QRadioButton*, 3> unit_{};  // 10E-6, bar, MPa
    FormBoxes moduli_;
    QLabel* shear_ = nullptr;  // the shear modulus of the boxes' moduli

    QWidget* buildStressPage();
    void showShearModulus();
};

// A directory text ready to have file names appended: a trailing '/' is
// added when missing. An empty text stays empty (it does not become the
// root directory).
QString withtrailingslash(const QString& dir);

}  // namespace crustex
