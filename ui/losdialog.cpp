#include "ui/losdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/los.h"
#include "model/inputcheck.h"
#include "model/numtext.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

// The boxes by their work-state fields, in checking order.
constexpr const char* kFields[] = {"losheading", "losincidence", "loswavelength"};

}  // namespace

LosDialog::LosDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("losform");
    setWindowTitle("Line of Sight");

    auto* frame = new QGroupBox("Radar Satellite", this);
    frame->setObjectName("losframe");
    auto* g = new QGridLayout(frame);
    presetlist_ = new QComboBox(frame);
    presetlist_->setObjectName("presetlist");
    for (const LosPreset& p : kLosPresets) presetlist_->addItem(qstr(std::string(p.name)));
    g->addWidget(makeCaption(frame, "Orbit"), 0, 0);
    g->addWidget(presetlist_, 0, 1, 1, 2);
    boxes_.add("losheading",
               addBoxRow(g, 1, "Heading (clockwise from north)", "losheadingtxt", "degrees"));
    boxes_.add("losincidence", addBoxRow(g, 2, "Incidence Angle", "losincidencetxt", "degrees"));
    boxes_.add("loswavelength", addBoxRow(g, 3, "Wavelength", "loswavelengthtxt", "mm"));

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(presetlist_, &QComboBox::activated, this, &LosDialog::presetChosen);
    connect(ok, &QPushButton::clicked, this, &LosDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &LosDialog::reject);
}

void LosDialog::entrylosform() {
    const WorkState& ws = wb_.state();
    boxes_.setText("losheading", generalform(ws.losheading));
    boxes_.setText("losincidence", generalform(ws.losincidence));
    boxes_.setText("loswavelength", generalform(ws.loswavelength));
    int preset = -1;
    for (std::size_t k = 0; k < kLosPresets.size(); ++k) {
        if (kLosPresets[k].heading == ws.losheading && kLosPresets[k].incidence == ws.losincidence)
            preset = static_cast<int>(k);
    }
    filling_ = true;
    presetlist_->setCurrentIndex(preset);
    filling_ = false;
    showModal(this);
    boxes_.box("losheading")->setFocus();
}

void LosDialog::presetChosen(int index) {
    if (filling_ || index < 0 || index >= static_cast<int>(kLosPresets.size())) return;
    const LosPreset& p = kLosPresets[static_cast<std::size_t>(index)];
    boxes_.setText("losheading", generalform(p.heading));
    boxes_.setText("losincidence", generalform(p.incidence));
}

FormCheck LosDialog::readvalues(float& heading, float& incidence, float& wavelength) const {
    float* values[] = {&heading, &incidence, &wavelength};
    for (std::size_t k = 0; k < std::size(kFields); ++k) {
        if (!parsenumber(boxes_.text(kFields[k]), *values[k]))
            return FormCheck::rejected(kFields[k]);
    }
    // The first value the geometry refuses, each tried with valid others.
    const std::string why = losproblem(heading, incidence, wavelength);
    if (why.empty()) return FormCheck::accepted();
    const LosPreset& fine = kLosPresets[0];
    const char* bad = !losproblem(heading, fine.incidence, kDefaultWavelength).empty() ? kFields[0]
                      : !losproblem(fine.heading, incidence, kDefaultWavelength).empty()
                          ? kFields[1]
                          : kFields[2];
    return FormCheck::rejected(bad, why);
}

bool LosDialog::okClicked() {
    float heading = 0, incidence = 0, wavelength = 0;
    if (boxes_.rejected(readvalues(heading, incidence, wavelength), wb_.host())) return false;
    WorkState& ws = wb_.state();
    ws.losheading = heading;
    ws.losincidence = incidence;
    ws.loswavelength = wavelength;
    hide();
    if (ws.quantitykey == "los" || ws.quantitykey == "fringes")
        wb_.drawPicture();
    else
        wb_.drawOverlay();
    return true;
}

void LosDialog::reject() {
    QDialog::reject();
    wb_.drawOverlay();
}

}  // namespace crustex
