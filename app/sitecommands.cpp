// The observation-site commands: "Open Obs. Sites....", "Export Obs. Sites
// Data..." and "Store Strains (Obs. site)...".
#include "app/mainwindow.h"
#include "app/windowhost.h"
#include "files/sitefile.h"
#include "sites/siteexport.h"
#include "ui/sitewindow.h"

namespace crustex {

namespace {

constexpr const char* kSiteExportFilter = "Text File (*.txt)|*.txt";

}  // namespace

void MainWindow::openObsSites() {
    const QString name = askOpenFile(kSiteFileTitle, kSiteFileFilter);
    if (name.isEmpty()) return;
    const SiteReadResult r =
        readsitefile(ws_, *host_, GeoFrame{proj_, pc_.frame}, name.toStdString());
    if (!r.settled) return;
    updateMenus();
    if (ws_.nsite == 0) {
        siteWindow_->hide();
        drawOverlay();
        return;
    }
    siteWindow_->show();
    siteWindow_->raise();
    // The new sites are evaluated with the picture; without a quantity
    // their marks are shown.
    redrawPicture();
}

void MainWindow::exportObsSites() {
    const QString name = askSaveFile(kExportObsTitle, kSiteExportFilter);
    if (name.isEmpty()) return;
    exportobs(ws_, *host_, sites_, GeoFrame{proj_, pc_.frame}, name.toStdString());
}

void MainWindow::storeObsStrains() {
    const QString name = askSaveFile(kSaveObsTitle, kSiteExportFilter);
    if (name.isEmpty()) return;
    saveobssite(ws_, *host_, sites_, name.toStdString());
}

}  // namespace crustex
