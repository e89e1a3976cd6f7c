// The stress commands: the receivers (Tool -> Receivers: open a receiver
// CSV, the sources as receivers, the receiver options, Export Receivers...,
// Clear Receivers), the regional stress (Parameter -> Regional Stress...)
// and the strike ticks of "delta CFF (optimal planes)". The receivers are
// evaluated for the picture that draws them, again only when what they
// depend on changed, and a click on a drawn patch shows its values.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "app/mainwindow.h"
#include "app/windowhost.h"
#include "compose/receiverpicture.h"
#include "export/receiverexport.h"
#include "files/receivercsv.h"
#include "stress/receiverpatches.h"
#include "ui/receiverdialog.h"
#include "ui/regionalstressdialog.h"

namespace crustex {

namespace {

constexpr const char* kReceiverFilter = "Receiver CSV (*.csv)|*.csv|All Files (*)|*";
constexpr const char* kReceiverExportFilter =
    "Receiver CSV (*.csv)|*.csv|GeoJSON (*.geojson)|*.geojson";

}  // namespace

void MainWindow::buildReceiverMenu(QMenu* receivers) {
    addItem(receivers, "openrcvmenu", "Open Receivers...");
    addItem(receivers, "sourcercvmenu", "Sources as Receivers");
    addItem(receivers, "rcvoptionmenu", "Receiver Options...");
    receivers->addSeparator();
    addItem(receivers, "exportrcvmenu", "Export Receivers...");
    addItem(receivers, "clearrcvmenu", "Clear Receivers");
}

void MainWindow::buildStressDialogs() {
    receiverDialog_ = new ReceiverDialog(*this, receiverChoice_, this);
    regionalDialog_ = new RegionalStressDialog(*this, this);
}

void MainWindow::connectStressCommands(const std::function<void(const char*, Command)>& on) {
    on("openrcvmenu", [this] { openReceivers(); });
    on("sourcercvmenu", [this] { useSourcesAsReceivers(); });
    on("rcvoptionmenu", [this] { receiverDialog_->entry(); });
    on("exportrcvmenu", [this] { exportReceivers(); });
    on("clearrcvmenu", [this] { clearReceivers(); });
    on("regionalmenu", [this] { regionalDialog_->entry(); });
    // Only how the picture is drawn changes.
    on("oopticksmenu", [this] {
        ws_.optimalticks = !ws_.optimalticks;
        updateMenus();
        if (ws_.quantitykey == "cffoop") drawPicture();
    });
}

const ReceiverResults* MainWindow::currentReceivers() {
    PointsRun run;
    run.progress = [this](int, int) {
        host_->processEvents();
        return !ws_.abortflag;
    };
    return receivers_.results(ws_, receiverChoice_, run, receiverProblem_);
}

void MainWindow::showReceivers(const std::string& summary) {
    drawPicture();
    std::string text = summary;
    const ReceiverResults& r = receivers_.last();
    if (r.skipped > 0)
        text += "; " + counted(r.skipped, "receiver", "receivers") +
                " skipped (zero length or width, or unusable values)";
    if (!receiverProblem_.empty()) text += "; not evaluated: " + receiverProblem_;
    host_->setStatus(text);
}

void MainWindow::openReceivers() {
    const QString name = askFile(false, "Open Receivers", kReceiverFilter);
    if (name.isEmpty()) return;
    const GeoFrame geo{proj_, pc_.frame};
    std::string summary;
    // On the map while it is on; degrees need it.
    if (!loadreceiverfile(ws_, ws_.needmap ? &geo : nullptr, QFile::encodeName(name).toStdString(),
                          summary)) {
        host_->explain(summary);
        inputerrormessage(*host_);
        return;
    }
    rememberFolder(WindowPlaces::Source, name);
    showReceivers(summary);
}

void MainWindow::useSourcesAsReceivers() {
    std::vector<ReceiverFault> list = sourcereceivers(ws_);
    if (list.empty()) {
        host_->setStatus("The sources hold no fault to take as a receiver");
        return;
    }
    ws_.receivers = std::move(list);
    showReceivers("The sources as receivers: " +
                  counted(ws_.receivers.size(), "receiver", "receivers"));
}

void MainWindow::exportReceivers() {
    QString name = askFile(true, "Export Receivers", kReceiverExportFilter);
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += ".csv";
    if (!beginWork(true)) return;
    ws_.abortflag = false;
    const ReceiverResults* results = currentReceivers();
    beginWork(false);
    if (results == nullptr) {
        host_->setStatus(receiverProblem_);
        return;
    }
    const GeoFrame geo{proj_, pc_.frame};
    if (!storereceivers(QFile::encodeName(name).toStdString(), *results, receivers_.lastreceivers(),
                        ws_.needmap ? &geo : nullptr)) {
        openerrormessage(*host_);
        return;
    }
    rememberFolder(WindowPlaces::Strain, name);
    host_->setStatus(QFileInfo(name).fileName().toStdString() + ": " +
                     counted(results->patches.size(), "patch", "patches") + " written");
}

void MainWindow::clearReceivers() {
    ws_.receivers.clear();
    receivers_.forget();
    redrawPicture();
    host_->setStatus("");
}

bool MainWindow::showReceiverPatch(float x, float y) {
    if (!receiversDrawn_) return false;
    const int k = receiverpatchat(receivers_.last(), pc_.frame, x, y);
    if (k < 0) return false;
    host_->setStatus(receiverreadout(receivers_.last(), static_cast<std::size_t>(k),
                                     receivers_.lastreceivers()));
    return true;
}

}  // namespace crustex
