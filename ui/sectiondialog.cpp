#include "ui/sectiondialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ui/locationassistants.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

// The point boxes: their field names in km and in degrees.
struct PointBox {
    const char* km;
    const char* geo;
    const char* name;
};
constexpr PointBox kPointBoxes[] = {{"x0", "lat0", "x0txt"},
                                    {"y0", "lon0", "y0txt"},
                                    {"x1", "lat1", "x1txt"},
                                    {"y1", "lon1", "y1txt"}};

}  // namespace

SectionDialog::SectionDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("sectionform");
    setWindowTitle("Cross Section");

    auto* line = new QGroupBox("Line of the Section", this);
    auto* g = new QGridLayout(line);
    for (int k = 0; k < 4; ++k) {
        const int row = k + k / 2;  // a heading row above each point
        captions_[k] = makeCaption(line, {});
        QLineEdit* box = makeNumberBox(line, kPointBoxes[k].name);
        captions_[k]->setBuddy(box);
        units_[k] = makeCaption(line, {});
        g->addWidget(captions_[k], row + 1, 0);
        g->addWidget(box, row + 1, 1);
        g->addWidget(units_[k], row + 1, 2);
        boxes_.add(kPointBoxes[k].km, box);
        boxes_.add(kPointBoxes[k].geo, box);
    }
    g->addWidget(makeCaption(line, "First Point"), 0, 0, 1, 3);
    g->addWidget(makeCaption(line, "Second Point"), 3, 0, 1, 3);
    QPushButton* pick = makeButton(line, "Pick on Map", "pickbt");
    pick->setToolTip("Drag the line on the plot");
    g->addWidget(pick, 6, 0, 1, 3);

    auto* range = new QGroupBox("Depth and Spacing", this);
    auto* r = new QGridLayout(range);
    boxes_.add("top", addBoxRow(r, 0, "Depth from", "toptxt", "km"));
    boxes_.add("bottom", addBoxRow(r, 1, "Depth to", "bottomtxt", "km"));
    boxes_.add("step", addBoxRow(r, 2, "Spacing", "steptxt", "km"));
    boxes_.add("within", addBoxRow(r, 3, "Earthquakes within", "withintxt", "km"));

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line);
    layout->addWidget(range);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &SectionDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &SectionDialog::reject);
    connect(pick, &QPushButton::clicked, this, &SectionDialog::pickClicked);
}

std::optional<SectionGeo> SectionDialog::geo() const {
    if (!geographic_) return std::nullopt;
    return SectionGeo{wb_.projection(), wb_.plot().frame};
}

void SectionDialog::showPoints(const SectionFormText& t) {
    const std::string* texts[] = {&t.p0a, &t.p0b, &t.p1a, &t.p1b};
    for (int k = 0; k < 4; ++k) {
        const bool lat = k % 2 == 0;
        captions_[k]->setText(geographic_ ? (lat ? "Latitude" : "Longitude") : (lat ? "X" : "Y"));
        units_[k]->setText(geographic_ ? "degrees" : "km");
        boxes_.setText(kPointBoxes[k].km, *texts[k]);
    }
}

void SectionDialog::entry() {
    geographic_ = wb_.state().needmap && readyprojection(wb_);
    const SectionFormText t = sectionformtext(proposesection(wb_.state(), last_), geo());
    showPoints(t);
    boxes_.setText("top", t.top);
    boxes_.setText("bottom", t.bottom);
    boxes_.setText("step", t.step);
    boxes_.setText("within", t.within);
    showModal(this);
    boxes_.box("x0")->setFocus();
}

void SectionDialog::setLine(float x0, float y0, float x1, float y1) {
    // To a tenth of a km, as the other points pointed out on the plot.
    const auto tenth = [](float v) { return std::round(v * 10) / 10; };
    SectionChoice c;
    c.spec = {tenth(x0), tenth(y0), tenth(x1), tenth(y1)};
    showPoints(sectionformtext(c, geo()));
}

void SectionDialog::returnForm() { showModal(this); }

bool SectionDialog::okClicked() {
    SectionFormText t;
    std::string* texts[] = {&t.p0a, &t.p0b, &t.p1a, &t.p1b};
    for (int k = 0; k < 4; ++k) *texts[k] = boxes_.text(kPointBoxes[k].km);
    t.top = boxes_.text("top");
    t.bottom = boxes_.text("bottom");
    t.step = boxes_.text("step");
    t.within = boxes_.text("within");
    t.geographic = geographic_;
    SectionChoice c;
    if (boxes_.rejected(checksectionform(t, geo(), c), wb_.host())) return false;
    last_ = c;
    accept();
    if (onAccepted) onAccepted(c);
    return true;
}

void SectionDialog::pickClicked() {
    hide();
    wb_.startPointing(kSectionPickMode, kSectionPickPrompt);
}

}  // namespace crustex
