#include "ui/sitewindow.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "sites/misfit.h"
#include "ui/printpage.h"
#include "ui/qpaintersurface.h"
#include "ui/workbench.h"

namespace crustex {

SitePicture::SitePicture(QPainterSurface& surface, std::function<void(int, int)> resized,
                         QWidget* parent)
    : QWidget(parent), surface_(surface), resized_(std::move(resized)) {
    setObjectName("subpbx");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(160, 120);
}

void SitePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, surface_.shownImage());
}

void SitePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (resized_) resized_(width(), height());
}

SiteWindow::SiteWindow(Workbench& wb, SiteResults& sites, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      wb_(wb),
      sites_(sites),
      surface_(std::make_unique<QPainterSurface>(560, 420)) {
    setObjectName("obsform");
    setWindowTitle("Observation Sites");
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    subpbx_ = new SitePicture(
        *surface_, [this](int w, int h) { resizePicture(w, h); }, client);
    misfit_ = new QLabel(client);
    misfit_->setObjectName("misfitline");
    misfit_->setTextFormat(Qt::PlainText);
    misfit_->setFrameShape(QFrame::Panel);
    misfit_->setFrameShadow(QFrame::Sunken);
    misfit_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    misfit_->setWordWrap(true);
    layout->addWidget(subpbx_, 1);
    layout->addWidget(misfit_);
    setCentralWidget(client);
    surface_->onChanged = [this] { subpbx_->update(); };
    resizePicture(560, 420);
    buildMenus();
}

SiteWindow::~SiteWindow() { surface_->onChanged = nullptr; }

void SiteWindow::buildMenus() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, bool checkable,
                       std::function<void()> command) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(checkable);
        actions_.insert(name, a);
        connect(a, &QAction::triggered, this, [command] { command(); });
        return a;
    };
    QMenu* file = menuBar()->addMenu("File");
    item(file, "printmenu", "Print....", false, [this] { print(); });
    item(file, "closemenu", "Close", false, [this] { close(); });
    QMenu* edit = menuBar()->addMenu("Edit");
    item(edit, "copymenu", "Copy Picture", false, [this] { copyPicture(); });
    QMenu* view = menuBar()->addMenu("View");
    item(view, "barmenu", "Bar Graph", true, [this] { setBarGraph(true); })->setChecked(true);
    item(view, "linemenu", "Line Graph", true, [this] { setBarGraph(false); });
    item(view, "zeromenu", "0-Line", true, [this] { toggleZeroLine(); });
    for (QMenu* m : {file, view}) connect(m, &QMenu::aboutToShow, this, [this] { updateMenus(); });
}

void SiteWindow::resizePicture(int width, int height) {
    surface_->resize(width, height);
    surface_->setScale(0, 0, static_cast<float>(surface_->pixelWidth()),
                       static_cast<float>(surface_->pixelHeight()));
    redraw();
}

const SiteGraphView& SiteWindow::view() {
    view_.surface = surface_.get();
    view_.width = surface_->ScaleWidth();
    view_.height = surface_->ScaleHeight();
    view_.printer = false;
    return view_;
}

bool SiteWindow::graphShown() const {
    const WorkState& ws = wb_.state();
    return sitevaluescurrent(ws) && isgraphquantity(ws.quantitykey, !ws.cffstale);
}

void SiteWindow::redraw() {
    surface_->setAutoRedraw(true);
    if (graphShown()) {
        drawsubg(wb_.state(), sites_, view());
    } else {
        surface_->Cls();
    }
    pictureDrawn();
}

void SiteWindow::pictureDrawn() {
    const WorkState& ws = wb_.state();
    QString text;
    if (ws.nsite > 0 && !ws.gridstale) {
        if (const std::optional<SiteMisfit> m = computemisfit(ws, sites_))
            text = " " + QString::fromStdString(misfitline(*m, ws.quantitykey));
    } else if (ws.nsite > 0 && !ws.obskind.empty()) {
        text = " Misfit: draw the picture again to compute the sites";
    }
    misfit_->setText(text);
    misfit_->setVisible(!text.isEmpty());
    subpbx_->update();
}

void SiteWindow::setBarGraph(bool bar) {
    view_.bargraph = bar;
    actions_.value("barmenu")->setChecked(bar);
    actions_.value("linemenu")->setChecked(!bar);
    redraw();
}

void SiteWindow::toggleZeroLine() {
    view_.zeroline = !view_.zeroline;
    actions_.value("zeromenu")->setChecked(view_.zeroline);
    redraw();
}

void SiteWindow::updateMenus() {
    const WorkState& ws = wb_.state();
    const bool graph = isgraphquantity(ws.quantitykey, !ws.cffstale);
    for (const char* name : {"barmenu", "linemenu", "zeromenu"})
        actions_.value(name)->setEnabled(graph);
    actions_.value("printmenu")->setEnabled(graphShown());
}

void SiteWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    const std::optional<QSizeF> pagesize = chooseprinterpage(printer, printDialog, this);
    if (!pagesize) return;
    const WorkState& ws = wb_.state();
    const std::optional<SiteGraphPage> layout =
        sitegraphpage(pagesize->width(), pagesize->height(), ws.xmargin, ws.ymargin);
    if (!layout) {
        reportnoprintroom(wb_.host());
        return;
    }
    QPainterSurface paper(&printer);
    paper.setScale(layout->left, layout->top, layout->scalewidth, layout->scaleheight);
    paper.setFontSize(surface_->FontSize());
    SiteGraphView page = view();
    page.surface = &paper;
    page.width = layout->width;
    page.height = layout->height;
    page.printer = true;
    drawsubg(ws, sites_, page);
    paper.flush();
}

void SiteWindow::copyPicture() {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setImage(surface_->image());
}

void SiteWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    if (closed) closed();
}

}  // namespace crustex
