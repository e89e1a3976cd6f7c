// The option dialog: the data directories and the strain export format, on
// two pages of a tab strip.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

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

    // Fills the four path boxes and the format buttons from the work state
    // and shows the dialog.
    void entrysetfileform();

    // Asks for a file: (title, Qt filter, start directory) -> chosen path,
    // empty when cancelled. A file-open dialog by default; tests replace it.
    std::function<QString(const QString&, const QString&, const QString&)> chooseFile;

    // The rows of the paths page, in order: map, area, Seis-PC, VHYP.
    enum Row { MapRow = 0, AreaRow, SeisRow, VhypRow };
    QLineEdit* pathBox(Row row) const { return paths_[row]; }
    QPushButton* referButton(Row row) const { return refer_[row]; }

    // "OK": directories get a trailing '/', everything is stored, hidden.
    void okClicked();
    // "Refer....": choose a file to fill the row's box.
    void referClicked(Row row);

private:
    Workbench& wb_;
    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, 4> paths_{};
    std::array<QPushButton*, 4> refer_{};
    QRadioButton* format9_ = nullptr;
    QRadioButton* format4_ = nullptr;
};

// A directory text ready to have file names appended: a trailing '/' is
// added when missing. An empty text stays empty (it does not become the
// root directory).
QString withtrailingslash(const QString& dir);

}  // namespace crustex
