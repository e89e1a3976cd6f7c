// crustex-screenshots: the pictures of the program for the documentation,
// each made as a user makes it: the main window after the menu commands that
// show each kind of picture, the example work files and slip model of
// examples/ opened through "Open Source...." (over the shipped map, with
// topography and earthquakes where the map dialog switches them on), the
// globe map over the date line, the dialogs used most, the map dialog with a
// rubber band on its preview, the site and cross-section windows beside
// the main window, the slip example's receivers in bar with a patch
// clicked and its optimal planes, and the receiver example in the
// publication style.
//   crustex-screenshots [output-dir]     (default: the working directory)
// scripts/screenshots.sh runs it under Xvfb into docs/screenshots.
// Each picture is checked for what makes it worth looking at (ink on the
// plot, the map in the background, selected earthquakes, uncut captions);
// a picture that fails its checks is named on standard error and the exit
// status is 1.
#include <QLineEdit>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "app/plotwidget.h"
#include "model/fsutil.h"
#include "tests/ui/siteexample.h"
#include "ui/fielddialog.h"
#include "ui/fitdialog.h"
#include "ui/mapdialog.h"
#include "ui/mappreview.h"
#include "ui/qpaintersurface.h"
#include "ui/receiverdialog.h"
#include "ui/sectiondialog.h"
#include "ui/sectionwindow.h"
#include "ui/sitewindow.h"
#include "ui/sourceeditor.h"

using namespace crustex;

namespace {

QString outdir;

// A picture that cannot be made as it should, and one whose data is absent.
struct Failed : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct Skipped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void need(bool ok, const QString& what) {
    if (!ok) throw Failed(what.toStdString());
}

// Waits up to five seconds for the condition, as the window gets there.
void waitFor(const std::function<bool()>& condition, const QString& what) {
    need(QTest::qWaitFor(condition, 5000), what);
}

// Share of pixels that are not white.
double inked(const QImage& image) {
    if (image.isNull()) return 0;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    qint64 n = 0;
    for (int y = 0; y < img.height(); y += 2) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); x += 2) n += (row[x] & 0xffffff) != 0xffffff;
    }
    return double(n) / (double(img.width() / 2 + 1) * (img.height() / 2 + 1));
}

void saveImage(const QImage& image, const QString& name) {
    need(!image.isNull() && image.save(outdir + "/" + name), "cannot write " + name);
}

void save(QWidget* w, const QString& name) {
    QCoreApplication::processEvents();
    saveImage(w->grab().toImage(), name);
}

// The main window and the site or section window side by side in one
// picture.
void saveSideBySide(QWidget* left, QWidget* right, const QString& name) {
    QCoreApplication::processEvents();
    const QImage a = left->grab().toImage(), b = right->grab().toImage();
    QImage both(a.width() + 8 + b.width(), std::max(a.height(), b.height()), QImage::Format_RGB32);
    both.fill(Qt::darkGray);
    QPainter p(&both);
    p.drawImage(0, 0, a);
    p.drawImage(a.width() + 8, 0, b);
    p.end();
    saveImage(both, name);
}

void noCutCaptions(QWidget* w) {
    const QStringList cut = test::clippedCaptions(w, 1);
    need(cut.isEmpty(), "captions cut: " + cut.join(", "));
}

// The shipped data directory of the source tree; skipped when absent.
std::string shippedDir(const char* sub) {
    const std::string dir = test::sourcePath(sub).toStdString() + "/";
    if (findfilenocase(dir, "japanv.map").empty())
        throw Skipped(std::string("no map data in ") + sub);
    return dir;
}

// A main window of the documentation's size, the plot fitted to it.
void showSized(test::WindowRig& r, int width = 1000, int height = 860) {
    need(r.shown(), "the main window is not shown");
    r.w->resize(width, height);
    QCoreApplication::processEvents();
    need(r.w->runCommand("resizemenu"), "resizemenu");
}

void run(MainWindow& w, const char* command) { need(w.runCommand(command), command); }

void open(MainWindow& w, const char* command, const QString& path) {
    need(test::runWithFile(w, command, path), QString(command) + " " + path);
}

