// "Copy Picture" and "Paste Background" through the clipboard.
#include <QClipboard>
#include <QGuiApplication>

#include "app/mainwindow.h"
#include "app/plotcalls.h"
#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "plot/palette.h"
#include "ui/qpaintersurface.h"

namespace crustex {

void MainWindow::copyPicture() {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setImage(surface_->image());
}

void MainWindow::pasteBackground() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return;
    dropBackground(true);
    dumyimg_.setImage(image);
    surface_->setAutoRedraw(true);
    surface_->Cls();
    paintpasted(pc_, *host_, dumyimg_);
    surface_->keepAsBackground();
    ws_.pastedbackground = true;
    if (ws_.needmap) {
        ws_.needmap = false;
        setcolormode(pc_.palette, "nomap");
        pc_.colormode = "nomap";
    }
    if (QAction* a = action("selareamenu")) a->setEnabled(false);
    if (QAction* a = action("exportareamenu")) a->setEnabled(false);
    if (QAction* a = action("clearareamenu")) a->setEnabled(false);
    ws_.areastate = 0;
    ws_.narea = 0;
    ws_.areaclosed = false;
    drawOverlay();
}

}  // namespace crustex
