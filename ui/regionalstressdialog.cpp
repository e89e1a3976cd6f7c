#include "ui/regionalstressdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "compose/picture.h"
#include "model/numtext.h"
#include "stress/regionalstress.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

constexpr const char* kAxisNames[3] = {"s1", "s2", "s3"};
constexpr const char* kAxisCaptions[3] = {"Sigma 1", "Sigma 2", "Sigma 3"};
// The four values of an axis: field suffix and column caption.
constexpr const char* kParts[4] = {"azimuth", "plunge", "surface", "gradient"};
constexpr const char* kPartCaptions[4] = {"Azimuth (deg)", "Plunge (deg)", "Surface (bar)",
                                          "Gradient (bar/km)"};

std::string fieldof(int axis, int part) { return std::string(kAxisNames[axis]) + kParts[part]; }

float& partof(PrincipalStress& a, int part) {
    float* parts[4] = {&a.azimuth, &a.plunge, &a.surface, &a.gradient};
    return *parts[part];
}

}  // namespace

RegionalStressDialog::RegionalStressDialog(Workbench& wb, QWidget* parent)
    : QDialog(parent), wb_(wb) {
    setObjectName("regionalform");
    setWindowTitle("Regional Stress");

    given_ = new QCheckBox("Regional Stress Given (compression positive)", this);
    given_->setObjectName("givenchk");
    auto* frame = new QGroupBox("Principal Stresses", this);
    auto* g = new QGridLayout(frame);
    for (int part = 0; part < 4; ++part)
        g->addWidget(makeCaption(frame, kPartCaptions[part]), 0, part + 1);
    for (int axis = 0; axis < 3; ++axis) {
        g->addWidget(makeCaption(frame, kAxisCaptions[axis]), axis + 1, 0);
        for (int part = 0; part < 4; ++part) {
            const std::string field = fieldof(axis, part);
            QLineEdit* box = makeNumberBox(frame, qstr(field + "txt"));
            boxes_.add(field, box);
            g->addWidget(box, axis + 1, part + 1);
        }
    }
    connect(given_, &QCheckBox::toggled, this, &RegionalStressDialog::enableBoxes);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &RegionalStressDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(given_);
    layout->addWidget(frame);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RegionalStressDialog::enableBoxes(bool on) {
    for (int axis = 0; axis < 3; ++axis)
        for (int part = 0; part < 4; ++part) boxes_.box(fieldof(axis, part))->setEnabled(on);
}

void RegionalStressDialog::entry() {
    RegionalStress s = wb_.state().regionalstress;
    for (int axis = 0; axis < 3; ++axis)
        for (int part = 0; part < 4; ++part)
            boxes_.setText(fieldof(axis, part),
                           generalform(partof(s.axis[static_cast<std::size_t>(axis)], part)));
    given_->setChecked(s.given);
    enableBoxes(s.given);
    showModal(this);
}

bool RegionalStressDialog::okClicked() {
    RegionalStress s;
    s.given = given_->isChecked();
    if (s.given) {
        FieldValues values;
        if (!boxes_.checked(DialogKind::RegionalStress, values, wb_.host())) return false;
        for (int axis = 0; axis < 3; ++axis)
            for (int part = 0; part < 4; ++part)
                partof(s.axis[static_cast<std::size_t>(axis)], part) =
                    values.get(fieldof(axis, part));
        if (const std::string why = regionalstressproblem(s); !why.empty()) {
            boxes_.rejected(FormCheck::rejected("s1azimuth", why), wb_.host());
            return false;
        }
    } else {
        // The axes stay as they were, to be given again.
        s.axis = wb_.state().regionalstress.axis;
    }
    accept();
    WorkState& ws = wb_.state();
    if (s == ws.regionalstress) return true;
    ws.regionalstress = s;
    const QuantityInfo* q = findquantity(ws.quantitykey);
    if (q && !quantityoffered(ws, *q)) ws.quantitykey.clear();
    ws.quantitykey.empty() ? wb_.drawOverlay() : wb_.drawPicture();
    return true;
}

}  // namespace crustex