// "Map..." with the map and the topography's colour and contours ticked,
// then OK (which leaves one source: the example is opened afterwards).
void switchTopographyOn(test::WindowRig& r) {
    MapDialog* d = r.w->mapDialog();
    run(*r.w, "mapmenu");
    for (const char* name : {"needmapcbx", "chkColor", "chkContour"}) {
        auto* box = d->findChild<QAbstractButton*>(name);
        need(box != nullptr && box->isEnabled(), QString("no check box ") + name);
        box->setChecked(true);
    }
    need(d->okClicked() && r.ws.topocolor && r.ws.topocontour, "the topography is not on");
}

// Moves the pointer into the plot (from elsewhere first, so that a move
// event comes even when it is there already).
void pointAt(MainWindow& w, QPoint p) {
    QTest::mouseMove(w.plotArea(), QPoint(5, 5));
    QTest::mouseMove(w.plotArea(), p);
}

void plotInked(MainWindow& w, double share) {
    need(inked(w.surface()->image()) > share, "the plot is empty");
}

// Closes any message box that shows while it lives and keeps its text: a
// picture step that asks something fails with the question instead of
// waiting for an answer.
class UnexpectedBoxes {
public:
    UnexpectedBoxes() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->windowTitle() + ": " + box->text();
                box->reject();
            }
        });
        timer_.start(100);
    }
    QString seen() const { return texts_.join(" | "); }

private:
    QTimer timer_;
    QStringList texts_;
};

// The main window's pictures of the start-up model, probed at the node
// nearest the plot's middle (the pointer mark and the node's values in the
// information strip, the pointer's position in the read-out).
void mainWindowPicture(const char* command, const char* file) {
    test::WindowRig r;
    MainWindow& w = *r.w;
    showSized(r);
    run(w, command);
    need(!r.ws.gridstale, "the grid is stale");
    // The plot fills the window's width (aspect 64:51).
    need(w.plotArea()->width() >= w.centralWidget()->width() - 2 ||
             w.plotArea()->height() >= w.centralWidget()->height() - 40,
         "the plot does not fill the window");
    plotInked(w, 0.005);
    noCutCaptions(&w);
    save(&w, file);
    const QPoint middle = w.plotArea()->rect().center();
    pointAt(w, middle);
    QTest::mouseClick(w.plotArea(), Qt::LeftButton, {}, middle + QPoint(0, 40));
    QTest::qWait(100);
    QTest::mouseMove(w.plotArea(), middle + QPoint(0, 41));
    waitFor([&] { return w.locationStrip()->text().startsWith(" x:1"); }, "no read-out");
    need(!w.infoStrip()->text().isEmpty(), "no node values");
}

// An example work file: the picture's command, whether the map dialog
// switches the topography on first, and whether the publication style is on.
struct ExampleShot {
    const char* work;
    const char* command;
    const char* file;
    bool topography = false;
    bool publication = false;
};

void examplePicture(const ExampleShot& shot) {
    const UnexpectedBoxes boxes;
    test::WindowRig r;
    MainWindow& w = *r.w;
    r.ws.mappath = shippedDir("map");
    // The shipped catalogue ("VHYP File Path" under Tool -> Option...).
    r.ws.vhyppath = test::sourcePath("data/Vhyp102.ep").toStdString();
    showSized(r);
    if (shot.topography) switchTopographyOn(r);
    open(w, "openfltmenu", test::exampleFile(shot.work));
    need(r.ws.nfault >= 1 || !r.ws.slipmodel.empty(), "no sources");
    if (shot.publication) run(w, "pubstylemenu");
    run(w, shot.command);
    need(!r.ws.gridstale, "the grid is stale");
    plotInked(w, 0.02);
    if (r.ws.needmap) {
        need(shot.publication || inked(w.surface()->background()) > 0.01,
             "no map in the background");
        pointAt(w, w.plotArea()->rect().center());
        waitFor([&] { return w.locationStrip()->text().endsWith("E)"); }, "no map read-out");
    }
    // The earthquakes of the example's week near Hualien.
    need(!r.ws.needevent || r.ws.eventtable.events.size() >= 10, "too few earthquakes");
    need(!shot.publication || inked(w.surface()->image()) > 0.3, "no bands");
    need(boxes.seen().isEmpty(), boxes.seen());
    noCutCaptions(&w);
    save(&w, shot.file);
}

