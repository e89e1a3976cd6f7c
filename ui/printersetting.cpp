#include "ui/printersetting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/numtext.h"
#include "ui/workbench.h"

namespace crustex {

PrinterSettingDialog::PrinterSettingDialog(Workbench& wb, QWidget* parent)
    : QDialog(parent), wb_(wb) {
    setObjectName("setprnform");
    setWindowTitle("Printer Setting");

    auto* grid = new QGridLayout;
    auto* holder = new QWidget(this);
    holder->setLayout(grid);
    boxes_.add("xmargin", addBoxRow(grid, 0, "Horizontal Margin", "xmargintxt", "mm"));
    boxes_.add("ymargin", addBoxRow(grid, 1, "Vertical Margin", "ymargintxt", "mm"));
    // "&&" shows a single ampersand: the caption reads B&W Mode.
    bnw_ = new QCheckBox("B&&W Mode", holder);
    bnw_->setObjectName("bnwchk");
    grid->addWidget(bnw_, 2, 0, 1, 3);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PrinterSettingDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = buttonRow({ok, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(holder);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrinterSettingDialog::entry() {
    const WorkState& ws = wb_.state();
    boxes_.setText("xmargin", formatnumber(ws.xmargin, "0"));
    boxes_.setText("ymargin", formatnumber(ws.ymargin, "0"));
    bnw_->setChecked(ws.bnwmode);
    showModal(this);
    boxes_.box("xmargin")->setFocus();
}

bool PrinterSettingDialog::okClicked() {
    FieldValues values;
    if (!boxes_.checked(DialogKind::PrinterSetting, values, wb_.host())) return false;
    WorkState& ws = wb_.state();
    ws.ymargin = values.getint16("ymargin");
    ws.xmargin = values.getint16("xmargin");
    ws.bnwmode = bnw_->isChecked();
    accept();
    return true;
}

}  // namespace crustex
