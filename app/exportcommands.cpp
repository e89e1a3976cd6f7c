// "Export Picture..." (PDF, SVG, or PNG at a chosen resolution) and "Export
// Grid..." (netCDF or CSV): the same files as crustex-batch writes, through
// the same code. Both start in, and remember, the directory of exported
// grid data.
#include <QDateTime>
#include <QFile>
#include <QInputDialog>

#include "app/mainwindow.h"
#include "app/windowhost.h"
#include "export/fieldexport.h"
#include "export/gridcsv.h"
#include "export/gridnetcdf.h"
#include "files/atomicfile.h"
#include "files/sourcefile.h"
#include "ui/pictureexport.h"
#include "ui/qpaintersurface.h"

namespace crustex {

namespace {

constexpr const char* kPictureFilter = "PDF (*.pdf)|*.pdf|SVG (*.svg)|*.svg|PNG (*.png)|*.png";
constexpr const char* kGridFilter = "netCDF (*.nc)|*.nc|CSV (*.csv)|*.csv";
constexpr int kDefaultDpi = 300;

// The name with the first filter's extension when it has none of the known.
QString withextension(QString name, std::initializer_list<const char*> known) {
    for (const char* ext : known)
        if (name.endsWith(ext, Qt::CaseInsensitive)) return name;
    return name + *known.begin();
}

}  // namespace

void MainWindow::exportPicture() {
    QString name = askFile(true, "Export Picture", kPictureFilter);
    if (name.isEmpty()) return;
    name = withextension(name, {".pdf", ".svg", ".png"});
    PictureFileOptions options;
    options.path = QFile::encodeName(name).toStdString();
    options.format = picturefileformat(options.path).value_or(PictureFileFormat::Pdf);
    options.fontsize = surface_->FontSize();
    if (options.format == PictureFileFormat::Png) {
        bool ok = false;
        options.dpi = QInputDialog::getInt(this, "Export Picture", "Resolution (dpi):", kDefaultDpi,
                                           50, 1200, 50, &ok);
        if (!ok) return;
    }
    if (!beginWork(true)) return;
    ws_.abortflag = false;
    PictureInputs in;
    in.projection = &proj_;
    in.sites = &sites_;  // their vectors, as on the screen
    in.background = ws_.pastedbackground && !dumyimg_.isNull() ? &dumyimg_ : nullptr;
    in.receivers = currentReceivers();
    std::string error;
    const bool written = writepicturefile(ws_, pc_, *host_, in, options, error);
    beginWork(false);
    // Ctrl-Q during drawing abandons the file without a message.
    if (written) rememberFolder(WindowPlaces::Strain, name);
    if (!written && !ws_.abortflag) {
        host_->setStatus(error);
        openerrormessage(*host_);
    }
    ws_.abortflag = false;
    refreshPlot();
}

void MainWindow::exportGrid() {
    QString name = askFile(true, "Export Grid", kGridFilter);
    if (name.isEmpty()) return;
    name = withextension(name, {".nc", ".csv"});
    if (!beginWork(true)) return;
    host_->enableMenus(false);
    // Values the export evaluates are evaluated at the sites too, as a
    // picture does: the shown picture and its site values stay current.
    const bool gridwasstale = ws_.gridstale;
    bool ok = !gridwasstale || evaluatefieldgrid(ws_, *host_);
    if (ok && gridwasstale && ws_.nsite != 0) calcobsdata(ws_, *host_, sites_);
    const bool cffwasstale = ws_.cffstale;
    if (ok) {
        std::vector<const QuantityName*> quantities = defaultgridquantities();
        if (const QuantityName* shown = findquantityname(ws_.quantitykey))
            if (std::find(quantities.begin(), quantities.end(), shown) == quantities.end())
                quantities.push_back(shown);
        const GridProvenance provenance{
            std::string("CRUSTEX ") + kProgramVersion,
            QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() +
                " CRUSTEX Export Grid..."};
        const GeoFrame geo{proj_, pc_.frame};
        const FieldGridExport grid = collectfieldgrid(ws_, *host_, gridvariables(quantities),
                                                      ws_.needmap ? &geo : nullptr, provenance);
        std::string error;
        const std::string path = QFile::encodeName(name).toStdString();
        ok = name.endsWith(".csv", Qt::CaseInsensitive) ? writefileatomic(path, gridcsvtext(grid))
                                                        : writegridnetcdf(grid, path, error);
        if (ok)
            rememberFolder(WindowPlaces::Strain, name);
        else
            openerrormessage(*host_);
    }
    if (cffwasstale && !ws_.cffstale && ws_.nsite != 0) calcobscff(ws_, *host_, sites_);
    host_->enableMenus(true);
    beginWork(false);
}

}  // namespace crustex