// The slip example's receivers split 6 x 3 in bar, one patch clicked, then
// delta CFF on optimal planes with their strike ticks.
void receiversAndOptimalPlanes() {
    const UnexpectedBoxes boxes;
    test::WindowRig r;
    MainWindow& w = *r.w;
    r.ws.mappath = shippedDir("map");
    showSized(r);
    open(w, "openfltmenu", test::exampleFile("slip-example.inp"));
    r.ws.stressunit = StressUnit::Bar;  // as Tool -> Option... sets it
    run(w, "rcvoptionmenu");
    ReceiverDialog* d = w.receiverDialog();
    d->box("receiveralong")->setText("6");
    d->box("receiverdown")->setText("3");
    need(d->okClicked(), "the receiver options are refused");
    run(w, "cffmenu");
    const ReceiverResults& shown = w.receiverCache().last();
    need(shown.patches.size() == 36, "not 36 receiver patches");
    const ReceiverPatch& p = shown.patches[28];
    const float fx = toframex(w.plot().frame, p.x), fy = toframey(w.plot().frame, p.y);
    w.mouseModes().press(MouseButton::Left, false, false, fx, fy);
    w.mouseModes().release(MouseButton::Left, fx, fy);
    need(w.infoStrip()->text().startsWith(" Receiver 2, patch 11 of 18"), "no patch read-out");
    save(&w, "main-receivers-bar.png");
    run(w, "oopticksmenu");
    run(w, "cffoopmenu");
    plotInked(w, 0.02);
    need(boxes.seen().isEmpty(), boxes.seen());
    save(&w, "main-cffoop-ticks.png");
}

// The receiver example over the start-up model in the publication style.
void receiversPublicationStyle() {
    test::WindowRig r;
    MainWindow& w = *r.w;
    showSized(r);
    open(w, "openrcvmenu", test::exampleFile("receivers-example.csv"));
    need(r.ws.receivers.size() == 4, "not the example's four receivers");
    run(w, "rcvoptionmenu");
    w.receiverDialog()->box("receiveralong")->setText("8");
    w.receiverDialog()->box("receiverdown")->setText("3");
    need(w.receiverDialog()->okClicked(), "the receiver options are refused");
    run(w, "pubstylemenu");
    run(w, "cffmenu");
    need(inked(w.surface()->image()) > 0.3, "no bands");
    save(&w, "main-receivers-publication.png");
}

// The fit of the walk-through: the nine fault parameters of the wrong start
// fitted to the example sites, the result shown before Apply.
void fitDialogAfterFit() {
    test::WindowRig r;
    MainWindow& w = *r.w;
    showSized(r);
    need(test::openSiteExample(r, "sites-example-start.wrk.txt"), "no site example");
    run(w, "uzmenu");
    run(w, "fitmenu");
    FitDialog& d = *w.fitDialog();
    for (FitParam p : {FitParam::East, FitParam::North, FitParam::Depth, FitParam::Strike,
                       FitParam::Dip, FitParam::Rake, FitParam::Length, FitParam::Width,
                       FitParam::Slip})
        need(d.setFree(1, p, true), "a parameter cannot be freed");
    need(d.fitClicked(), "the fit failed");
    d.resize(d.sizeHint().width() + 40, d.sizeHint().height() + 40);
    noCutCaptions(&d);
    save(&d, "fit-dialog.png");
    d.close();
}

// East of the date line the read-out goes on counting east longitudes past
// 180.
void worldMapOverTheDateLine() {
    test::WindowRig r;
    MainWindow& w = *r.w;
    r.ws.mappath = shippedDir("map/world");  // as "Map File Directory" under Tool -> Option...
    showSized(r);
    open(w, "openfltmenu", test::exampleFile("pacific.wrk.txt"));
    need(r.ws.needmap && r.ws.flon2 > 180, "the map range is not across the date line");
    need(inked(w.surface()->background()) > 0.01, "no map in the background");
    const QRect plot = w.plotArea()->rect();
    pointAt(w, QPoint(plot.width() * 3 / 5, plot.height() / 2));
    waitFor([&] { return w.locationStrip()->text().endsWith("E)"); }, "no map read-out");
    const QString text = w.locationStrip()->text();
    need(text.section(':', -1).chopped(2).toDouble() > 180, text);
    noCutCaptions(&w);
    save(&w, "main-world-pacific.png");
}

