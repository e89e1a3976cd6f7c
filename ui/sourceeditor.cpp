#include "ui/sourceeditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "compose/pubpicture.h"
#include "model/numtext.h"
#include "model/sourcetable.h"
#include "model/workstate.h"
#include "plot/modelglyphs.h"
#include "ui/locationassistants.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

constexpr int kSingleFaultIndex = 0;
constexpr int kSinglePointIndex = 1;
constexpr int kFirstMultiIndex = 2;  // "Multi-Source1"

// The record's fourteen numbers, in the order of its fields, by box name.
struct BoxField {
    const char* field;
    std::string SourceTexts::*text;
};
constexpr BoxField kBoxFields[] = {
    {"fx0", &SourceTexts::fx0},
    {"fy0", &SourceTexts::fy0},
    {"fx1", &SourceTexts::fx1},
    {"fy1", &SourceTexts::fy1},
    {"fdepth", &SourceTexts::fdepth},
    {"fwidth", &SourceTexts::fwidth},
    {"fdipangle", &SourceTexts::fdipangle},
    {"slip", &SourceTexts::slip},
    {"rakeangle", &SourceTexts::rakeangle},
    {"tensile", &SourceTexts::tensile},
    {"px", &SourceTexts::px},
    {"py", &SourceTexts::py},
    {"pdepth", &SourceTexts::pdepth},
    {"piso", &SourceTexts::piso},
};

QStringList toQStringList(const std::vector<std::string>& entries) {
    QStringList out;
    for (const std::string& e : entries) out << qstr(e);
    return out;
}

int clampcount(int n) { return std::clamp(n, 1, kMaxSources); }

// "Assistant" frame: geographic entry and pointing out on the plot.
QGroupBox* assistantFrame(QWidget* parent, const char* assistname, const char* mousename,
                          QPushButton*& assist, QPushButton*& mouse) {
    auto* frame = new QGroupBox("Assistant", parent);
    auto* row = new QHBoxLayout(frame);
    assist = makeButton(frame, "Lat./Lon....", assistname);
    assist->setToolTip("Enter the location in latitude and longitude");
    mouse = makeButton(frame, "Mouse", mousename);
    mouse->setToolTip("Point out the location on the plot");
    row->addWidget(assist);
    row->addWidget(mouse);
    return frame;
}

}  // namespace

SourceEditor::SourceEditor(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("faultform");
    setWindowTitle("Source Parameters");
    buildLayout();

    assist_ = new FaultAssistant(wb_, this);
    assist_->onAccepted = [this](float x0, float y0, float x1, float y1) {
        setBoxNumber("fx0", x0, "0.##");
        setBoxNumber("fy0", y0, "0.##");
        setBoxNumber("fx1", x1, "0.##");
        setBoxNumber("fy1", y1, "0.##");
    };
    assist2_ = new PointAssistant(wb_, "Point Source Location Assistant",
                                  "Location of Point Source", this);
    assist2_->setObjectName("assist2form");
    assist2_->onAccepted = [this](float x, float y) {
        setBoxNumber("px", x, "0.##");
        setBoxNumber("py", y, "0.##");
    };

    // First creation: the fixed entries are written without a blank.
    const WorkState& ws = wb_.state();
    work_ = ws.fault;
    n_ = clampcount(ws.nfault);
    c_ = 1;
    QStringList entries{"SingleFault", "SinglePoint"};
    if (ws.nfault != 1) {
        for (int k = 1; k <= n_; ++k) entries << qstr(multisourceentry(k));
    }
    setListEntries(entries, entryOfCurrent());
    filltxt();
}

