#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>
#include <QTimer>

#include "app/plotcalls.h"
#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "model/numtext.h"
#include "sites/sitereadout.h"
#include "ui/qpaintersurface.h"
#include "ui/sectionwindow.h"
#include "ui/sitewindow.h"

namespace crustex {

namespace {

// The plot's nominal picture: 640 x 510 frame units (aspect 64:51), shown at
// this many pixels wide when the window first opens.
constexpr int kInitialPlotWidth = 800;
// The strip line's height and the read-out's width, in layout units (points).
constexpr double kStripHeight = 13.5;
constexpr double kLocFromRight = 133;
constexpr double kLocWidth = 132;

}  // namespace

MainWindow::MainWindow(WorkState& ws, const QString& programDir, QWidget* parent)
    : QMainWindow(parent),
      ws_(ws),
      programDir_(programDir),
      surface_(std::make_unique<QPainterSurface>(kInitialPlotWidth, kInitialPlotWidth * 51 / 64)),
      client_(new QWidget(this)),
      graphpbx_(new PlotWidget(client_)),
      infopbx_(new QLabel(client_)),
      locpbx_(new QLabel(client_)),
      host_(std::make_unique<WindowHost>(this, infopbx_, [this](bool on) { lockMenus(on); })),
      modes_(ws, pc_, *host_, *this) {
    setWindowTitle("CRUSTEX");
    setObjectName("mainform");
    buildLayout();
    buildMenus();
    connectCommands();
    buildDialogs();
    startup();
}

MainWindow::~MainWindow() {
    // The dialogs and the plot widget are children of this window and go
    // after its members: cut them off from the surface and the mouse modes.
    qApp->removeEventFilter(this);
    client_->removeEventFilter(this);
    surface_->onChanged = nullptr;
    graphpbx_->setLayers({}, {});
    graphpbx_->attach(nullptr, nullptr, nullptr);
    graphpbx_->busy = nullptr;
}

Host& MainWindow::host() { return *host_; }

int MainWindow::units(double u) const {
    const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return int(u * dpi / 72.0 + 0.5);
}

void MainWindow::buildLayout() {
    setCentralWidget(client_);
    client_->setObjectName("client");
    client_->setMinimumSize(320, 200);
    client_->installEventFilter(this);
    for (QLabel* strip : {infopbx_, locpbx_}) {
        strip->setFrameShape(QFrame::Panel);
        strip->setFrameShadow(QFrame::Sunken);
        strip->setAutoFillBackground(true);
        strip->setTextFormat(Qt::PlainText);
    }
    infopbx_->setObjectName("infopbx");
    locpbx_->setObjectName("locpbx");

    pc_.screen = surface_.get();
    pc_.target = surface_.get();
    setplotframe(pc_.frame, ws_.rwidth);
    surface_->onChanged = [this] { graphpbx_->update(); };
    graphpbx_->setLayers([this]() -> const QImage* { return &surface_->shownImage(); }, {});
    graphpbx_->attach(&modes_, &ws_, surface_.get());
    graphpbx_->busy = [this] { return drawing_; };
    graphpbx_->setGeometry(0, 0, surface_->pixelWidth(), surface_->pixelHeight());

    const int stripPx = units(kStripHeight);
    resize(surface_->pixelWidth(),
           surface_->pixelHeight() + stripPx + menuBar()->sizeHint().height());
}

void MainWindow::placeStrips() {
    // The strip line's top lies 13.5 units above the bottom of the client
    // area; the information strip starts at the left edge and is 134 units
    // narrower than the client area; the read-out starts 133 units before
    // the right edge and is 132 units wide.
    // With the map on the read-out also shows latitude and longitude: it is
    // widened (and the information strip narrowed) to hold the longest.
    const int w = client_->width();
    const int h = client_->height();
    const int top = h - units(kStripHeight);
    const int height = units(kStripHeight);
    int locwidth = units(kLocWidth);
    if (ws_.needmap) {
        const std::string longest =
            locationtext(-9999.9f, -9999.9f) + geolocationtext(-89.999f, -179.999f);
        const int text = locpbx_->fontMetrics().horizontalAdvance(QString::fromStdString(longest));
        locwidth = std::max(locwidth, text + 2 * locpbx_->frameWidth() + units(4));
    }
    const int gap = units(kLocFromRight - kLocWidth);
    const int locleft = w - locwidth - gap;
    infopbx_->setGeometry(0, top, std::max(0, locleft - gap), height);
    locpbx_->setGeometry(locleft, top, locwidth, height);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized()) placeStrips();
}

// --- Workbench ---