// The site example: delta CFF with the site window's graph, Displacement Z
// with the computed and observed values side by side, and the horizontal
// displacement of a trial model (the slip cut from 3 m to 2 m, as a user
// tries one in the source editor) with its computed vectors beside the
// observed ones at the sites (the main window alone: "Show Grid Data" off
// hides the site window).
struct SiteShot {
    const char* command;
    const char* file;
    bool vectors;  // "Show Grid Data" off (the site window with it), the slip cut
};

void siteWindowPicture(const SiteShot& shot) {
    const auto& [command, file, vectors] = shot;
    test::WindowRig r;
    MainWindow& w = *r.w;
    showSized(r, vectors ? 1000 : 900, vectors ? 860 : 780);
    need(test::openSiteExample(r), "the site example did not open");
    SiteWindow& sites = *w.siteWindow();
    sites.resize(620, 520);
    sites.move(w.frameGeometry().right() + 10, w.y());
    if (vectors) {
        run(w, "showgridmenu");
        run(w, "pubstylemenu");
        r.ws.fault[1].slip = 2000;
        markgridstale(r.ws);
    }
    run(w, command);
    need(sites.isVisible() == !vectors, "the site window did not follow Show Grid Data");
    const QString misfit = sites.misfitLine()->text();
    need(misfit.startsWith(" Misfit of the observed 3-D displacements (30 sites"), misfit);
    plotInked(w, 0.005);
    noCutCaptions(&sites);
    if (!vectors) return saveSideBySide(&w, &sites, file);
    // The trial model misses the observations by far more than their noise
    // of a few millimetres.
    need(misfit.section("all ", 1).section(' ', 0, 0).toDouble() > 10, misfit);
    save(&w, file);
}

// delta CFF of the start-up model and its section across the fault
// (85..105 km east at y = 100) beside it.
void sectionWindowPicture() {
    test::WindowRig r;
    MainWindow& w = *r.w;
    showSized(r, 900, 780);
    run(w, "cffmenu");
    run(w, "sectionmenu");
    SectionDialog& d = *w.sectionDialog();
    for (const auto& [field, text] : {std::pair{"x0", "95"},
                                      {"y0", "80"},
                                      {"x1", "95"},
                                      {"y1", "120"},
                                      {"bottom", "20"},
                                      {"step", "0.5"}})
        d.box(field)->setText(text);
    need(d.okClicked(), "the section was refused");
    SectionWindow& s = *w.sectionWindow();
    s.resize(700, 500);
    s.move(w.frameGeometry().right() + 10, w.y());
    waitFor([&s] { return inked(s.surface().image()) > 0.02; }, "the section is empty");
    noCutCaptions(&s);
    saveSideBySide(&w, &s, "section-window.png");
}

void dialogs() {
    test::WindowRig r;
    MainWindow& w = *r.w;
    need(r.shown(), "the main window is not shown");
    const std::tuple<const char*, QDialog*, const char*> shots[] = {
        {"sourcemenu", w.sourceEditor(), "dialog-source-parameters.png"},
        {"fieldmenu", w.fieldDialog(), "dialog-field-parameters.png"}};
    for (const auto& [command, dialog, file] : shots) {
        run(w, command);
        need(dialog->isVisible(), QString(command) + " shows no dialog");
        const QStringList cut = test::clippedCaptions(dialog, 1);
        if (!cut.isEmpty()) std::fprintf(stderr, "captions cut: %s\n", qPrintable(cut.join(", ")));
        save(dialog, file);
        dialog->reject();
    }
}