void SourceEditor::buildLayout() {
    // List of sources with "Add" and "Delete".
    faultlist_ = new QComboBox(this);
    faultlist_->setObjectName("faultlist");
    faultlist_->setMinimumContentsLength(14);
    addbt_ = makeButton(this, "Add", "addbt");
    delbt_ = makeButton(this, "Delete", "delbt");
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(faultlist_, 1);
    listRow->addWidget(addbt_);
    listRow->addWidget(delbt_);

    // Frame "Source": the kind of the next added source.
    auto* kind = new QGroupBox("Source", this);
    kind->setObjectName("sourceframe");
    auto* kindRow = new QHBoxLayout(kind);
    optFault_ = new QRadioButton("Fault", kind);
    optFault_->setObjectName("OptFault");
    optPoint_ = new QRadioButton("Inflation", kind);
    optPoint_->setObjectName("OptPoint");
    optFault_->setChecked(true);
    kindRow->addWidget(optFault_);
    kindRow->addWidget(optPoint_);
    kindRow->addStretch(1);

    // --- Fault page ---
    faultPage_ = new QWidget;
    faultPage_->setObjectName("faultpage");
    auto* edges = new QGroupBox("Location of Fault Edges", faultPage_);
    edges->setObjectName("edgeframe");
    auto* eg = new QGridLayout(edges);
    eg->addWidget(makeCaption(edges, "X(~East+)"), 0, 1, Qt::AlignHCenter);
    eg->addWidget(makeCaption(edges, "Y(~North+)"), 0, 2, Qt::AlignHCenter);
    const char* edgeCaptions[2] = {"Edge 0", "Edge 1"};
    const char* edgeFields[2][2] = {{"fx0", "fy0"}, {"fx1", "fy1"}};
    for (int e = 0; e < 2; ++e) {
        eg->addWidget(makeCaption(edges, edgeCaptions[e]), e + 1, 0);
        for (int k = 0; k < 2; ++k) {
            const QString name = QString(edgeFields[e][k]) + "txt";
            QLineEdit* b = makeNumberBox(edges, name);
            boxes_.add(edgeFields[e][k], b);
            eg->addWidget(b, e + 1, k + 1);
        }
        eg->addWidget(makeCaption(edges, "km"), e + 1, 3);
    }
    QPushButton* assistbt = nullptr;
    QPushButton* mousebt = nullptr;
    eg->addWidget(assistantFrame(edges, "assistbt", "mousebt", assistbt, mousebt), 0, 4, 3, 1);

    auto* geometry = new QGroupBox("Fault Plane", faultPage_);
    geometry->setObjectName("geometryframe");
    auto* gg = new QGridLayout(geometry);
    boxes_.add("fdepth", addBoxRow(gg, 0, "Depth of the fault's top", "fdepthtxt", "km"));
    boxes_.add("fdipangle", addBoxRow(gg, 1, "Dip Angle", "fdipangletxt", "degrees"));
    boxes_.add("fwidth", addBoxRow(gg, 2, "Width", "fwidthtxt", "km"));

    auto* dislocation = new QGroupBox("Dislocation", faultPage_);
    dislocation->setObjectName("dislocationframe");
    auto* dg = new QGridLayout(dislocation);
    boxes_.add("slip", addBoxRow(dg, 0, "Slip", "sliptxt", "mm"));
    boxes_.add("rakeangle", addBoxRow(dg, 1, "Rake Angle", "rakeangletxt", "degrees"));
    boxes_.add("tensile", addBoxRow(dg, 2, "Tensile (Extension+)", "tensiletxt", "mm"));

    auto* fl = new QVBoxLayout(faultPage_);
    fl->setContentsMargins(0, 0, 0, 0);
    fl->addWidget(edges);
    auto* lower = new QHBoxLayout;
    lower->addWidget(geometry);
    lower->addWidget(dislocation);
    fl->addLayout(lower);
    fl->addStretch(1);

    // --- Point page ---
    pointPage_ = new QWidget;
    pointPage_->setObjectName("pointpage");
    auto* location = new QGroupBox("Location of Point Source", pointPage_);
    location->setObjectName("pointframe");
    auto* lg = new QGridLayout(location);
    boxes_.add("px", addBoxRow(lg, 0, "X(~East+)", "pxtxt", "km"));
    boxes_.add("py", addBoxRow(lg, 1, "Y(~North+)", "pytxt", "km"));
    boxes_.add("pdepth", addBoxRow(lg, 2, "Depth", "pdepthtxt", "km"));
    QPushButton* assistbt2 = nullptr;
    QPushButton* mousebt2 = nullptr;
    lg->addWidget(assistantFrame(location, "assistbt2", "mousebt2", assistbt2, mousebt2), 0, 3, 3,
                  1);

    auto* inflation = new QGroupBox("Inflation", pointPage_);
    inflation->setObjectName("inflationframe");
    auto* ig = new QGridLayout(inflation);
    ig->addWidget(makeCaption(inflation, "Isotoropic Component / Rigidity [ = Volume Change * 3]"),
                  0, 0, 1, 3);
    QLineEdit* piso = makeNumberBox(inflation, "pisotxt");
    boxes_.add("piso", piso);
    ig->addWidget(piso, 1, 1);
    ig->addWidget(makeCaption(inflation, "*10^6 m^3"), 1, 2);
    ig->addWidget(makeCaption(inflation, "( Inflation : + / Deflation : - )"), 2, 0, 1, 3);
    ig->setColumnStretch(0, 1);

    auto* pl = new QVBoxLayout(pointPage_);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(location);
    pl->addWidget(inflation);
    pl->addStretch(1);

    kindPages_ = new QStackedWidget(this);
    kindPages_->addWidget(faultPage_);
    kindPages_->addWidget(pointPage_);

    // Buttons.
    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    applybt_ = makeButton(this, "Apply", "applybt");
    ok->setDefault(true);
    auto* buttons = buttonRow({ok, cancel, applybt_});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addWidget(kind);
    layout->addWidget(kindPages_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(faultlist_, &QComboBox::currentIndexChanged, this, &SourceEditor::listSelected);
    connect(addbt_, &QPushButton::clicked, this, &SourceEditor::addClicked);
    connect(delbt_, &QPushButton::clicked, this, &SourceEditor::deleteClicked);
    connect(ok, &QPushButton::clicked, this, &SourceEditor::okClicked);
    connect(cancel, &QPushButton::clicked, this, &SourceEditor::reject);
    connect(applybt_, &QPushButton::clicked, this, &SourceEditor::applyClicked);
    connect(mousebt, &QPushButton::clicked, this, &SourceEditor::pointFaultClicked);
    connect(mousebt2, &QPushButton::clicked, this, &SourceEditor::pointPointClicked);
    connect(assistbt, &QPushButton::clicked, this, &SourceEditor::assistFaultClicked);
    connect(assistbt2, &QPushButton::clicked, this, &SourceEditor::assistPointClicked);

    // Tab order: the edges row by row, then the plane and the dislocation.
    QWidget* order[] = {boxes_.box("fx0"),
                        boxes_.box("fy0"),
                        boxes_.box("fx1"),
                        boxes_.box("fy1"),
                        assistbt,
                        mousebt,
                        boxes_.box("fdepth"),
                        boxes_.box("fdipangle"),
                        boxes_.box("fwidth"),
                        boxes_.box("slip"),
                        boxes_.box("rakeangle"),
                        boxes_.box("tensile")};
    for (size_t k = 1; k < std::size(order); ++k) setTabOrder(order[k - 1], order[k]);
}

// --- Entry and return ---

void SourceEditor::entryfaultform() {
    const WorkState& ws = wb_.state();
    work_ = ws.fault;
    n_ = clampcount(ws.nfault);
    // The list must name the model's sources; after a change of the model
    // behind the editor's back it is written again.
    const int expected = n_ == 1 ? 2 : n_ + 2;
    if (faultlist_->count() != expected) {
        setListEntries(toQStringList(sourcelistentries(n_)), n_ == 1 ? 0 : kFirstMultiIndex);
    }
    const int index = faultlist_->currentIndex();
    c_ = index >= kFirstMultiIndex ? std::min(index - 1, n_) : 1;
    if (n_ == 1) selectEntry(entryOfCurrent());
    filltxt();
    delbt_->setEnabled(n_ > 1);
    applybt_->setEnabled(!ws.quantitykey.empty());
    highlightCurrent();
    showModal(this);
}

void SourceEditor::returnfaultform() {
    showModal(this);
    wb_.drawOverlay();
}

// --- Pointing results ---

void SourceEditor::setBoxNumber(const char* field, float v, const char* pattern) {
    boxes_.setText(field, formatnumber(v, pattern));
}

void SourceEditor::setFirstEdge(float x, float y) {
    setBoxNumber("fx0", x, "0.#");
    setBoxNumber("fy0", y, "0.#");
}

void SourceEditor::setSecondEdge(float x, float y) {
    setBoxNumber("fx1", x, "0.#");
    setBoxNumber("fy1", y, "0.#");
}

void SourceEditor::setEdges(float x0, float y0, float x1, float y1) {
    setFirstEdge(x0, y0);
    setSecondEdge(x1, y1);
}

void SourceEditor::setPointSource(float x, float y) {
    setBoxNumber("px", x, "0.#");
    setBoxNumber("py", y, "0.#");
}

const faultrec& SourceEditor::currentRecord() const { return work_[c_]; }

// --- The list ---

void SourceEditor::setListEntries(const QStringList& entries, int selected) {
    rebuilding_ = true;
    faultlist_->clear();
    faultlist_->addItems(entries);
    faultlist_->setCurrentIndex(selected);
    listIndex_ = faultlist_->currentIndex();
    rebuilding_ = false;
}

void SourceEditor::selectEntry(int index) {
    rebuilding_ = true;
    faultlist_->setCurrentIndex(index);
    listIndex_ = faultlist_->currentIndex();
    rebuilding_ = false;
}

int SourceEditor::entryOfCurrent() const {
    if (n_ > 1) return c_ - 1 + kFirstMultiIndex;
    return work_[1].sourcetype == 1 ? kSinglePointIndex : kSingleFaultIndex;
}

void SourceEditor::rebuildList() {
    const WorkState& ws = wb_.state();
    work_ = ws.fault;
    n_ = clampcount(ws.nfault);
    c_ = 1;
    setListEntries(toQStringList(sourcelistentries(ws.nfault == 1 ? 1 : n_)), entryOfCurrent());
    delbt_->setEnabled(n_ > 1);
    modified_ = false;
    filltxt();
}

void SourceEditor::listSelected(int index) {
    if (rebuilding_ || index < 0) return;
    if (!storetxt()) {
        selectEntry(listIndex_);  // the selection does not proceed
        return;
    }
    if (index == kSingleFaultIndex || index == kSinglePointIndex) {
        c_ = 1;
        work_[1].sourcetype = index == kSinglePointIndex ? 1 : 0;
    } else {
        const int k = multisourcenumber(sstr(faultlist_->itemText(index)));
        c_ = std::clamp(k > 0 ? k : index - 1, 1, n_);
    }
    listIndex_ = index;
    filltxt();
    redrawWorking();
}

// --- Boxes ---

bool SourceEditor::storetxt() {
    SourceTexts texts;
    for (const BoxField& b : kBoxFields) texts.*(b.text) = boxes_.text(b.field);
    const FormCheck check = crustex::storetxt(texts, work_[c_]);
    if (check.ok()) return true;
    // A rejected box on the page of the other kind is brought into view so
    // that it can be corrected.
    if (QLineEdit* b = boxes_.box(check.badfield)) {
        if (!b->isVisibleTo(this)) {
            kindPages_->setCurrentWidget(faultPage_->isAncestorOf(b) ? faultPage_ : pointPage_);
        }
    }
    boxes_.rejected(check, wb_.host());
    return false;
}

void SourceEditor::filltxt() {
    const SourceTexts texts = sourcetexts(work_[c_]);
    for (const BoxField& b : kBoxFields) boxes_.setText(b.field, texts.*(b.text));
    showKind();
}

void SourceEditor::showKind() {
    const bool point = work_[c_].sourcetype == 1;
    kindPages_->setCurrentWidget(point ? pointPage_ : faultPage_);
    (point ? optPoint_ : optFault_)->setChecked(true);
}

// --- Add and Delete ---

void SourceEditor::addClicked() {
    if (!addsourceallowed(n_, wb_.host())) return;
    if (!storetxt()) return;
    const float d = wb_.state().rwidth / 100;
    if (n_ == 1) {
        work_[1].sourcetype = listIndex_ == kSinglePointIndex ? 1 : 0;
        faultlist_->addItem(qstr(multisourceentry(1)));
    }
    ++n_;
    faultlist_->addItem(qstr(multisourceentry(n_)));
    faultrec& added = work_[n_];
    added = work_[n_ - 1];
    if (optPoint_->isChecked()) {
        added.sourcetype = 1;
        added.px += d;
        added.py += d;
        added.rakeangle = 90;
    } else {
        added.sourcetype = 0;
        added.fx0 += d;
        added.fx1 += d;
        added.fy0 -= d;
        added.fy1 -= d;
    }
    c_ = n_;
    selectEntry(entryOfCurrent());
    filltxt();
    delbt_->setEnabled(true);
    redrawWorking();
    modified_ = true;
}

void SourceEditor::deleteClicked() {
    if (n_ <= 1) return;
    for (int k = c_; k < n_; ++k) work_[k] = work_[k + 1];
    work_[n_] = faultrec{};
    --n_;
    // The last entry goes, so that entry K always names record K.
    rebuilding_ = true;
    faultlist_->removeItem(faultlist_->count() - 1);
    if (n_ == 1) faultlist_->removeItem(faultlist_->count() - 1);  // "Multi-Source1"
    rebuilding_ = false;
    c_ = std::min(c_, n_);
    selectEntry(entryOfCurrent());
    delbt_->setEnabled(n_ > 1);
    filltxt();
    redrawWorking();
    modified_ = true;
}

// --- Accepting ---

bool SourceEditor::fixparam() {
    if (!storetxt()) return false;
    WorkState& ws = wb_.state();
    if (listIndex_ == kSingleFaultIndex || listIndex_ == kSinglePointIndex) {
        n_ = 1;
        c_ = 1;
        setListEntries({qstr(std::string(kSingleFaultEntry)), qstr(std::string(kSinglePointEntry))},
                       listIndex_);
        delbt_->setEnabled(false);
    }
    ws.nfault = static_cast<int16_t>(n_);
    for (int k = 1; k <= n_; ++k) ws.fault[k] = work_[k];
    markgridstale(ws);
    modified_ = false;
    showKind();  // a box corrected on the other kind's page is done with
    return true;
}

bool SourceEditor::okClicked() {
    if (!fixparam()) return false;
    hide();
    wb_.drawOverlay();
    return true;
}

bool SourceEditor::applyClicked() {
    if (!fixparam()) return false;
    wb_.drawPicture();
    highlightCurrent();
    return true;
}

void SourceEditor::reject() {
    QDialog::reject();
    rebuildList();
    wb_.drawOverlay();
}

// --- Pointing and assistants ---

void SourceEditor::pointFaultClicked() {
    if (!storetxt()) return;
    hide();
    wb_.startPointing(1, " Drag Mouse to Point out Fault....");
}

void SourceEditor::pointPointClicked() {
    if (!storetxt()) return;
    hide();
    wb_.startPointing(9, " Click Left Bottun to Point out Point....");
}

void SourceEditor::assistFaultClicked() {
    if (!storetxt()) return;
    const faultrec& f = work_[c_];
    assist_->entry(f.fx0, f.fy0, f.fx1, f.fy1);
}

void SourceEditor::assistPointClicked() {
    if (!storetxt()) return;
    assist2_->entry(work_[c_].px, work_[c_].py);
}

// --- The plot ---

void SourceEditor::drawSource(const faultrec& f, Rgb color) {
    PlotContext& pc = wb_.plot();
    if (f.sourcetype == 0) {
        drawfault(pc, f.fx0, f.fy0, f.fx1, f.fy1, f.fwidth, f.fdipangle, color);
    } else if (f.sourcetype == 1) {
        drawpoint(pc, f.px, f.py, color);
    }
}

void SourceEditor::highlightCurrent() {
    PlotContext& pc = wb_.plot();
    if (!pc.target) return;
    Surface& s = pc.surface();
    s.drawMode = DrawMode::CopyPen;
    drawSource(work_[c_], kHighlight);
    s.drawMode = DrawMode::MaskPen;
    wb_.refreshPlot();
}

void SourceEditor::redrawWorking() {
    PlotContext& pc = wb_.plot();
    if (!pc.target) return;
    WorkState& ws = wb_.state();
    Surface& s = pc.surface();
    // The publication style keeps its map, axes and black figures.
    const bool pub = ws.publicationstyle;
    PlotContext frame = pc;
    if (pub) {
        drawpublicationground(ws, pc, wb_.host(), &wb_.projection());
        frame.palette.dataframe = kBlack;
    } else {
        s.Cls();
    }
    drawdataframe(frame, ws.xview0, ws.yview0, ws.xview1, ws.yview1);
    if (ws.inclined) drawdepthlines(frame, ws);
    if (ws.showobsdatachecked) drawsitemarks(pc, ws, true);
    for (int k = 1; k <= n_; ++k) {
        if (k != c_) drawSource(work_[k], pub ? kBlack : pc.palette.source);
    }
    s.drawMode = DrawMode::CopyPen;
    drawSource(work_[c_], kHighlight);
    s.drawMode = DrawMode::MaskPen;
    wb_.refreshPlot();
}

}  // namespace crustex