bool MainWindow::beginWork(bool begin) {
    if (begin) {
        if (drawing_ || host_->closing) return false;
        drawing_ = true;
        disabledDuringWork_.clear();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != this && w->isVisible() && w->isEnabled() && qobject_cast<QDialog*>(w) &&
                !qobject_cast<QMessageBox*>(w)) {
                w->setEnabled(false);
                disabledDuringWork_.push_back(w);
            }
        }
        qApp->installEventFilter(this);
        return true;
    }
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& w : disabledDuringWork_) {
        if (w) w->setEnabled(true);
    }
    disabledDuringWork_.clear();
    drawing_ = false;
    // The window was closed meanwhile: it closes now that the work (and
    // every worker thread of it) has stopped.
    if (host_->closing) QTimer::singleShot(0, this, &QWidget::close);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) placeStrips();
    // During long work Ctrl-Q asks to abort wherever the focus is (an open
    // dialog holds the keyboard while it is applied).
    if (drawing_ && event->type() == QEvent::KeyPress && watched != graphpbx_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isabortkey(*key)) {
            ws_.abortflag = true;
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::drawPicture() {
    if (!beginWork(true)) return;
    const bool modelchanged = ws_.gridstale || ws_.cffstale;
    // A Ctrl-Q typed during an earlier drawing must not abort this one.
    ws_.abortflag = false;
    if (viewChanged()) showPictureView();
    pc_.target = surface_.get();
    // The picture is drawn over the kept map (a work file can switch the
    // map on without drawing it).
    if (ws_.needmap && !mapInBackground_) {
        host_->enableMenus(false);
        drawBackgroundLayers();
        host_->enableMenus(true);
    }
    const ReceiverResults* receivers = currentReceivers();
    composepicture(ws_, pc_, *host_, proj_, nullptr, dumyimg_.isNull() ? nullptr : &dumyimg_,
                   &sites_, &siteWindow_->view(), receivers);
    receiversDrawn_ = receivers != nullptr;
    // The picture draws the graph with the sites shown; "Show Grid Data"
    // can show the window without them.
    if (ws_.showobsdatachecked)
        siteWindow_->pictureDrawn();
    else
        siteWindow_->redraw();
    beginWork(false);
    updateSection(modelchanged);
    modes_.relocate();
    refreshPlot();
    updateMenus();
}

void MainWindow::drawOverlay() {
    placeStrips();  // the read-out's width follows the map switch
    pc_.target = surface_.get();
    surface_->setAutoRedraw(true);
    if (viewChanged()) showPictureView();
    receiversDrawn_ = false;
    composeoverlay(ws_, pc_, *host_, proj_, [this] { siteWindow_->redraw(); });
    if (ws_.gridstale || ws_.cffstale) updateSection(true);
    // After a file or a dialog changed the field or the map.
    modes_.relocate();
    refreshPlot();
    updateMenus();
}

void MainWindow::refreshPlot() { graphpbx_->update(); }

void MainWindow::startPointing(int mousemode, const QString& prompt) {
    ws_.mousemode = int16_t(mousemode);
    host_->enableMenus(false);
    infopbx_->setText(prompt);
    graphpbx_->setCursor(Qt::CrossCursor);
    graphpbx_->setFocus(Qt::OtherFocusReason);
}

// --- MouseSink ---

void MainWindow::setLocation(const std::string& text) {
    locpbx_->setText(QString::fromStdString(text));
}

void MainWindow::clearTransient() { surface_->refresh(); }

void MainWindow::drawProbeMark(float x, float y) { pointermark(pc_, x, y); }

void MainWindow::showNode(int ix, int iy) { host_->setStatus(nodetext(ws_, ix, iy)); }

void MainWindow::showSite(int k) { host_->setStatus(showobsdata(ws_, sites_, k)); }

void MainWindow::drawFieldFrame(const FieldRect& r) {
    dataframe(pc_, r.x0, r.y0, r.x1, r.y1);
    refreshPlot();
}

void MainWindow::restoreCursor() {
    if (ws_.mousemode != kModeArea && ws_.mousemode != kModeProjection) graphpbx_->unsetCursor();
}

bool MainWindow::geoPosition(float x, float y, float& lat, float& lon) {
    if (!ws_.needmap || proj_.s == 0) return false;
    unprojectxy(proj_, x, y, lat, lon);
    return std::isfinite(lat) && std::isfinite(lon);
}

// --- Closing ---

void MainWindow::closeEvent(QCloseEvent* event) {
    if (drawing_) {
        // Long work is running and let this event through: ask it to stop
        // and close when it has, so that the exit files hold what it left.
        event->ignore();
        host_->closing = true;
        host_->abortflag = &ws_.abortflag;
        ws_.abortflag = true;
        return;
    }
    if (!quitting_) {
        quitting_ = true;
        writeExitFiles();
    }
    // The site window goes with the program.
    if (siteWindow_) siteWindow_->hide();
    if (sectionWindow_) sectionWindow_->hide();
    event->accept();
}

}  // namespace crustex
