#include "ui/locationassistants.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "geo/projection.h"
#include "model/numtext.h"
#include "model/sourcemodel.h"
#include "plot/plotcontext.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

QHBoxLayout* okCancelRow(QDialog* d, QPushButton*& ok) {
    ok = makeButton(d, "OK", "okbt");
    QPushButton* cancel = makeButton(d, "Cancel", "cancelbt");
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    auto* row = buttonRow({ok, cancel});
    return row;
}

// A frame with the latitude and longitude boxes.
QGroupBox* latlonFrame(QWidget* parent, const QString& caption, FormBoxes& boxes) {
    auto* frame = new QGroupBox(caption, parent);
    auto* grid = new QGridLayout(frame);
    boxes.add("latitude", addBoxRow(grid, 0, "Latitude", "lattxt", "degrees"));
    boxes.add("longitude", addBoxRow(grid, 1, "Longitude", "lontxt", "degrees"));
    return frame;
}

bool usable(const Projection& p) { return p.kind != 0 && p.s > 0 && std::isfinite(p.s); }

}  // namespace

bool readyprojection(Workbench& wb) {
    Projection& p = wb.projection();
    if (usable(p)) return true;
    if (setprojection(p, wb.state()) && usable(p)) return true;
    wb.host().messageBox("The map range gives no projection for latitude and longitude.", "Error",
                         MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

// --- Fault assistant ---

FaultAssistant::FaultAssistant(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("assistform");
    setWindowTitle("Fault Location Assistant");

    QGroupBox* edge = latlonFrame(this, "Location of One Edge of Fault", boxes_);
    auto* grid = new QGridLayout;
    boxes_.add("strike", addBoxRow(grid, 0, "Strike Angle", "striketxt", "degrees"));
    boxes_.add("length", addBoxRow(grid, 1, "Length", "lengthtxt", "km"));
    // Line the strike and length boxes up with the frame's boxes.
    grid->setContentsMargins(edge->layout()->contentsMargins());

    QLabel* note = new QLabel(
        " Causion! :  Location of the other edge of this fault is not so precise because of "
        "irresponsible projection. ",
        this);
    note->setObjectName("notelbl");
    note->setWordWrap(true);
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(4);

    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = okCancelRow(this, ok);
    connect(ok, &QPushButton::clicked, this, &FaultAssistant::okClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edge);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool FaultAssistant::entry(float fx0, float fy0, float fx1, float fy1) {
    if (!readyprojection(wb_)) return false;
    const Projection& p = wb_.projection();
    float lat = 0, lon = 0;
    kmtogeo(p, wb_.plot().frame, fx0, fy0, lat, lon);
    const float dx = fx1 - fx0, dy = fy1 - fy0;
    const float strike =
        static_cast<float>((calcangle(dx, dy) - meridianangle(p, lon)) * 180 / kPi);
    const float length = std::sqrt(dx * dx + dy * dy);
    boxes_.setText("latitude", formatnumber(lat, "0.####"));
    boxes_.setText("longitude", formatnumber(lon, "0.####"));
    boxes_.setText("strike", formatnumber(strike, "0.##"));
    boxes_.setText("length", formatnumber(length, "0.##"));
    showModal(this);
    boxes_.box("latitude")->setFocus();
    return true;
}

bool FaultAssistant::okClicked() {
    FieldValues v;
    if (!boxes_.checked(DialogKind::LocationAssistant, v, wb_.host())) return false;
    if (!readyprojection(wb_)) return false;
    const Projection& p = wb_.projection();
    const float lon = v.get("longitude");
    float x0 = 0, y0 = 0;
    geotokm(p, wb_.plot().frame, v.get("latitude"), lon, x0, y0);
    const double theta = v.get("strike") * kPi / 180 + meridianangle(p, lon);
    const double length = v.get("length");
    const float x1 = static_cast<float>(x0 + length * std::sin(theta));
    const float y1 = static_cast<float>(y0 + length * std::cos(theta));
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
        // A position the projection cannot map.
        boxes_.rejected(FormCheck::rejected("latitude"), wb_.host());
        return false;
    }
    accept();
    if (onAccepted) onAccepted(x0, y0, x1, y1);
    return true;
}

// --- Point and field-reference assistants ---

PointAssistant::PointAssistant(Workbench& wb, const QString& title, const QString& framecaption,
                               QWidget* parent)
    : QDialog(parent), wb_(wb) {
    setWindowTitle(title);
    QGroupBox* frame = latlonFrame(this, framecaption, boxes_);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = okCancelRow(this, ok);
    connect(ok, &QPushButton::clicked, this, &PointAssistant::okClicked);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool PointAssistant::entry(float x, float y) {
    if (!readyprojection(wb_)) return false;
    float lat = 0, lon = 0;
    kmtogeo(wb_.projection(), wb_.plot().frame, x, y, lat, lon);
    boxes_.setText("latitude", formatnumber(lat, "0.####"));
    boxes_.setText("longitude", formatnumber(lon, "0.####"));
    showModal(this);
    boxes_.box("latitude")->setFocus();
    return true;
}

bool PointAssistant::okClicked() {
    FieldValues v;
    if (!boxes_.checked(DialogKind::LocationAssistant, v, wb_.host())) return false;
    if (!readyprojection(wb_)) return false;
    float x = 0, y = 0;
    geotokm(wb_.projection(), wb_.plot().frame, v.get("latitude"), v.get("longitude"), x, y);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        boxes_.rejected(FormCheck::rejected("latitude"), wb_.host());
        return false;
    }
    accept();
    if (onAccepted) onAccepted(x, y);
    return true;
}

}  // namespace crustex
