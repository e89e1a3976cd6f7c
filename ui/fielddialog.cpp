#include "ui/fielddialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "engine/fieldform.h"
#include "geo/projection.h"
#include "model/numtext.h"
#include "plot/plotcontext.h"
#include "ui/locationassistants.h"
#include "ui/workbench.h"

namespace crustex {

FieldDialog::FieldDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("fieldform");
    setWindowTitle("Field Parameters");

    auto* widthGrid = new QGridLayout;
    auto* widthHolder = new QWidget(this);
    widthHolder->setLayout(widthGrid);
    boxes_.add("rwidth", addBoxRow(widthGrid, 0, "Real Width of Whole Window", "rwidthtxt", "km"));
    widthGrid->setColumnStretch(3, 1);

    // Frame "Area for Data Plot".
    auto* area = new QGroupBox("Area for Data Plot", this);
    area->setObjectName("areaframe");
    auto* ag = new QGridLayout(area);
    ag->addWidget(makeCaption(area, "X(East+)"), 0, 1, Qt::AlignHCenter);
    ag->addWidget(makeCaption(area, "Y(North+)"), 0, 2, Qt::AlignHCenter);
    const char* cornerCaptions[2] = {"Bottom-Left (SW Corner)", "Top-Right (NE Corner)"};
    const char* cornerFields[2][2] = {{"xview0", "yview0"}, {"xview1", "yview1"}};
    for (int r = 0; r < 2; ++r) {
        ag->addWidget(makeCaption(area, cornerCaptions[r]), r + 1, 0);
        for (int k = 0; k < 2; ++k) {
            QLineEdit* b = makeNumberBox(area, QString(cornerFields[r][k]) + "txt");
            boxes_.add(cornerFields[r][k], b);
            ag->addWidget(b, r + 1, k + 1);
        }
        ag->addWidget(makeCaption(area, "km"), r + 1, 3);
    }
    QPushButton* mousebt = makeButton(area, "Mouse", "mousebt");
    mousebt->setToolTip("Enclose the area on the plot");
    ag->addWidget(mousebt, 1, 4, 2, 1);

    // Frame "No. of Grid".
    auto* grid = new QGroupBox("No. of Grid", this);
    grid->setObjectName("gridframe");
    auto* gg = new QGridLayout(grid);
    boxes_.add("xgrid", addBoxRow(gg, 0, "X(E-W)", "xgridtxt", ""));
    boxes_.add("ygrid", addBoxRow(gg, 0, "Y(N-S)", "ygridtxt", "", 3));

    auto* depthGrid = new QGridLayout;
    auto* depthHolder = new QWidget(this);
    depthHolder->setLayout(depthGrid);
    boxes_.add("obsdepth", addBoxRow(depthGrid, 0, "Depth of the Field", "obsdepthtxt", "km"));
    inclined_ = new QCheckBox("Inclined Field", depthHolder);
    inclined_->setObjectName("inclinedcbx");
    depthGrid->addWidget(inclined_, 0, 3);
    depthGrid->setColumnStretch(4, 1);