void mapDialogWithRubberBand() {
    test::WindowRig r;
    need(r.shown(), "the main window is not shown");
    MapDialog* d = r.w->mapDialog();
    d->entrymapform();  // also without map data: the preview is then empty
    need(d->isVisible(), "no map dialog");
    d->findChild<QAbstractButton*>("needmapcbx")->setChecked(true);
    MapPreview* p = d->preview();
    const QPoint a = p->toPixel(QPointF(200, 120)).toPoint();
    const QPoint b = p->toPixel(QPointF(420, 330)).toPoint();
    QTest::mousePress(p, Qt::LeftButton, {}, a);
    QTest::mouseMove(p, b);
    QTest::mouseRelease(p, Qt::LeftButton, {}, b);
    need(d->box("flat1")->text() != "34.", "the rubber band set no range");
    noCutCaptions(d);
    save(d, "dialog-map-parameters.png");
    d->reject();
}

// The main window's pictures of the start-up model: command and file.
const std::pair<const char*, const char*> kMainShots[] = {
    {"uzmenu", "main-displacement-z.png"},
    {"cffmenu", "main-delta-cff.png"},
    {"displmenu", "main-horizontal-displacement.png"},
    {"principalmenu", "main-principal-strains.png"}};

const ExampleShot kExampleShots[] = {
    {"map-range.wrk.txt", "uzmenu", "main-map-displacement-z.png"},
    {"map-range.wrk.txt", "cffmenu", "main-map-delta-cff.png"},
    {"map-range.wrk.txt", "cffmenu", "main-map-delta-cff-publication.png", false, true},
    {"map-range.wrk.txt", "cffmenu", "main-map-topography-delta-cff.png", true},
    {"hualien.wrk.txt", "cffmenu", "main-hualien-events-delta-cff.png", true},
    {"twenty-sources.wrk.txt", "uzmenu", "main-twenty-displacement-z.png"},
    {"twenty-sources.wrk.txt", "uzmenu", "main-twenty-displacement-z-publication.png", false, true},
    {"slip-example.inp", "uzmenu", "main-slip-displacement-z.png"},
    {"slip-example.inp", "cffmenu", "main-slip-delta-cff.png"},
    {"slip-example.inp", "uzmenu", "main-slip-displacement-z-publication.png", false, true},
    {"slip-example.inp", "cffmenu", "main-slip-delta-cff-publication.png", false, true},
    {"fringes-example.wrk.txt", "fringesmenu", "main-fringes.png"}};

const SiteShot kSiteShots[] = {{"cffmenu", "sites-delta-cff.png", false},
                               {"uzmenu", "sites-displacement-z.png", false},
                               {"displmenu", "sites-horizontal-displacement.png", true}};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    outdir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(outdir);
    // The window kit finds examples/, map/ and data/ through the test data
    // directory of the source tree.
    if (qEnvironmentVariableIsEmpty("CRUSTEX_TEST_DATA"))
        qputenv("CRUSTEX_TEST_DATA", CRUSTEX_SOURCE_DIR "/tests/data");
    std::vector<std::pair<std::string, std::function<void()>>> pictures;
    for (const auto& shot : kMainShots)
        pictures.emplace_back(shot.second, [shot] { mainWindowPicture(shot.first, shot.second); });
    for (const ExampleShot& shot : kExampleShots)
        pictures.emplace_back(shot.file, [&shot] { examplePicture(shot); });
    pictures.emplace_back("main-world-pacific.png", worldMapOverTheDateLine);
    pictures.emplace_back("main-receivers-bar.png", receiversAndOptimalPlanes);
    pictures.emplace_back("fit-dialog.png", fitDialogAfterFit);
    pictures.emplace_back("main-receivers-publication.png", receiversPublicationStyle);
    for (const SiteShot& shot : kSiteShots)
        pictures.emplace_back(shot.file, [&shot] { siteWindowPicture(shot); });
    pictures.emplace_back("section-window.png", sectionWindowPicture);
    pictures.emplace_back("dialogs", dialogs);
    pictures.emplace_back("dialog-map-parameters.png", mapDialogWithRubberBand);
    int failed = 0;
    for (const auto& [name, make] : pictures) {
        try {
            make();
            std::printf("%s: written\n", name.c_str());
        } catch (const Skipped& e) {
            std::printf("%s: skipped (%s)\n", name.c_str(), e.what());
        } catch (const Failed& e) {
            std::fprintf(stderr, "%s: FAILED: %s\n", name.c_str(), e.what());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
