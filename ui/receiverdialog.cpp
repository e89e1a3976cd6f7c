#include "ui/receiverdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/numtext.h"
#include "ui/workbench.h"

namespace crustex {

ReceiverDialog::ReceiverDialog(Workbench& wb, ReceiverChoice& choice, QWidget* parent)
    : QDialog(parent), wb_(wb), choice_(choice) {
    setObjectName("receiverform");
    setWindowTitle("Receiver Options");

    auto* rakeframe = new QGroupBox("Receivers without a Rake of their Own", this);
    auto* g = new QGridLayout(rakeframe);
    cffrake_ = new QCheckBox("Rake of the CFF Parameters", rakeframe);
    cffrake_->setObjectName("cffrakechk");
    g->addWidget(cffrake_, 0, 0, 1, 3);
    boxes_.add("receiverrake", addBoxRow(g, 1, "Rake Angle", "receiverraketxt", "degrees"));
    connect(cffrake_, &QCheckBox::toggled, this, [this](bool on) {
        QLineEdit* rake = boxes_.box("receiverrake");
        rake->setEnabled(!on);
        if (on) rake->setText(qstr(formatnumber(wb_.state().cffrake, "0.##")));
    });

    auto* splitframe = new QGroupBox("Patches of each Receiver", this);
    auto* s = new QGridLayout(splitframe);
    boxes_.add("receiveralong", addBoxRow(s, 0, "Along Strike", "receiveralongtxt", ""));
    boxes_.add("receiverdown", addBoxRow(s, 1, "Down Dip", "receiverdowntxt", ""));

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ReceiverDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rakeframe);
    layout->addWidget(splitframe);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ReceiverDialog::entry() {
    const float rake = choice_.rake.value_or(wb_.state().cffrake);
    boxes_.setText("receiverrake", formatnumber(rake, "0.##"));
    cffrake_->setChecked(!choice_.rake);
    boxes_.box("receiverrake")->setEnabled(choice_.rake.has_value());
    boxes_.setText("receiveralong", formatnumber(choice_.split.along, "0"));
    boxes_.setText("receiverdown", formatnumber(choice_.split.down, "0"));
    showModal(this);
}

bool ReceiverDialog::okClicked() {
    FieldValues values;
    if (!boxes_.checked(DialogKind::Receivers, values, wb_.host())) return false;
    ReceiverChoice chosen;
    chosen.split = {values.getint16("receiveralong"), values.getint16("receiverdown")};
    if (!cffrake_->isChecked()) chosen.rake = values.get("receiverrake");
    accept();
    if (chosen == choice_) return true;
    choice_ = chosen;
    wb_.drawPicture();
    return true;
}

}  // namespace crustex
