// The observation-site commands: "Open Obs. Sites....", "Export Obs. Sites
// Data..." and "Store Strains (Obs. site)...".
#include "app/mainwindow.h"
#include "app/windowhost.h"
#include "files/sitefile.h"
#include "sites/siteexport.h"
#include "ui/mapdialog.h"
#include "ui/sitewindow.h"

namespace crustex {

namespace {

constexpr const char* kSiteExportFilter = "Text File (*.txt)|*.txt";

}  // namespace

void MainWindow::openObsSites() {
    const QString name = askFile(false, kSiteFileTitle, kSiteFileFilter);
    if (name.isEmpty()) return;
    // A map range in the file opens the map dialog with it, as for a source
    // file; the sites are placed with the projection its OK sets up.
    SourceFileHooks hooks;
    hooks.showmapdialog = [this](float lat1, float lon1, float lat2, float lon2) {
        mapDialog_->entryWithRange(lat1, lon1, lat2, lon2);
    };
    const SiteReadResult r =
        readsitefile(ws_, *host_, GeoFrame{proj_, pc_.frame}, name.toStdString(), hooks);
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
    const QString name = askFile(true, kExportObsTitle, kSiteExportFilter);
    if (name.isEmpty()) return;
    exportobs(ws_, *host_, sites_, GeoFrame{proj_, pc_.frame}, name.toStdString());
}

void MainWindow::storeObsStrains() {
    const QString name = askFile(true, kSaveObsTitle, kSiteExportFilter);
    if (name.isEmpty()) return;
    saveobssite(ws_, *host_, sites_, name.toStdString());
}

}  // namespace crustex
