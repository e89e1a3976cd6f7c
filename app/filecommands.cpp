// The file commands: "Open Source....", "Store Source...", "Store Source
// with Map....", "Store Strains...." and the two files of every exit.
#include <QFileDialog>
#include <QFileInfo>

#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "ui/dialogkit.h"
#include "ui/qthost.h"

namespace crustex {

namespace {

constexpr const char* kSourceFilter =
    "Fault Parameters Files (*.flt.txt)|*.flt.txt|Work Files (*.wrk.txt)|*.wrk.txt";
constexpr const char* kStrainFilter = "Text File (*.txt)|*.txt";

}  // namespace

QString MainWindow::askOpenFile(const QString& title, const QString& filter) {
    const QString qt = qtfilter(filter);
    if (openFileDialog) return openFileDialog(title, qt);
    return QFileDialog::getOpenFileName(this, title, QString(), qt);
}

QString MainWindow::askSaveFile(const QString& title, const QString& filter) {
    const QString qt = qtfilter(filter);
    if (saveFileDialog) return saveFileDialog(title, qt);
    return QFileDialog::getSaveFileName(this, title, QString(), qt);
}

void MainWindow::openSource() {
    const QString name = askOpenFile("Open Fault Parameters File", kSourceFilter);
    if (name.isEmpty()) return;
    if (!QFileInfo(name).isFile()) {
        host_->messageBox("Open Error", "Error", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    const QString lower = name.toLower();
    if (lower.endsWith(".flt.txt")) {
        // readsourcefile
    } else if (lower.endsWith(".wrk.txt")) {
        readWork(name);
    }
}

void MainWindow::storeSource(bool withMap) {
    const QString name = askSaveFile("Save Fault Parameters", kSourceFilter);
    if (name.isEmpty()) return;
    (void)withMap;
}

void MainWindow::storeStrains() {
    const QString name = askSaveFile("Save Grid Data", kStrainFilter);
    if (name.isEmpty()) return;
}

void MainWindow::readWork(const QString& path) { (void)path; }

void MainWindow::readSettingsFile() {}

void MainWindow::writeSettingsFile() {}

void MainWindow::writeLastWork() {}

}  // namespace crustex
