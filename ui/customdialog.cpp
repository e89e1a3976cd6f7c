#include "ui/customdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/customform.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

struct Weight {
    const char* field;
    const char* caption;  // written after the box: the weight times ...
};

// Lays the weights out as "[box] *Ux + [box] *Uy + ...", `perrow` to a row,
// with the frame's "Exec." button at the end of the last row.
QPushButton* weightFrame(QGroupBox* frame, const Weight* weights, int count, int perrow,
                         const char* execname, FormBoxes& boxes) {
    auto* g = new QGridLayout(frame);
    for (int k = 0; k < count; ++k) {
        const int row = k / perrow, col = (k % perrow) * 2;
        QLineEdit* b = makeNumberBox(frame, QString(weights[k].field) + "txt", 70);
        boxes.add(weights[k].field, b);
        g->addWidget(b, row, col);
        g->addWidget(makeCaption(frame, weights[k].caption), row, col + 1);
    }
    QPushButton* exec = makeButton(frame, "Exec.", execname);
    g->addWidget(exec, (count - 1) / perrow, perrow * 2);
    return exec;
}

constexpr Weight kDisplacement[] = {{"fx", "*Ux +"}, {"fy", "*Uy +"}, {"fz", "*Uz"}};
constexpr Weight kStrain[] = {{"fxx", "*Sxx +"}, {"fyy", "*Syy +"}, {"fzz", "*Szz +"},
                              {"fxy", "*Sxy +"}, {"fyz", "*Syz +"}, {"fzx", "*Szx"}};

}  // namespace

CustomDialog::CustomDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("customform");
    setWindowTitle("Customize Composition");

    auto* displ = new QGroupBox("Displacement", this);
    displ->setObjectName("displframe");
    QPushButton* execd = weightFrame(displ, kDisplacement, 3, 3, "execdbt", boxes_);
    auto* strain = new QGroupBox("Strain", this);
    strain->setObjectName("strainframe");
    QPushButton* execs = weightFrame(strain, kStrain, 6, 3, "execsbt", boxes_);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    auto* buttons = buttonRow({ok, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(displ);
    layout->addWidget(strain);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(execd, &QPushButton::clicked, this, &CustomDialog::execDisplacementClicked);
    connect(execs, &QPushButton::clicked, this, &CustomDialog::execStrainClicked);
    connect(ok, &QPushButton::clicked, this, &CustomDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &CustomDialog::reject);
}

void CustomDialog::entryform() {
    writeboxes(boxes_, DialogKind::Custom, crustex::entryform(wb_.state()));
    showModal(this);
    boxes_.box("fx")->setFocus();
}

bool CustomDialog::fixparam() {
    CustomFormText text;
    readboxes(boxes_, DialogKind::Custom, text);
    return !boxes_.rejected(crustex::fixparam(wb_.state(), text), wb_.host());
}

bool CustomDialog::okClicked() {
    if (!fixparam()) return false;
    hide();
    return true;
}

bool CustomDialog::execute(const char* quantitykey) {
    if (!fixparam()) return false;
    wb_.state().quantitykey = quantitykey;
    hide();
    wb_.drawPicture();
    return true;
}

bool CustomDialog::execDisplacementClicked() { return execute("cmpdispl"); }
bool CustomDialog::execStrainClicked() { return execute("cmpstrain"); }

}  // namespace crustex
