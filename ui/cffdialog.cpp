#include "ui/cffdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/cffform.h"
#include "model/numtext.h"
#include "ui/workbench.h"

namespace crustex {

CffDialog::CffDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("cffform");
    setWindowTitle("CFF Parameters");

    auto* frame = new QGroupBox("Fault Parameters to Evaluate", this);
    frame->setObjectName("receiverframe");
    auto* g = new QGridLayout(frame);
    faulttypelist_ = new QComboBox(frame);
    faulttypelist_->setObjectName("faulttypelist");
    for (const char* name : kFaultTypeNames) faulttypelist_->addItem(name);
    g->addWidget(makeCaption(frame, "Fault Type"), 0, 0);
    g->addWidget(faulttypelist_, 0, 1, 1, 2);
    boxes_.add("cffstrike", addBoxRow(g, 1, "Strike Angle", "cffstriketxt", "degrees"));
    QPushButton* mousebt = makeButton(frame, "Mouse", "mousebt");
    mousebt->setToolTip("Point out the strike on the plot");
    g->addWidget(mousebt, 1, 3);
    boxes_.add("cffdip", addBoxRow(g, 2, "Dip Angle", "cffdiptxt", "degrees"));
    boxes_.add("cffrake", addBoxRow(g, 3, "Rake Angle", "cffraketxt", "degrees"));
    boxes_.add("friction", addBoxRow(g, 4, "Internal Friction", "frictiontxt", ""));

    QPushButton* ok = makeButton(this, "OK", "okbt");
    applybt_ = makeButton(this, "Apply", "applybt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    auto* buttons = buttonRow({ok, applybt_, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Choosing an entry sets the rake, also when it is the entry already shown.
    connect(faulttypelist_, &QComboBox::currentIndexChanged, this, &CffDialog::faultTypeChosen);
    connect(faulttypelist_, &QComboBox::activated, this, &CffDialog::faultTypeChosen);
    connect(ok, &QPushButton::clicked, this, &CffDialog::okClicked);
    connect(applybt_, &QPushButton::clicked, this, &CffDialog::applyClicked);
    connect(cancel, &QPushButton::clicked, this, &CffDialog::reject);
    connect(mousebt, &QPushButton::clicked, this, &CffDialog::pointStrikeClicked);
}

void CffDialog::entrycffform() {
    const WorkState& ws = wb_.state();
    const CffFormText text = crustex::entrycffform(ws);
    writeboxes(boxes_, DialogKind::Cff, text);
    filling_ = true;
    faulttypelist_->setCurrentIndex(text.faulttype);
    filling_ = false;
    applybt_->setEnabled(cffapplyenabled(ws));
    showModal(this);
    boxes_.box("cffstrike")->setFocus();
}

void CffDialog::returncffform() { showModal(this); }

void CffDialog::setStrike(float degrees) {
    boxes_.setText("cffstrike", formatnumber(degrees, "0.##"));
}

void CffDialog::faultTypeChosen(int index) {
    if (filling_) return;
    if (const auto rake = raketextoffaulttype(index)) boxes_.setText("cffrake", *rake);
}

bool CffDialog::fixparam() {
    CffFormText text;
    readboxes(boxes_, DialogKind::Cff, text);
    text.faulttype = faulttypelist_->currentIndex();
    return !boxes_.rejected(crustex::fixparam(wb_.state(), text), wb_.host());
}

bool CffDialog::okClicked() {
    if (!fixparam()) return false;
    hide();
    wb_.drawOverlay();
    return true;
}

bool CffDialog::applyClicked() {
    if (!fixparam()) return false;
    wb_.drawPicture();
    return true;
}

void CffDialog::reject() {
    QDialog::reject();
    wb_.drawOverlay();
}

void CffDialog::pointStrikeClicked() {
    hide();
    wb_.startPointing(3, " Drag Mouse to Point out Strike Angle....");
}

}  // namespace crustex
