// Pictures of the program for the documentation, each made as a user makes
// it: the main window after the menu commands that show each kind of
// picture, the example work files and slip model of examples/ opened
// through "Open Source...." (over the shipped map, with topography and
// earthquakes where the map dialog switches them on), the globe map over
// the date line, the dialogs used most, the map dialog with a rubber band
// on its preview, and the site and cross-section windows beside the main
// window. They are
// written as PNG files into $CRUSTEX_SCREENSHOT_DIR (set by
// scripts/screenshots.sh to docs/screenshots), else $CRUSTEX_TEST_OUTPUT,
// else the current directory.
// Each picture is checked for what makes it worth looking at (ink on the
// plot, the map in the background, selected earthquakes, uncut captions).

#include <QLineEdit>
#include <QPainter>

#include "app/plotwidget.h"
#include "geo/mapdatacheck.h"
#include "siteexample.h"
#include "ui/fielddialog.h"
#include "ui/mapdialog.h"
#include "ui/mappreview.h"
#include "ui/qpaintersurface.h"
#include "ui/sectiondialog.h"
#include "ui/sectionwindow.h"
#include "ui/sitewindow.h"
#include "ui/sourceeditor.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

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

bool save(QWidget* w, const QString& name) {
    QCoreApplication::processEvents();
    const QImage shot = w->grab().toImage();
    return !shot.isNull() && shot.save(test::outputDir("CRUSTEX_SCREENSHOT_DIR") + "/" + name);
}

// The shipped data directories of the source tree ("" when absent).
std::string shippedDir(const char* sub) {
    const std::string dir = test::sourcePath(sub).toStdString() + "/";
    return findfilenocase(dir, "japanv.map").empty() ? std::string() : dir;
}

// A main window of the documentation's size, the plot fitted to it.
bool showSized(test::WindowRig& r, int width = 1000, int height = 860) {
    if (!r.shown()) return false;
    r.w->resize(width, height);
    QCoreApplication::processEvents();
    return r.w->runCommand("resizemenu");
}

// "Map..." with the map and the topography's colour and contours ticked,
// then OK (which leaves one source: the example is opened afterwards).
bool switchTopographyOn(test::WindowRig& r) {
    MapDialog* d = r.w->mapDialog();
    if (!r.w->runCommand("mapmenu")) return false;
    for (const char* name : {"needmapcbx", "chkColor", "chkContour"}) {
        auto* box = d->findChild<QAbstractButton*>(name);
        if (box == nullptr || !box->isEnabled()) return false;
        box->setChecked(true);
    }
    return d->okClicked() && r.ws.topocolor && r.ws.topocontour;
}

