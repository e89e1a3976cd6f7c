#include "ui/eventdialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "geo/eventform.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

// One row of the period: "caption  yyyy / mm / dd  hh : nn".
void addDateRow(QGridLayout* g, int row, const QString& caption, const char* end,
                FormBoxes& boxes) {
    QWidget* parent = g->parentWidget();
    g->addWidget(makeCaption(parent, caption), row, 0);
    const struct {
        const char* stem;
        int width;
        const char* after;
    } parts[] = {
        {"yr", 52, "/"}, {"mon", 32, "/"}, {"day", 32, ""}, {"hr", 32, ":"}, {"min", 32, ""}};
    int col = 1;
    for (const auto& p : parts) {
        const std::string field = std::string(p.stem) + end;
        QLineEdit* box = makeNumberBox(parent, QString::fromStdString(field + "txt"), p.width);
        boxes.add(field, box);
        g->addWidget(box, row, col++);
        g->addWidget(new QLabel(p.after, parent), row, col++);
    }
}

// One row of a range: "caption  from  ~  to  unit".
void addRangeRow(QGridLayout* g, int row, const QString& caption, const char* field,
                 const QString& unit, FormBoxes& boxes) {
    QWidget* parent = g->parentWidget();
    g->addWidget(makeCaption(parent, caption), row, 0);
    const std::string from = std::string(field) + "0", to = std::string(field) + "1";
    boxes.add(from, makeNumberBox(parent, QString::fromStdString(from + "txt"), 60));
    boxes.add(to, makeNumberBox(parent, QString::fromStdString(to + "txt"), 60));
    g->addWidget(boxes.box(from), row, 1);
    g->addWidget(new QLabel("~", parent), row, 2);
    g->addWidget(boxes.box(to), row, 3);
    g->addWidget(new QLabel(unit, parent), row, 4);
}

}  // namespace

EventDialog::EventDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("eventform");
    setWindowTitle("Event Parameters");

    auto* period = new QGroupBox("Period", this);
    auto* pg = new QGridLayout(period);
    addDateRow(pg, 0, "Start", "0", boxes_);
    addDateRow(pg, 1, "End", "1", boxes_);

    auto* ranges = new QGroupBox("Depth and Magnitude", this);
    auto* rg = new QGridLayout(ranges);
    addRangeRow(rg, 0, "Depth", "dep", "km", boxes_);
    addRangeRow(rg, 1, "Magnitude", "mag", "", boxes_);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addWidget(ranges);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &EventDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &EventDialog::reject);
}

void EventDialog::entryeventform() {
    const EventFormText text = crustex::entryeventform(wb_.state());
    for (std::string_view f : kEventFormBoxes) boxes_.setText(std::string(f), *text.box(f));
    showModal(this);
    boxes_.box("yr0")->setFocus();
}

bool EventDialog::okClicked() {
    EventFormText text;
    for (std::string_view f : kEventFormBoxes) *text.box(f) = boxes_.text(std::string(f));
    if (boxes_.rejected(fixparam(wb_.state(), text), wb_.host())) return false;
    hide();
    return true;
}

}  // namespace crustex