    // Frame "Inclined Field Parameters".
    auto* incl = new QGroupBox("Inclined Field Parameters", this);
    incl->setObjectName("inclinedframe");
    auto* ig = new QGridLayout(incl);
    boxes_.add("obsincx", addBoxRow(ig, 0, "X", "obsincxtxt", "km"));
    boxes_.add("obsincy", addBoxRow(ig, 1, "Y", "obsincytxt", "km"));
    boxes_.add("obsincdpt", addBoxRow(ig, 2, "Depth", "obsincdpttxt", "km"));
    boxes_.add("obsincs", addBoxRow(ig, 0, "Strike", "obsincstxt", "deg.", 3));
    boxes_.add("obsincdip", addBoxRow(ig, 1, "dip", "obsincdiptxt", "deg.", 3));
    QPushButton* assistbt = makeButton(incl, "Lat./Lon....", "assistbt");
    assistbt->setToolTip("Enter the reference point in latitude and longitude");
    QPushButton* mousebt2 = makeButton(incl, "Mouse", "mousebt2");
    mousebt2->setToolTip("Point out the reference point and the strike on the plot");
    auto* incButtons = buttonRow({assistbt, mousebt2});
    ig->addLayout(incButtons, 2, 3, 1, 3);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* apply = makeButton(this, "Apply", "applybt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    auto* buttons = buttonRow({ok, apply, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(widthHolder);
    layout->addWidget(area);
    layout->addWidget(grid);
    layout->addWidget(depthHolder);
    layout->addWidget(incl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &FieldDialog::okClicked);
    connect(apply, &QPushButton::clicked, this, &FieldDialog::applyClicked);
    connect(cancel, &QPushButton::clicked, this, &FieldDialog::reject);
    connect(mousebt, &QPushButton::clicked, this, &FieldDialog::pointAreaClicked);
    connect(mousebt2, &QPushButton::clicked, this, &FieldDialog::pointReferenceClicked);
    connect(assistbt, &QPushButton::clicked, this, &FieldDialog::assistClicked);
    connect(inclined_, &QCheckBox::toggled, this, &FieldDialog::inclinedToggled);

    QWidget* order[] = {boxes_.box("rwidth"),
                        boxes_.box("xview0"),
                        boxes_.box("yview0"),
                        boxes_.box("xview1"),
                        boxes_.box("yview1"),
                        mousebt,
                        boxes_.box("xgrid"),
                        boxes_.box("ygrid"),
                        boxes_.box("obsdepth"),
                        inclined_,
                        boxes_.box("obsincx"),
                        boxes_.box("obsincy"),
                        boxes_.box("obsincdpt"),
                        boxes_.box("obsincs"),
                        boxes_.box("obsincdip"),
                        assistbt,
                        mousebt2,
                        ok,
                        apply,
                        cancel};
    for (size_t k = 1; k < std::size(order); ++k) setTabOrder(order[k - 1], order[k]);

    assist3_ =
        new PointAssistant(wb_, "Field Reference Assistant", "Location of Field Reference", this);
    assist3_->setObjectName("assist3form");
    assist3_->onAccepted = [this](float x, float y) {
        boxes_.setText("obsincx", formatnumber(x, "0.##"));
        boxes_.setText("obsincy", formatnumber(y, "0.##"));
    };
}

void FieldDialog::entryfieldform() {
    const FieldFormText text = crustex::entryfieldform(wb_.state());
    writeboxes(boxes_, DialogKind::Field, text);
    inclined_->setChecked(text.inclined);
    inclinedToggled(text.inclined);
    showModal(this);
    boxes_.box("rwidth")->setFocus();
}

void FieldDialog::returnfieldform() { showModal(this); }

void FieldDialog::setFieldRect(float x0, float y0, float x1, float y1) {
    boxes_.setText("xview0", formatnumber(x0, "0.#"));
    boxes_.setText("yview0", formatnumber(y0, "0.#"));
    boxes_.setText("xview1", formatnumber(x1, "0.#"));
    boxes_.setText("yview1", formatnumber(y1, "0.#"));
}

void FieldDialog::setInclinedReference(float x, float y) {
    boxes_.setText("obsincx", formatnumber(x, "0.#"));
    boxes_.setText("obsincy", formatnumber(y, "0.#"));
}

void FieldDialog::setInclinedStrike(float degrees) {
    boxes_.setText("obsincs", formatnumber(degrees, "0.##"));
}

void FieldDialog::inclinedToggled(bool on) { boxes_.box("obsdepth")->setEnabled(!on); }

bool FieldDialog::fixparam() {
    FieldFormText text;
    readboxes(boxes_, DialogKind::Field, text);
    text.inclined = inclined_->isChecked();
    WorkState& ws = wb_.state();
    if (boxes_.rejected(crustex::fixparam(ws, text), wb_.host())) return false;
    // With a background map the window's width follows the map's scale.
    if (ws.needmap) {
        const float mapwidth = 640 * wb_.projection().s;
        if (std::isfinite(mapwidth) && mapwidth > 0) ws.rwidth = mapwidth;
    }
    setplotframe(wb_.plot().frame, ws.rwidth);
    return true;
}

bool FieldDialog::okClicked() {
    if (!fixparam()) return false;
    hide();
    wb_.drawOverlay();
    return true;
}

bool FieldDialog::applyClicked() {
    if (!fixparam()) return false;
    wb_.drawPicture();
    return true;
}

void FieldDialog::reject() {
    QDialog::reject();
    wb_.drawOverlay();
}

void FieldDialog::pointAreaClicked() {
    hide();
    wb_.startPointing(2, " Drag Mouse to Enclose Drawing Field....");
}

void FieldDialog::pointReferenceClicked() {
    hide();
    wb_.startPointing(10, " Drag Mouse to Point out Strike Angle ....");
}

void FieldDialog::assistClicked() {
    FieldValues v;
    const BoxText text = [this](std::string_view field) -> std::optional<std::string> {
        if (field != "obsincx" && field != "obsincy") return std::nullopt;
        return boxes_.text(std::string(field));
    };
    if (boxes_.rejected(checkdialog(DialogKind::Field, text, v), wb_.host())) return;
    assist3_->entry(v.get("obsincx"), v.get("obsincy"));
}

}  // namespace crustex
