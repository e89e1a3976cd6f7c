#include "ui/visualdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/numtext.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

// Which boxes a scale type uses: "Main Contour", "Min. Value", "No. of
// Sub-Contour".
struct ScaleBoxes {
    bool cline, cminval, nsubline;
};
constexpr ScaleBoxes kScaleBoxes[3] = {
    {true, false, true},   // Linear
    {false, true, false},  // Semi-Log 1
    {false, true, true},   // Semi-Log 2
};

}  // namespace

VisualDialog::VisualDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("visualform");
    setWindowTitle("Visualization Parameters");

    // Frame "Contour".
    auto* contour = new QGroupBox("Contour", this);
    contour->setObjectName("contourframe");
    auto* cgrid = new QGridLayout(contour);
    boxes_.add("cline", addBoxRow(cgrid, 0, "Main Contour", "clinetxt", "micro str, mm..."));
    boxes_.add("nsubline", addBoxRow(cgrid, 1, "No. of Sub-Contour", "nsublinetxt", ""));
    boxes_.add("cminval", addBoxRow(cgrid, 2, "Min. Value", "cminvaltxt", ""));
    auto* scales = new QHBoxLayout;
    const char* captions[3] = {"Linear", "Semi-Log 1", "Semi-Log 2"};
    const char* names[3] = {"linearobt", "semilogobt", "semilogobt2"};
    for (int k = 0; k < 3; ++k) {
        scale_[k] = new QRadioButton(captions[k], contour);
        scale_[k]->setObjectName(names[k]);
        scales->addWidget(scale_[k]);
        connect(scale_[k], &QRadioButton::clicked, this, [this, k] { setScaleType(k); });
    }
    scales->addStretch(1);
    cgrid->addLayout(scales, 3, 0, 1, 3);
    peak_ = new QCheckBox("Show Peak Value", contour);
    peak_->setObjectName("peakvaluechk");
    cgrid->addWidget(peak_, 4, 0, 1, 3);
    boxes_.add("fsize", addBoxRow(cgrid, 5, "Font size", "fsizetxt", "points"));

    // Frame "Vector".
    auto* vector = new QGroupBox("Vector", this);
    vector->setObjectName("vectorframe");
    auto* vgrid = new QGridLayout(vector);
    boxes_.add("rdispl", addBoxRow(vgrid, 0, "Real Displacement of the Arrow", "rdispltxt", "mm"));
    boxes_.add("rtilt",
               addBoxRow(vgrid, 1, "Real Tilt Angle of the Arrow", "rtilttxt", "micro rad"));

    // Frame "Principal Strain".
    auto* principal = new QGroupBox("Principal Strain", this);
    principal->setObjectName("principalframe");
    auto* pgrid = new QGridLayout(principal);
    boxes_.add("rstrain",
               addBoxRow(pgrid, 0, "Real Strain of the Allow", "rstraintxt", "micro str"));

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &VisualDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &VisualDialog::reject);
    auto* buttons = buttonRow({ok, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(contour);
    layout->addWidget(vector);
    layout->addWidget(principal);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* VisualDialog::scaleButton(int scaletype) const {
    return scaletype >= 0 && scaletype < 3 ? scale_[scaletype] : nullptr;
}

void VisualDialog::entryvisualform() {
    const WorkState& ws = wb_.state();
    boxes_.setText("cline", formatnumber(ws.cline, "0.#######"));
    boxes_.setText("nsubline", formatnumber(ws.nsubline, "0"));
    boxes_.setText("cminval", formatnumber(ws.cminval, "0.########"));
    boxes_.setText("fsize", formatnumber(ws.fsize, "0.#"));
    boxes_.setText("rdispl", formatnumber(ws.rdispl, "0.####"));
    boxes_.setText("rtilt", formatnumber(ws.rtilt, "0.####"));
    boxes_.setText("rstrain", formatnumber(ws.rstrain, "0.####"));
    peak_->setChecked(ws.peakvalue);
    const int type = ws.scaletype >= 0 && ws.scaletype < 3 ? ws.scaletype : 0;
    scale_[type]->setChecked(true);
    enableForScale(type);
    showModal(this);
}

void VisualDialog::setScaleType(int scaletype) {
    wb_.state().scaletype = static_cast<int16_t>(scaletype);
    enableForScale(scaletype);
}

void VisualDialog::enableForScale(int scaletype) {
    const ScaleBoxes& e = kScaleBoxes[scaletype];
    boxes_.box("cline")->setEnabled(e.cline);
    boxes_.box("cminval")->setEnabled(e.cminval);
    boxes_.box("nsubline")->setEnabled(e.nsubline);
}

bool VisualDialog::okClicked() {
    FieldValues values;
    if (!boxes_.checked(DialogKind::Visualization, values, wb_.host())) return false;
    WorkState& ws = wb_.state();
    ws.cminval = values.get("cminval");
    ws.cline = values.get("cline");
    ws.nsubline = values.getint16("nsubline");
    ws.fsize = values.get("fsize");
    ws.rdispl = values.get("rdispl");
    ws.rtilt = values.get("rtilt");
    ws.rstrain = values.get("rstrain");
    for (int k = 0; k < 3; ++k) {
        if (scale_[k]->isChecked()) ws.scaletype = static_cast<int16_t>(k);
    }
    ws.peakvalue = peak_->isChecked();
    hide();
    return true;
}

void VisualDialog::reject() {
    wb_.drawOverlay();
    QDialog::reject();
}

}  // namespace crustex
