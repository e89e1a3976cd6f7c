// The file commands: "Open Source....", "Store Source...", "Store Source
// with Map....", "Store Strains....", "Resume Last Work...", "Export Area
// Data..." and the two files written at every exit.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>

#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "files/appdir.h"
#include "files/areaexport.h"
#include "files/settingsfile.h"
#include "files/sourcefile.h"
#include "files/storenames.h"
#include "files/strainexport.h"
#include "files/workfile.h"
#include "geo/mapdatacheck.h"
#include "plot/palette.h"
#include "ui/dialogkit.h"
#include "ui/mapdialog.h"
#include "ui/qpaintersurface.h"
#include "ui/sourceeditor.h"

namespace crustex {

namespace {

constexpr const char* kSourceFilter =
    "Fault Parameters Files (*.flt.txt)|*.flt.txt|Work Files (*.wrk.txt)|*.wrk.txt";
// "Open Source...." also takes a .inp file as the whole model.
constexpr const char* kOpenSourceFilter =
    "Fault Parameters Files (*.flt.txt)|*.flt.txt|Work Files (*.wrk.txt)|*.wrk.txt|"
    "Model Input Files (*.inp)|*.inp";
constexpr const char* kStrainFilter = "Text File (*.txt)|*.txt";
constexpr const char* kAreaFilter = "All Files (*)|*";

// A window place from the settings file, kept on the screen.
void placewindow(QWidget* w, const WindowPlace& p, bool withsize) {
    if (w == nullptr || !p.found) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (withsize && std::isfinite(p.width) && std::isfinite(p.height) && p.width >= 100 &&
        p.height >= 100) {
        w->resize(std::min(int(p.width), avail.width()), std::min(int(p.height), avail.height()));
    }
    if (std::isfinite(p.left) && std::isfinite(p.top)) {
        const int left = std::clamp(int(std::clamp(p.left, -1e6f, 1e6f)), avail.left(),
                                    std::max(avail.left(), avail.right() - 50));
        const int top = std::clamp(int(std::clamp(p.top, -1e6f, 1e6f)), avail.top(),
                                   std::max(avail.top(), avail.bottom() - 50));
        w->move(left, top);
    }
}

void recordplace(WindowPlaces& places, const char* name, const QWidget* w) {
    WindowPlace* p = places.find(name);
    if (p == nullptr || w == nullptr) return;
    const QPoint at = w->pos();
    p->left = float(at.x());
    p->top = float(at.y());
    p->width = float(w->width());
    p->height = float(w->height());
    p->found = true;
}

}  // namespace

QString MainWindow::settingsPath() const {
    return QString::fromStdString(appfilepath(programDir_.toStdString(), kSettingsFileName));
}

QString MainWindow::lastworkPath() const {
    return QString::fromStdString(appfilepath(programDir_.toStdString(), kLastWorkFileName));
}

QString MainWindow::lastworkReadPath() const {
    return QString::fromStdString(appfileforreading(programDir_.toStdString(), kLastWorkFileName));
}

namespace {

// The kind of file a dialog filter offers, by its pattern.
WindowPlaces::Folder folderof(const QString& filter) {
    if (filter.contains("*.wrk.txt")) return WindowPlaces::Work;
    if (filter.contains("*.flt.txt") || filter.contains("*.inp")) return WindowPlaces::Source;
    return WindowPlaces::Strain;
}

}  // namespace

QString MainWindow::folder(WindowPlaces::Folder kind) const {
    if (keptPlaces_ == nullptr) return {};
    return QString::fromStdString(keptPlaces_->folders[std::size_t(kind)]);
}

void MainWindow::rememberFolder(WindowPlaces::Folder kind, const QString& chosen) {
    if (keptPlaces_ == nullptr) keptPlaces_ = std::make_unique<WindowPlaces>();
    keptPlaces_->folders[std::size_t(kind)] = QFileInfo(chosen).absolutePath().toStdString();
}

QString MainWindow::askFile(bool save, const QString& title, const QString& filter,
                            const QString& initial) {
    const QString qt = qtfilter(filter);
    const QStringList filters = qt.split(";;");
    // A proposed name is kept; a bare name goes into the kind's directory.
    const QString folderstart = folder(folderof(filters.value(0)));
    QString start = folderstart;
    if (!initial.isEmpty())
        start = QFileInfo(initial).isAbsolute() || folderstart.isEmpty()
                    ? initial
                    : QDir(folderstart).filePath(initial);
    auto& hook = save ? saveFileDialog : openFileDialog;
    if (hook) return hook(title, qt, start);
    QFileDialog dialog(this, title, start, qt);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Choosing the filter of another kind of file goes to its directory.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [this, &dialog](const QString& f) {
        const QString dir = folder(folderof(f));
        if (!dir.isEmpty()) dialog.setDirectory(dir);
    });
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

void MainWindow::openSource() {
    const QString name = askFile(false, "Open Fault Parameters File", kOpenSourceFilter);
    if (name.isEmpty()) return;
    if (!openablefile(*host_, name.toStdString())) return;
    if (name.endsWith(".inp", Qt::CaseInsensitive)) {
        rememberFolder(WindowPlaces::Source, name);
        openInpModel(name);
        return;
    }
    const FileKind kind = openkind(name.toStdString());
    if (kind != FileKind::None)
        rememberFolder(kind == FileKind::Work ? WindowPlaces::Work : WindowPlaces::Source, name);
    if (kind == FileKind::Source) {
        // A map range in the file opens the map dialog with it; its OK draws
        // the map and sets up the projection the later records are placed
        // with.
        SourceFileHooks hooks;
        hooks.showmapdialog = [this](float lat1, float lon1, float lat2, float lon2) {
            mapDialog_->entryWithRange(lat1, lon1, lat2, lon2);
        };
        const SourceReadResult r =
            readsourcefile(ws_, *host_, GeoFrame{proj_, pc_.frame}, name.toStdString(), hooks);
        checkmapdata(ws_);
        if (r.nsources > 0) {
            sourceEditor_->rebuildList();
            drawOverlay();
        }
    } else if (kind == FileKind::Work) {
        readWork(name);
    }
}

void MainWindow::storeSource(bool withMap) {
    const QString name = askFile(true, "Save Fault Parameters", kSourceFilter);
    if (name.isEmpty()) return;
    const FileKind kind =
        storesourcecommand(ws_, *host_, GeoFrame{proj_, pc_.frame}, name.toStdString(), withMap);
    if (kind != FileKind::None)
        rememberFolder(kind == FileKind::Work ? WindowPlaces::Work : WindowPlaces::Source, name);
}

void MainWindow::storeStrains() {
    const QString name = askFile(true, "Save Grid Data", kStrainFilter);
    if (name.isEmpty()) return;
    // The grid may be evaluated again first: no command may run meanwhile.
    if (!beginWork(true)) return;
    host_->enableMenus(false);
    if (storestrains(ws_, *host_, name.toStdString()) == StrainExport::Written)
        rememberFolder(WindowPlaces::Strain, name);
    host_->enableMenus(true);
    beginWork(false);
}

void MainWindow::readWork(const QString& path) {
    if (!beginWork(true)) return;
    const WorkReadResult r = readworkfile(ws_, *host_, proj_, pc_.frame, path.toStdString());
    // What the map data present allows: no map without the coast file, no
    // topography contours without the tiles.
    if (r.opened) checkmapdata(ws_);
    if (r.opened) {
        if (!r.colormode.empty()) {
            setcolormode(pc_.palette, r.colormode);
            pc_.colormode = r.colormode;
        }
        if (r.clearbackground) dropBackground(true);
        if (r.drawmap) {
            host_->enableMenus(false);
            drawBackgroundLayers();
            host_->enableMenus(true);
        }
    }
    beginWork(false);
    if (!r.opened) return;
    if (r.nsources > 0 || r.slipmodel) sourceEditor_->rebuildList();
    drawOverlay();
    if (r.slipmodel) showSlipStatus("");
}

void MainWindow::exportArea() {
    const QString initial = QString::fromStdString(joinpath(ws_.seispath, "area/Myarea5"));
    const QString name = askFile(true, "Export Area", kAreaFilter, initial);
    if (name.isEmpty()) return;
    exportarea(ws_, proj_, *host_, name.toStdString());
}

void MainWindow::readSettingsFile() {
    WindowPlaces places;
    const std::string path = appfileforreading(programDir_.toStdString(), kSettingsFileName);
    settingsDamaged_ = readsettings(ws_, places, path) == SettingsRead::Damaged;
    placewindow(this, *places.find("mainform"), true);
    for (auto it = placedWindows_.cbegin(); it != placedWindows_.cend(); ++it) {
        if (const WindowPlace* p = places.find(it.key().toStdString())) {
            placewindow(it.value(), *p, WindowPlaces::hassize(it.key().toStdString()));
        }
    }
    keptPlaces_ = std::make_unique<WindowPlaces>(places);
}

void MainWindow::writeSettingsFile() {
    WindowPlaces places = keptPlaces_ ? *keptPlaces_ : WindowPlaces{};
    recordplace(places, "mainform", this);
    for (auto it = placedWindows_.cbegin(); it != placedWindows_.cend(); ++it) {
        recordplace(places, it.key().toStdString().c_str(), it.value());
    }
    // A file that could not be read whole is kept beside the new one.
    storesettings(ws_, places, *host_, settingsPath().toStdString(), settingsDamaged_);
}

void MainWindow::writeLastWork() {
    storework(ws_, *host_, GeoFrame{proj_, pc_.frame}, lastworkPath().toStdString());
}

}  // namespace crustex
