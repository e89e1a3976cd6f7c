// The picture commands of the Edit, Execute and Tool menus.
#include <QAction>
#include <QLabel>

#include "app/mainwindow.h"
#include "app/plotcalls.h"
#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "geo/maplayers.h"
#include "ui/qpaintersurface.h"
#include "ui/sitewindow.h"

namespace crustex {

namespace {

// Where "Visual..." marks the legend column before its dialog opens.
constexpr float kVisualMarkX = 590;
constexpr float kVisualMarkTop = 192;
constexpr float kVisualMarkBottom = 240;

}  // namespace

void MainWindow::showQuantity(const std::string& key) {
    ws_.quantitykey = key;
    drawPicture();
}

void MainWindow::redrawPicture() {
    if (ws_.quantitykey.empty()) {
        drawOverlay();
    } else {
        drawPicture();
    }
}

void MainWindow::resizePicture() {
    // Fit the plot into the client area above the strip line, aspect 64:51.
    const int availw = std::max(64, client_->width());
    const int availh = std::max(51, client_->height() - units(13.5));
    int pw = availw;
    int ph = pw * 51 / 64;
    if (ph > availh) {
        ph = availh;
        pw = ph * 64 / 51;
    }
    graphpbx_->setGeometry(0, 0, pw, ph);
    surface_->resize(pw, ph);
    showPictureView();
    redrawPicture();
}

bool MainWindow::viewChanged() const {
    const FrameView v = shownview(ws_);
    return surface_->ScaleLeft() != v.left || surface_->ScaleTop() != v.top ||
           surface_->ScaleWidth() != v.width || surface_->ScaleHeight() != v.height;
}

void MainWindow::showPictureView() {
    const FrameView v = shownview(ws_);
    surface_->setScale(v.left, v.top, v.width, v.height);
    pc_.target = surface_.get();
    setplotframe(pc_.frame, ws_.rwidth);

    if (ws_.pastedbackground && !dumyimg_.isNull()) {
        surface_->clearBackground();
        surface_->setAutoRedraw(true);
        surface_->Cls();
        paintpasted(pc_, *host_, dumyimg_);
        surface_->keepAsBackground();
    } else if (ws_.needmap) {
        drawBackgroundLayers();
    }
}

void MainWindow::drawBackgroundLayers() {
    // The map layers become the kept background that every Cls restores:
    // screen pictures are drawn over it and never draw the map themselves.
    surface_->clearBackground();
    surface_->setAutoRedraw(true);
    pc_.target = surface_.get();
    surface_->Cls();
    if (ws_.topocolor || ws_.topocontour) drawtopography(ws_, pc_, proj_, *host_);
    drawmap(ws_, pc_, proj_, *host_);
    host_->processEvents();
    if (ws_.volcano) drawvolcanoes(ws_, pc_, proj_, *host_);
    if (ws_.needevent) drawevents(ws_, pc_, proj_, *host_);
    surface_->keepAsBackground();
    mapInBackground_ = true;
}

void MainWindow::dropBackground(bool pastedtoo) {
    if (mapInBackground_ || (pastedtoo && ws_.pastedbackground)) surface_->clearBackground();
    mapInBackground_ = false;
    if (pastedtoo) {
        dumyimg_.clear();
        ws_.pastedbackground = false;
    }
}

void MainWindow::clearPicture() {
    surface_->setAutoRedraw(true);
    // A pasted picture goes; the map stays under the cleared picture.
    if (ws_.pastedbackground) dropBackground(true);
    surface_->Cls();
    drawOverlay();
}

void MainWindow::selectArea() {
    modes_.startarea();
    graphpbx_->setCursor(Qt::CrossCursor);
    refreshPlot();
}

void MainWindow::clearArea() {
    modes_.cleararea();
    refreshPlot();
}

void MainWindow::toggleShowObs() {
    if (ws_.showobsdatachecked) {
        ws_.showobsdatachecked = false;
        ws_.showgriddatachecked = false;
        siteWindow_->hide();
    } else {
        ws_.showobsdatachecked = true;
        siteWindow_->show();
    }
    updateMenus();
    drawOverlay();
}

void MainWindow::toggleShowGrid() {
    // The site window comes and goes with this mark too.
    ws_.showgriddatachecked = !ws_.showgriddatachecked;
    siteWindow_->setVisible(ws_.showgriddatachecked);
    updateMenus();
    drawOverlay();
}

void MainWindow::clearObsSites() {
    ws_.nsite = 0;
    ws_.showobsdatachecked = false;
    ws_.showgriddatachecked = false;
    siteWindow_->hide();
    updateMenus();
    drawOverlay();
}

void MainWindow::visualCommand() {
    Surface& s = *surface_;
    s.setAutoRedraw(true);
    s.Line(kVisualMarkX, kVisualMarkTop, kVisualMarkX, kVisualMarkBottom,
           pc_.palette.negsubcontour);
    refreshPlot();
    openVisualDialog();
}

}  // namespace crustex
