// Pictures of the program for the documentation: the main window after the
// menu commands that show each kind of picture, the two dialogs used most,
// the map dialog with a rubber band on its preview, and the main window with
// the shipped map under a contour map. They are written as PNG files into
// $CRUSTEX_SCREENSHOT_DIR (set by scripts/screenshots.sh to
// docs/screenshots), else $CRUSTEX_TEST_OUTPUT, else the current directory.

#include <QLineEdit>
#include <QPainter>

#include "app/plotwidget.h"
#include "geo/mapdatacheck.h"
#include "siteexample.h"
#include "ui/fielddialog.h"
#include "ui/mapdialog.h"
#include "ui/mappreview.h"
#include "ui/qpaintersurface.h"
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

// The main window's pictures: the command and the file.
struct Shot {
    const char* name;
    const char* command;
    const char* file;
};
const Shot kShots[] = {{"uz", "uzmenu", "main-displacement-z.png"},
                       {"cff", "cffmenu", "main-delta-cff.png"},
                       {"vectors", "displmenu", "main-horizontal-displacement.png"},
                       {"principal", "principalmenu", "main-principal-strains.png"}};

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

// The site example: delta CFF with the site window's graph, and the
// horizontal displacement with computed and observed vectors at the sites.
struct SiteShot {
    const char* name;
    const char* command;
    const char* file;
    bool gridvectors;  // "Show Grid Data" stays checked
};
const SiteShot kSiteShots[] = {
    {"cff", "cffmenu", "sites-delta-cff.png", true},
    {"uz", "uzmenu", "sites-displacement-z.png", true},
    {"vectors", "displmenu", "sites-horizontal-displacement.png", false}};

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
        QVERIFY(r.shown());
        w.resize(1000, 860);
        QCoreApplication::processEvents();
        QVERIFY(w.runCommand("resizemenu"));
        QVERIFY(w.runCommand(command));
        QVERIFY(!r.ws.gridstale);
        // The plot fills the window's width (aspect 64:51) and holds a picture.
        QVERIFY(w.plotArea()->width() >= w.centralWidget()->width() - 2 ||
                w.plotArea()->height() >= w.centralWidget()->height() - 40);
        QVERIFY2(inked(w.surface()->image()) > 0.005, "the plot is empty");
        // Probe the node nearest the plot's middle: the pointer mark and the
        // node's values in the information strip; the pointer's position in
        // the read-out.
        const QPoint middle = w.plotArea()->rect().center();
        QTest::mouseMove(w.plotArea(), QPoint(10, 10));
        QTest::mouseMove(w.plotArea(), middle);
        QTest::mouseClick(w.plotArea(), Qt::LeftButton, {}, middle + QPoint(0, 40));
        QTest::qWait(100);
        QTest::mouseMove(w.plotArea(), middle + QPoint(0, 41));
        QTRY_VERIFY(w.locationStrip()->text().startsWith(" x:1"));
        QVERIFY(!w.infoStrip()->text().isEmpty());
        QVERIFY(test::clippedCaptions(&w, 1).isEmpty());
        QVERIFY(save(&w, file));
    }
    void siteWindowPictures_data() { test::addRows(kSiteShots); }
    void siteWindowPictures() {
        QFETCH(int, row);
        const auto& [name, command, file, gridvectors] = kSiteShots[row];
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        w.resize(900, 780);
        QCoreApplication::processEvents();
        QVERIFY(w.runCommand("resizemenu"));
        QVERIFY(test::openSiteExample(r));
        SiteWindow& sites = *w.siteWindow();
        sites.resize(620, 520);
        sites.move(w.frameGeometry().right() + 10, w.y());
        if (!gridvectors) QVERIFY(w.runCommand("showgridmenu"));
        QVERIFY(w.runCommand(command));
        QVERIFY(sites.isVisible());
        QVERIFY(sites.misfitLine()->text().startsWith(" Misfit (displacement3, 30 sites)"));
        QVERIFY2(inked(w.surface()->image()) > 0.005, "the plot is empty");
        QVERIFY(test::clippedCaptions(&sites, 1).isEmpty());
        QVERIFY(saveSideBySide(&w, &sites, file));
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
    void mainWindowWithMap() {
        test::WindowRig r;
        if (!findmapdata(r.ws).coast) QSKIP("the shipped map data is not there");
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        w.resize(1000, 860);
        QCoreApplication::processEvents();
        QVERIFY(w.runCommand("resizemenu"));
        QVERIFY(w.runCommand("mapmenu"));
        auto* on = w.mapDialog()->findChild<QAbstractButton*>("needmapcbx");
        if (!on->isChecked()) on->click();
        QVERIFY(w.mapDialog()->okClicked());
        QVERIFY(r.ws.needmap);
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY2(inked(w.surface()->background()) > 0.01, "no map in the background");
        QTest::mouseMove(w.plotArea(), w.plotArea()->rect().center());
        QTRY_VERIFY(w.locationStrip()->text().endsWith("E)"));
        QVERIFY(test::clippedCaptions(&w, 1).isEmpty());
        QVERIFY(save(&w, "main-map-displacement-z.png"));
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
