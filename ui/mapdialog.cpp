#include "ui/mapdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "files/slipplace.h"
#include "files/sourcefile.h"
#include "geo/mapdatacheck.h"
#include "geo/maplayers.h"
#include "model/dialogbounds.h"
#include "model/numtext.h"
#include "plot/palette.h"
#include "plot/plotcontext.h"
#include "ui/mappreview.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

QCheckBox* makeCheck(QWidget* parent, const QString& caption, const QString& name) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}

// The checked button's position 1..n of an option group (1 when none is).
int16_t chosen(const std::vector<QRadioButton*>& group) {
    for (std::size_t k = 0; k < group.size(); ++k)
        if (group[k]->isChecked()) return int16_t(k + 1);
    return 1;
}

void choose(const std::vector<QRadioButton*>& group, int value) {
    const std::size_t k = value >= 1 && std::size_t(value) <= group.size() ? std::size_t(value) : 1;
    group[k - 1]->setChecked(true);
}

}  // namespace

MapDialog::MapDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("mapform");
    setWindowTitle("Map Parameters");

    needmap_ =
        makeCheck(this, "If You Need Map, Check this and Input Following Parameters", "needmapcbx");

    auto* left = new QVBoxLayout;
    left->addWidget(buildRangeGroup());
    left->addWidget(buildLinesGroup());
    auto* options = new QHBoxLayout;
    options->addWidget(buildOptionGroup("Map Type", "areatypeframe",
                                        {"Japan", "World", "Sequential", "No Map"},
                                        {"Area1", "Area2", "Area3", "Area4"}, areatype_));
    options->addWidget(buildOptionGroup("Projection", "projectionframe",
                                        {"Mercator", "Millur", "Conic"},
                                        {"Projec1", "Projec2", "Projec3"}, projection_));
    left->addLayout(options);
    left->addStretch(1);

    auto* layers = new QGridLayout;
    layers->addWidget(buildFaultGroup(), 0, 0, 1, 2);
    layers->addWidget(buildEventGroup(), 1, 0);
    layers->addWidget(buildTopographyGroup(), 1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildPreviewGroup());
    right->addLayout(layers);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &MapDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &MapDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(needmap_);
    layout->addLayout(columns);
    layout->addLayout(buttonRow({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* MapDialog::buildRangeGroup() {
    auto* g = new QGroupBox("Range of Map", this);
    g->setObjectName("rangeframe");
    auto* grid = new QGridLayout(g);
    grid->addWidget(makeCaption(g, "Latitude"), 0, 1, Qt::AlignHCenter);
    grid->addWidget(makeCaption(g, "Longitude"), 0, 2, Qt::AlignHCenter);
    const char* corners[2] = {"South-West", "North-East"};
    const char* fields[2][2] = {{"flat1", "flon1"}, {"flat2", "flon2"}};
    for (int r = 0; r < 2; ++r) {
        grid->addWidget(makeCaption(g, corners[r]), r + 1, 0);
        for (int k = 0; k < 2; ++k) {
            QLineEdit* b = makeNumberBox(g, QString(fields[r][k]) + "txt", 70);
            boxes_.add(fields[r][k], b);
            grid->addWidget(b, r + 1, k + 1);
        }
    }
    arealist_ = new QComboBox(g);
    arealist_->setObjectName("arealist");
    arealist_->setEditable(true);
    arealist_->setInsertPolicy(QComboBox::NoInsert);
    arealist_->setMinimumContentsLength(14);
    add_ = makeButton(g, "Add", "cmdAreaAdd");
    del_ = makeButton(g, "Del", "cmdAreaDel");
    auto* names = new QHBoxLayout;
    names->addWidget(arealist_, 1);
    names->addWidget(add_);
    names->addWidget(del_);
    grid->addLayout(names, 3, 0, 1, 3);
    arealist_->lineEdit()->installEventFilter(this);
    connect(arealist_, &QComboBox::activated, this, &MapDialog::areaChosen);
    connect(add_, &QPushButton::clicked, this, &MapDialog::addClicked);
    connect(del_, &QPushButton::clicked, this, &MapDialog::delClicked);
    return g;
}

QGroupBox* MapDialog::buildLinesGroup() {
    auto* g = new QGroupBox("Map Lines", this);
    g->setObjectName("linesframe");
    auto* grid = new QGridLayout(g);
    const char* captions[3] = {"Coast+Border", "Coast only", "Border only"};
    auto* types = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        linetype_.push_back(new QRadioButton(captions[k], g));
        linetype_.back()->setObjectName(QString("tyl%1").arg(k + 1));
        types->addWidget(linetype_.back());
    }
    grid->addLayout(types, 0, 0, 1, 3);
    boxes_.add("dlat", addBoxRow(grid, 1, "Interval of Lat and Lon line", "dlattxt", "deg."));
    boxes_.add("nstep", addBoxRow(grid, 2, "Skip Data", "nsteptxt", ""));
    boxes_.box("dlat")->setMaximumWidth(80);
    boxes_.box("nstep")->setMaximumWidth(80);
    return g;
}

QGroupBox* MapDialog::buildOptionGroup(const QString& title, const QString& name,
                                       std::initializer_list<const char*> captions,
                                       std::initializer_list<const char*> names,
                                       std::vector<QRadioButton*>& buttons) {
    auto* g = new QGroupBox(title, this);
    g->setObjectName(name);
    auto* column = new QVBoxLayout(g);
    auto n = names.begin();
    for (const char* caption : captions) {
        buttons.push_back(new QRadioButton(caption, g));
        buttons.back()->setObjectName(*n++);
        column->addWidget(buttons.back());
    }
    return g;
}

QGroupBox* MapDialog::buildFaultGroup() {
    auto* g = new QGroupBox("Active Fault", this);
    g->setObjectName("faultframe");
    auto* grid = new QGridLayout(g);
    grid->addWidget(makeCaption(g, "Land 1/200,000"), 0, 0);
    const char* classes[3] = {"1st", "2nd", "3rd"};
    for (int k = 0; k < 3; ++k) {
        fault_[k] = makeCheck(g, classes[k], QString("faultcbx%1").arg(k));
        grid->addWidget(fault_[k], 0, k + 1);
    }
    fault_[3] = makeCheck(g, "Sea and Land    1/1,000,000", "faultcbx3");
    grid->addWidget(fault_[3], 1, 0, 1, 4);
    volcano_ = makeCheck(g, "Volcano", "volcanocbx");
    grid->addWidget(volcano_, 2, 0, 1, 4);
    return g;
}

QGroupBox* MapDialog::buildEventGroup() {
    auto* g = new QGroupBox("Plots of Earthquakes", this);
    g->setObjectName("eventframe");
    auto* row = new QHBoxLayout(g);
    needevent_ = makeCheck(g, "Plot", "needeventcbx");
    setpara_ = makeButton(g, "Set....", "setparabt");
    row->addWidget(needevent_);
    row->addWidget(setpara_);
    connect(needevent_, &QCheckBox::toggled, this, &MapDialog::updateSetButton);
    connect(setpara_, &QPushButton::clicked, this, [this] {
        if (hooks.eventParameters) hooks.eventParameters();
    });
    return g;
}

QGroupBox* MapDialog::buildTopographyGroup() {
    auto* g = new QGroupBox("Topography", this);
    g->setObjectName("topographyframe");
    auto* row = new QHBoxLayout(g);
    contour_ = makeCheck(g, "Contour", "chkContour");
    color_ = makeCheck(g, "Color", "chkColor");
    row->addWidget(contour_);
    row->addWidget(color_);
    return g;
}

QGroupBox* MapDialog::buildPreviewGroup() {
    auto* g = new QGroupBox("Preview", this);
    g->setObjectName("previewframe");
    auto* column = new QVBoxLayout(g);
    preview_ = new MapPreview(g);
    preview_->setToolTip("Drag the mouse to choose a new range");
    preview_->onSelected = [this](float ax, float ay, float bx, float by) {
        bandSelected(ax, ay, bx, by);
    };
    QPushButton* draw = makeButton(g, "Preview", "cmdPreview");
    connect(draw, &QPushButton::clicked, this, &MapDialog::previewClicked);
    column->addWidget(preview_);
    column->addLayout(buttonRow({draw}));
    return g;
}

bool MapDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == arealist_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Opening ---

void MapDialog::applyPresence() {
    const MapDataPresence p = checkmapdata(wb_.state());
    // A layer whose data file is missing can be neither drawn nor chosen.
    auto offer = [](QCheckBox* box, bool present) {
        box->setEnabled(present);
        if (!present) box->setChecked(false);
    };
    offer(needmap_, p.coast);
    for (std::size_t k = 0; k < fault_.size(); ++k) offer(fault_[k], p.faults[k]);
    offer(volcano_, p.volcanoes);
    offer(needevent_, p.catalogue);
    offer(contour_, p.topography);
    offer(color_, p.topography);
    catalogue_ = p.catalogue;
    updateSetButton();
}

void MapDialog::fill() {
    WorkState& ws = wb_.state();
    writeboxes(boxes_, DialogKind::Map, crustex::entrymapform(ws));
    const MapSwitches sw = mapswitches(ws);
    needmap_->setChecked(sw.needmap);
    needevent_->setChecked(sw.needevent);
    choose(linetype_, sw.linetype);
    choose(areatype_, sw.areatype);
    choose(projection_, sw.projection);
    for (std::size_t k = 0; k < fault_.size(); ++k) fault_[k]->setChecked(sw.faultclass[k]);
    volcano_->setChecked(sw.volcano);
    contour_->setChecked(sw.topocontour);
    color_->setChecked(sw.topocolor);
    applyPresence();
    readAreaList();
}

void MapDialog::readAreaList() {
    areas_ = readarealist(wb_.state().areapath);
    arealist_->clear();
    arealist_->addItem(QString());
    for (const NamedArea& a : areas_) arealist_->addItem(qstr(a.name));
    arealist_->setCurrentIndex(0);
    add_->setEnabled(true);
    del_->setEnabled(false);
}

void MapDialog::updateSetButton() { setpara_->setEnabled(catalogue_ && needevent_->isChecked()); }

void MapDialog::entrymapform() {
    fill();
    previewClicked();
    showModal(this);
}

bool MapDialog::entryWithRange(float lat1, float lon1, float lat2, float lon2) {
    fill();
    boxes_.setText("flat1", formatnumber(lat1, "0.##"));
    boxes_.setText("flon1", formatnumber(lon1, "0.##"));
    boxes_.setText("flat2", formatnumber(lat2, "0.##"));
    boxes_.setText("flon2", formatnumber(lon2, "0.##"));
    if (needmap_->isEnabled()) needmap_->setChecked(true);
    previewClicked();
    setWindowModality(Qt::ApplicationModal);
    return exec() == QDialog::Accepted;
}

MapFormText MapDialog::texts() const {
    MapFormText t;
    readboxes(boxes_, DialogKind::Map, t);
    return t;
}

MapSwitches MapDialog::switches() const {
    MapSwitches sw;
    sw.needmap = needmap_->isChecked();
    sw.needevent = needevent_->isChecked();
    sw.linetype = chosen(linetype_);
    sw.areatype = chosen(areatype_);
    sw.projection = chosen(projection_);
    for (std::size_t k = 0; k < fault_.size(); ++k) sw.faultclass[k] = fault_[k]->isChecked();
    sw.volcano = volcano_->isChecked();
    sw.topocontour = contour_->isChecked();
    sw.topocolor = color_->isChecked();
    return sw;
}

// --- Preview ---

void MapDialog::previewClicked() {
    WorkState copy = previewstate(wb_.state(), texts(), switches());
    PlotContext& pc = preview_->startDrawing();
    previewdrawn_ = setprojection(previewproj_, copy);
    if (previewdrawn_) drawmap(copy, pc, previewproj_, wb_.host());
    preview_->finishDrawing();
}

void MapDialog::bandSelected(float ax, float ay, float bx, float by) {
    if (!previewdrawn_) return;
    const MapRange r = rubberbandrange(previewproj_, ax, ay, bx, by);
    boxes_.setText("flat1", formatnumber(r.lat1, "0.#"));
    boxes_.setText("flon1", formatnumber(r.lon1, "0.#"));
    boxes_.setText("flat2", formatnumber(r.lat2, "0.#"));
    boxes_.setText("flon2", formatnumber(r.lon2, "0.#"));
}

// --- Named ranges ---

void MapDialog::areaChosen(int index) {
    if (index < 1 || std::size_t(index) > areas_.size()) {
        del_->setEnabled(false);
        return;
    }
    const NamedArea& a = areas_[std::size_t(index) - 1];
    boxes_.setText("flat1", formatnumber(a.flat1, "0.##"));
    boxes_.setText("flat2", formatnumber(a.flat2, "0.##"));
    boxes_.setText("flon1", formatnumber(a.flon1, "0.##"));
    boxes_.setText("flon2", formatnumber(a.flon2, "0.##"));
    boxes_.setText("nstep", formatnumber(a.nstep, "0"));
    del_->setEnabled(true);
}

void MapDialog::addClicked() {
    Host& host = wb_.host();
    NamedArea a;
    a.name = arealistname(sstr(arealist_->currentText()));
    if (a.name.empty()) return;
    const bool exists = std::any_of(areas_.begin(), areas_.end(),
                                    [&](const NamedArea& e) { return e.name == a.name; });
    if (exists) {
        host.messageBox("The Area Name already exists", "Error", MsgIcon::Exclamation,
                        MsgButtons::Ok);
        arealist_->setCurrentIndex(0);
        arealist_->setEditText(QString());
        del_->setEnabled(false);
        return;
    }
    if (areas_.size() >= std::size_t(kMaxNamedAreas)) {
        host.messageBox("You can Keep only 50 Areas", "Warning", MsgIcon::Exclamation,
                        MsgButtons::Ok);
        return;
    }
    // The range and step are kept as the boxes hold them: they must be
    // values that "OK" would accept.
    const BoxText text = [this](std::string_view field) -> std::optional<std::string> {
        if (field == "dlat") return std::nullopt;
        return boxes_.text(std::string(field));
    };
    FieldValues v;
    if (boxes_.rejected(checkdialog(DialogKind::Map, text, v), host)) return;
    a.flat1 = v.get("flat1");
    a.flat2 = v.get("flat2");
    a.flon1 = v.get("flon1");
    a.flon2 = v.get("flon2");
    a.nstep = v.getint16("nstep");
    if (addarea(areas_, a) != AreaAdd::Added) return;
    arealist_->addItem(qstr(a.name));
    arealist_->setCurrentIndex(arealist_->count() - 1);
    del_->setEnabled(true);
    if (!savearealist(wb_.state().areapath, areas_)) openerrormessage(host);
}

void MapDialog::delClicked() {
    const int index = arealist_->currentIndex();
    if (index < 1 || std::size_t(index) > areas_.size()) return;
    areas_.erase(areas_.begin() + (index - 1));
    arealist_->removeItem(index);
    arealist_->setCurrentIndex(0);
    del_->setEnabled(false);
    if (!savearealist(wb_.state().areapath, areas_)) openerrormessage(wb_.host());
}

// --- OK ---

bool MapDialog::okClicked() {
    WorkState& ws = wb_.state();
    PlotContext& pc = wb_.plot();
    Host& host = wb_.host();
    if (!needmap_->isChecked()) {
        if (hooks.clearBackground) hooks.clearBackground(false);
        ws.needmap = false;
        setcolormode(pc.palette, "nomap");
        pc.colormode = "nomap";
        ws.areastate = 0;
        ws.narea = 0;
        ws.areaclosed = false;
        accept();
        wb_.drawOverlay();
        return true;
    }
    FieldValues v;
    if (boxes_.rejected(checkmapform(texts(), v), host)) return false;
    // A range the projection cannot lay out is refused like a bad number.
    Projection trial;
    float lon2 = v.get("flon2");
    if (!setupprojection(trial, chosen(projection_), v.get("flat1"), v.get("flon1"), v.get("flat2"),
                         lon2)) {
        boxes_.rejected(FormCheck::rejected("flat1"), host);
        return false;
    }
    storemapform(ws, v, switches());

    host.enableMenus(false);
    if (hooks.clearBackground) hooks.clearBackground(true);
    setcolormode(pc.palette, "map");
    pc.colormode = "map";
    Projection& proj = wb_.projection();
    setprojection(proj, ws);
    if (hooks.drawBackground) hooks.drawBackground();
    rebasefield(ws, proj, pc.frame);
    // Models placed from latitude and longitude stay where they are on the
    // globe.
    const GeoFrame geo{proj, pc.frame};
    replaceslipmodel(ws.slipmodel, geo);
    replacereceivers(ws.receivers, geo);
    ws.nfault = 1;
    if (hooks.rebuildSourceList) hooks.rebuildSourceList();
    markgridstale(ws);
    host.enableMenus(true);
    accept();
    wb_.drawOverlay();
    return true;
}

}  // namespace crustex