// Moves the pointer into the plot (from elsewhere first, so that a move
// event comes even when it is there already).
void pointAt(MainWindow& w, QPoint p) {
    QTest::mouseMove(w.plotArea(), QPoint(5, 5));
    QTest::mouseMove(w.plotArea(), p);
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

// The main window's pictures of the start-up model.
struct Shot {
    const char* name;
    const char* command;
    const char* file;
};
const Shot kShots[] = {{"uz", "uzmenu", "main-displacement-z.png"},
                       {"cff", "cffmenu", "main-delta-cff.png"},
                       {"vectors", "displmenu", "main-horizontal-displacement.png"},
                       {"principal", "principalmenu", "main-principal-strains.png"}};

// The example work files: the picture's command, whether the map dialog
// switches the topography on first, and whether the publication style is on.
struct ExampleShot {
    const char* name;
    const char* work;
    const char* command;
    const char* file;
    bool topography = false;
    bool publication = false;
};
const ExampleShot kExampleShots[] = {
    {"map uz", "map-range.wrk.txt", "uzmenu", "main-map-displacement-z.png"},
    {"map cff", "map-range.wrk.txt", "cffmenu", "main-map-delta-cff.png"},
    {"map cff publication", "map-range.wrk.txt", "cffmenu", "main-map-delta-cff-publication.png",
     false, true},
    {"map topography", "map-range.wrk.txt", "cffmenu", "main-map-topography-delta-cff.png", true},
    {"hualien", "hualien.wrk.txt", "cffmenu", "main-hualien-events-delta-cff.png", true},
    {"twenty uz", "twenty-sources.wrk.txt", "uzmenu", "main-twenty-displacement-z.png"},
    {"twenty uz publication", "twenty-sources.wrk.txt", "uzmenu",
     "main-twenty-displacement-z-publication.png", false, true},
    {"slip uz", "slip-example.inp", "uzmenu", "main-slip-displacement-z.png"},
    {"slip cff", "slip-example.inp", "cffmenu", "main-slip-delta-cff.png"},
    {"slip uz publication", "slip-example.inp", "uzmenu",
     "main-slip-displacement-z-publication.png", false, true},
    {"slip cff publication", "slip-example.inp", "cffmenu", "main-slip-delta-cff-publication.png",
     false, true}};

// The main window and the site window side by side in one picture.
bool saveSideBySide(QWidget* left, QWidget* right, const QString& name) {
    QCoreApplication::processEvents();
    const QImage a = left->grab().toImage(), b = right->grab().toImage();
    QImage both(a.width() + 8 + b.width(), std::max(a.height(), b.height()), QImage::Format_RGB32);
    both.fill(Qt::darkGray);
    QPainter p(&both);
    p.drawImage(0, 0, a);
    p.drawImage(a.width() + 8, 0, b);
    p.end();
    return both.save(test::outputDir("CRUSTEX_SCREENSHOT_DIR") + "/" + name);
}

// The site example: delta CFF with the site window's graph, Displacement Z
// with the computed and observed values side by side, and the horizontal
// displacement of a trial model (the slip cut from 3 m to 2 m, as a user
// tries one in the source editor) with its computed vectors beside the
// observed ones at the sites (the main window alone: "Show Grid Data" off
// hides the site window).
struct SiteShot {
    const char* name;
    const char* command;
    const char* file;
    bool vectors = false;  // "Show Grid Data" off (the site window with it), the slip cut
};
const SiteShot kSiteShots[] = {{"cff", "cffmenu", "sites-delta-cff.png"},
                               {"uz", "uzmenu", "sites-displacement-z.png"},
                               {"vectors", "displmenu", "sites-horizontal-displacement.png", true}};

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowPictures_data() { test::addRows(kShots); }
    void mainWindowPictures() {
        QFETCH(int, row);
        const auto& [name, command, file] = kShots[row];
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(showSized(r));
        QVERIFY(w.runCommand(command));
        QVERIFY(!r.ws.gridstale);
        // The plot fills the window's width (aspect 64:51) and holds a picture.
        QVERIFY(w.plotArea()->width() >= w.centralWidget()->width() - 2 ||
                w.plotArea()->height() >= w.centralWidget()->height() - 40);
        QVERIFY2(inked(w.surface()->image()) > 0.005, "the plot is empty");
        QVERIFY(test::clippedCaptions(&w, 1).isEmpty());
        QVERIFY(save(&w, file));
        // Probe the node nearest the plot's middle: the pointer mark and the
        // node's values in the information strip; the pointer's position in
        // the read-out.
        const QPoint middle = w.plotArea()->rect().center();
        pointAt(w, middle);
        QTest::mouseClick(w.plotArea(), Qt::LeftButton, {}, middle + QPoint(0, 40));
        QTest::qWait(100);
        QTest::mouseMove(w.plotArea(), middle + QPoint(0, 41));
        QTRY_VERIFY(w.locationStrip()->text().startsWith(" x:1"));
        QVERIFY(!w.infoStrip()->text().isEmpty());
    }
    void examplePictures_data() { test::addRows(kExampleShots); }
    void examplePictures() {
        QFETCH(int, row);
        const ExampleShot& shot = kExampleShots[row];
        const UnexpectedBoxes boxes;
        test::WindowRig r;
        MainWindow& w = *r.w;
        const std::string map = shippedDir("map");
        if (map.empty()) QSKIP("the shipped map data is not there");
        r.ws.mappath = map;
        // The shipped catalogue, wherever the test runs ("VHYP File Path"
        // under Tool -> Option...; the default is data/ under the working
        // directory).
        r.ws.vhyppath = test::sourcePath("data/Vhyp102.ep").toStdString();
        QVERIFY(showSized(r));
        if (shot.topography) QVERIFY(switchTopographyOn(r));
        QVERIFY(test::runWithFile(w, "openfltmenu", test::exampleFile(shot.work)));
        QVERIFY(r.ws.nfault >= 1 || !r.ws.slipmodel.empty());
        if (shot.publication) QVERIFY(w.runCommand("pubstylemenu"));
        QVERIFY(w.runCommand(shot.command));
        QVERIFY(!r.ws.gridstale);
        QVERIFY2(inked(w.surface()->image()) > 0.02, "the plot is empty");
        if (r.ws.needmap) {
            if (!shot.publication)
                QVERIFY2(inked(w.surface()->background()) > 0.01, "no map in the background");
            pointAt(w, w.plotArea()->rect().center());
            QTRY_VERIFY(w.locationStrip()->text().endsWith("E)"));
        }
        // The earthquakes of the example's week near Hualien.
        if (r.ws.needevent) QVERIFY(r.ws.eventtable.events.size() >= 10);
        if (shot.publication) QVERIFY(inked(w.surface()->image()) > 0.3);  // bands
        QVERIFY2(boxes.seen().isEmpty(), qPrintable(boxes.seen()));
        QVERIFY(test::clippedCaptions(&w, 1).isEmpty());
        QVERIFY(save(&w, shot.file));
    }
    void worldMapOverTheDateLine() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        const std::string world = shippedDir("map/world");
        if (world.empty()) QSKIP("the shipped globe map is not there");
        r.ws.mappath = world;  // as "Map File Directory" under Tool -> Option...
        QVERIFY(showSized(r));
        QVERIFY(test::runWithFile(w, "openfltmenu", test::exampleFile("pacific.wrk.txt")));
        QVERIFY(r.ws.needmap && r.ws.flon2 > 180);
        QVERIFY2(inked(w.surface()->background()) > 0.01, "no map in the background");
        // East of the date line the read-out goes on counting east
        // longitudes past 180.
        const QRect plot = w.plotArea()->rect();
        pointAt(w, QPoint(plot.width() * 3 / 5, plot.height() / 2));
        QTRY_VERIFY(w.locationStrip()->text().endsWith("E)"));
        const QString text = w.locationStrip()->text();
        QVERIFY2(text.section(':', -1).chopped(2).toDouble() > 180, qPrintable(text));
        QVERIFY(test::clippedCaptions(&w, 1).isEmpty());
        QVERIFY(save(&w, "main-world-pacific.png"));
    }
    void siteWindowPictures_data() { test::addRows(kSiteShots); }
    void siteWindowPictures() {
        QFETCH(int, row);
        const auto& [name, command, file, vectors] = kSiteShots[row];
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(showSized(r, vectors ? 1000 : 900, vectors ? 860 : 780));
        QVERIFY(test::openSiteExample(r));
        SiteWindow& sites = *w.siteWindow();
        sites.resize(620, 520);
        sites.move(w.frameGeometry().right() + 10, w.y());
        if (vectors) {
            QVERIFY(w.runCommand("showgridmenu"));
            QVERIFY(w.runCommand("pubstylemenu"));
            r.ws.fault[1].slip = 2000;
            markgridstale(r.ws);
        }
        QVERIFY(w.runCommand(command));
        QCOMPARE(sites.isVisible(), !vectors);  // "Show Grid Data" takes the window along
        const QString misfit = sites.misfitLine()->text();
        QVERIFY(misfit.startsWith(" Misfit of the observed 3-D displacements (30 sites"));
        QVERIFY2(inked(w.surface()->image()) > 0.005, "the plot is empty");
        QVERIFY(test::clippedCaptions(&sites, 1).isEmpty());
        if (!vectors) {
            QVERIFY(saveSideBySide(&w, &sites, file));
            return;
        }
        // The trial model misses the observations by far more than their
        // noise of a few millimetres.
        const double all = misfit.section("all ", 1).section(' ', 0, 0).toDouble();
        QVERIFY2(all > 10, qPrintable(misfit));
        QVERIFY(save(&w, file));
    }
    void sectionWindowPicture() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(showSized(r, 900, 780));
        QVERIFY(w.runCommand("cffmenu"));
        QVERIFY(w.runCommand("sectionmenu"));
        // Across the start-up fault (85..105 km east at y = 100).
        SectionDialog& d = *w.sectionDialog();
        for (const auto& [field, text] : {std::pair{"x0", "95"},
                                          {"y0", "80"},
                                          {"x1", "95"},
                                          {"y1", "120"},
                                          {"bottom", "20"},
                                          {"step", "0.5"}})
            d.box(field)->setText(text);
        QVERIFY(d.okClicked());
        SectionWindow& s = *w.sectionWindow();
        s.resize(700, 500);
        s.move(w.frameGeometry().right() + 10, w.y());
        QCoreApplication::processEvents();
        QVERIFY2(inked(s.surface().image()) > 0.02, "the section is empty");
        QVERIFY(test::clippedCaptions(&s, 1).isEmpty());
        QVERIFY(saveSideBySide(&w, &s, "section-window.png"));
    }
    void dialogs() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        const std::pair<const char*, QDialog*> shots[] = {{"sourcemenu", w.sourceEditor()},
                                                          {"fieldmenu", w.fieldDialog()}};
        for (const auto& [command, dialog] : shots) {
            QVERIFY(w.runCommand(command));
            QVERIFY(dialog->isVisible());
            const QStringList cut = test::clippedCaptions(dialog, 1);
            if (!cut.isEmpty()) qWarning("captions cut: %s", qPrintable(cut.join(", ")));
            QVERIFY(save(dialog, dialog == w.fieldDialog() ? "dialog-field-parameters.png"
                                                           : "dialog-source-parameters.png"));
            dialog->reject();
        }
    }
    void mapDialogWithRubberBand() {
        test::WindowRig r;
        QVERIFY(r.shown());
        MapDialog* d = r.w->mapDialog();
        d->entrymapform();  // also without map data: the preview is then empty
        QVERIFY(d->isVisible());
        d->findChild<QAbstractButton*>("needmapcbx")->setChecked(true);
        MapPreview* p = d->preview();
        const QPoint a = p->toPixel(QPointF(200, 120)).toPoint();
        const QPoint b = p->toPixel(QPointF(420, 330)).toPoint();
        QTest::mousePress(p, Qt::LeftButton, {}, a);
        QTest::mouseMove(p, b);
        QTest::mouseRelease(p, Qt::LeftButton, {}, b);
        QVERIFY(d->box("flat1")->text() != "34.");
        const QStringList cut = test::clippedCaptions(d, 1);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
        QVERIFY(save(d, "dialog-map-parameters.png"));
        d->reject();
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
