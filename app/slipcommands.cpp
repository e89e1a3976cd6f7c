// The slip-model commands: a .inp file opened through "Open Source...." as
// the whole model, "Open Slip Model..." (any format, added to the model),
// "Export Slip Model..." (the program's patch CSV) and "Clear Slip Model".
// The status strip tells what was read: the file's summary, the largest
// slip, the moment and the moment magnitude.
#include <QFile>
#include <QFileInfo>

#include "app/mainwindow.h"
#include "app/windowhost.h"
#include "compose/slipdraw.h"
#include "files/inpmodel.h"
#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "geo/mapdatacheck.h"
#include "plot/palette.h"
#include "ui/sourceeditor.h"

namespace crustex {

namespace {

constexpr const char* kSlipFilter =
    "Slip Models (*.inp;*.fsp;*.param;*.csv)|*.inp;*.fsp;*.param;*.csv|All Files (*)|*";
constexpr const char* kSlipCsvFilter = "Slip Model CSV (*.csv)|*.csv";

// An absolute name: the exit writes the last work from another directory.
std::string absolutename(const QString& name) {
    return QFile::encodeName(QFileInfo(name).absoluteFilePath()).toStdString();
}

}  // namespace

void MainWindow::showSlipStatus(const std::string& summary) {
    const SlipStats stats = slipstats(ws_.slipmodel, ws_.medium);
    host_->setStatus(summary.empty() ? slipstatstext(stats)
                                     : summary + " (" + slipmomenttext(stats) + ")");
}

void MainWindow::openInpModel(const QString& name) {
    if (!beginWork(true)) return;
    host_->enableMenus(false);
    const std::string path = absolutename(name);
    SlipFileRead read = readslipfile(path);
    const InpOpened opened = openinpmodel(ws_, proj_, pc_.frame, read, path, true);
    if (opened.ok) {
        checkmapdata(ws_);
        const char* mode = ws_.needmap ? "map" : "nomap";
        setcolormode(pc_.palette, mode);
        pc_.colormode = mode;
        // The map of the model's range, or none.
        dropBackground(false);
        if (ws_.needmap) drawBackgroundLayers();
        sourceEditor_->rebuildList();
    }
    host_->enableMenus(true);
    beginWork(false);
    if (!opened.ok) {
        host_->explain(opened.summary);
        inputerrormessage(*host_);
        return;
    }
    drawOverlay();
    showSlipStatus(opened.summary);
}

void MainWindow::openSlipModel() {
    const QString name = askFile(false, "Open Slip Model", kSlipFilter);
    if (name.isEmpty()) return;
    if (!beginWork(true)) return;
    host_->enableMenus(false);
    const GeoFrame geo{proj_, pc_.frame};
    std::string summary;
    // On the map while it is on, else in km.
    const bool loaded =
        loadslipfile(ws_, ws_.needmap ? &geo : nullptr, absolutename(name), summary);
    host_->enableMenus(true);
    beginWork(false);
    if (!loaded) {
        host_->explain(summary);
        inputerrormessage(*host_);
        return;
    }
    rememberFolder(WindowPlaces::Source, name);
    ws_.quantitykey.clear();
    drawOverlay();
    showSlipStatus(summary);
}

void MainWindow::exportSlipModel() {
    QString name = askFile(true, "Export Slip Model", kSlipCsvFilter);
    if (name.isEmpty()) return;
    if (!name.endsWith(".csv", Qt::CaseInsensitive)) name += ".csv";
    const GeoFrame geo{proj_, pc_.frame};
    if (!storepatchcsv(QFile::encodeName(name).toStdString(), ws_.slipmodel,
                       ws_.needmap ? &geo : nullptr)) {
        openerrormessage(*host_);
        return;
    }
    rememberFolder(WindowPlaces::Strain, name);
    host_->setStatus(QFileInfo(name).fileName().toStdString() + ": " +
                     counted(ws_.slipmodel.size(), "patch", "patches") + " written");
}

void MainWindow::clearSlipModel() {
    ws_.slipmodel.clear();
    ws_.quantitykey.clear();
    markgridstale(ws_);
    drawOverlay();
    host_->setStatus("");
}

}  // namespace crustex
