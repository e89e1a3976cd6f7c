// Start-up, Quit (and closing the window) and "Resume Last Work...".
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QScreen>

#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "files/datadirs.h"
#include "plot/palette.h"
#include "ui/qpaintersurface.h"
#include "ui/welcomewindow.h"

// Where an installation keeps the shipped data (set by the build).
#ifndef CRUSTEX_DATA_DIR
#define CRUSTEX_DATA_DIR ""
#endif

namespace crustex {

namespace {

// Left/top that centre a window of the given size on the primary screen.
QPoint centred(const QSize& size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {0, 0};
    const QRect s = screen->availableGeometry();
    return {s.left() + std::max(0, (s.width() - size.width()) / 2),
            s.top() + std::max(0, (s.height() - size.height()) / 2)};
}

}  // namespace

void MainWindow::startup() {
    if (welcome_) {
        welcome_->move(centred(welcome_->sizeHint()));
        welcome_->show();
        QApplication::processEvents();
    }
    if (programDir_.isEmpty()) programDir_ = QCoreApplication::applicationDirPath();

    // 1. The plot picture is the drawing target.
    pc_.screen = surface_.get();
    pc_.target = surface_.get();
    // 2-4. Run-time flags and every default.
    setdefaults(ws_, QDir::currentPath().toStdString());
    // The shipped maps and the named ranges beside the program's data, so
    // that "Map..." works on a fresh installation.
    const DataDirs data = defaultdatadirs(
        datadircandidates(QCoreApplication::applicationDirPath().toStdString(), CRUSTEX_DATA_DIR));
    if (!data.mappath.empty()) ws_.mappath = data.mappath;
    if (!data.areapath.empty()) ws_.areapath = data.areapath;
    if (!data.vhyppath.empty()) ws_.vhyppath = data.vhyppath;
    ws_.mousemode = kModeIdle;
    markgridstale(ws_);
    ws_.quantitykey.clear();
    // 3. Centre the window and each dialog.
    move(centred(frameGeometry().size()));
    for (QWidget* dialog : std::as_const(placedWindows_)) {
        if (dialog == nullptr) continue;
        dialog->adjustSize();
        dialog->move(centred(dialog->frameGeometry().size()));
    }
    // 5. Colours for no map, no area, no sites.
    setcolormode(pc_.palette, "nomap");
    pc_.colormode = "nomap";
    ws_.areastate = 0;
    ws_.narea = 0;
    ws_.areaclosed = false;
    ws_.nsite = 0;
    // 6. The settings file overrides the defaults.
    readSettingsFile();
    // 7. Fit the plot to the window. Without a size from the settings file
    // the window is first made just big enough for the initial picture.
    if (layout() != nullptr) layout()->activate();
    if (keptPlaces_ == nullptr || !keptPlaces_->find("mainform")->found) {
        const int dw = surface_->pixelWidth() - client_->width();
        const int dh = surface_->pixelHeight() + units(13.5) - client_->height();
        resize(width() + dw, height() + dh);
        move(centred(frameGeometry().size()));
        if (layout() != nullptr) layout()->activate();
    }
    placeStrips();
    resizePicture();
    // 8. Close the welcome window.
    if (welcome_) {
        welcome_->close();
        welcome_ = nullptr;
    }
    graphpbx_->setFocus(Qt::OtherFocusReason);
    updateMenus();
    if (settingsDamaged_) host_->setStatus(kSettingsKeptStatus);
}

void MainWindow::quit() { close(); }

void MainWindow::writeExitFiles() {
    QDir::setCurrent(programDir_);
    writeSettingsFile();
    writeLastWork();
}

void MainWindow::resumeLastWork() {
    const MsgAnswer a = host_->messageBox("Resume the Last Work?", "Yes or No", MsgIcon::Question,
                                          MsgButtons::YesNo);
    if (a != MsgAnswer::Yes) return;
    readWork(lastworkReadPath());
}

}  // namespace crustex
