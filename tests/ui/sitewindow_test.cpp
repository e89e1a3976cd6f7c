// The site window and the main window's site commands, on the synthetic
// example: opening, the graph and its misfit line, the View commands,
// printing, copying, resizing and closing, Show Grid Data; the file
// commands with the sites loaded and the two site exports.
#include "ui/sitewindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>

#include "siteexample.h"
#include "ui/pictureexport.h"
#include "ui/qpaintersurface.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

QImage picture(SiteWindow& s) { return s.surface().image().copy(); }

bool blank(const QImage& image) { return test::inked(image) == 0; }

// A command of the File menu, the name chosen in its file dialog, the file
// it writes and a text that file holds.
struct FileCommand {
    const char* name;
    const char* command;
    const char* chosen;
    const char* file;
    const char* holds = "";
};
const FileCommand kFileCommands[] = {
    // A name without an extension gets the first of the filter's.
    {"grid netCDF", "exportgridmenu", "grid", "grid.nc", "cffpara"},
    {"grid CSV", "exportgridmenu", "grid.csv", "grid.csv", "uz_mm"},
    {"picture", "exportpicmenu", "picture.svg", "picture.svg", "Displacement-Z(UD)"},
    {"picture PNG", "exportpicmenu", "picture.png", "picture.png"},
    {"print", "printmenu", "page.pdf", "page.pdf"},
    {"strains", "storestrmenu", "strains.txt", "strains.txt"}};

// Answers the next resolution dialog with dpi.
void answerResolution(int dpi) {
    QTimer::singleShot(50, [dpi] {
        if (auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            d->setIntValue(dpi);
            d->accept();
        }
    });
}

QStringList lines(const QString& path) {
    return test::readText(path).split("\r\n", Qt::SkipEmptyParts);
}

}  // namespace

class SiteWindowTest : public QObject {
    Q_OBJECT
private slots:
    void graphViewPrintCopyAndClose() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        QVERIFY(!w.siteWindow()->isVisible());
        QVERIFY(test::openSiteExample(r));
        SiteWindow& s = *w.siteWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QVERIFY(w.action("showobsmenu")->isChecked());
        QCOMPARE(s.windowTitle(), QString("Observation Sites"));

        // No quantity yet: nothing computed, nothing graphed.
        QVERIFY(blank(picture(s)));
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(s.misfitLine()->text().startsWith(
            " Misfit of the observed 3-D displacements (30 sites): RMS X "));
        const QImage bars = picture(s);
        s.action("linemenu")->trigger();
        QVERIFY(!s.action("barmenu")->isChecked());
        QVERIFY(picture(s) != bars);
        s.action("barmenu")->trigger();
        QCOMPARE(picture(s), bars);
        s.action("zeromenu")->trigger();
        QVERIFY(s.action("zeromenu")->isChecked());

        // A change of the model empties the graph until the picture is drawn.
        markgridstale(r.ws);
        w.drawOverlay();
        QVERIFY(blank(picture(s)));
        s.updateMenus();
        QVERIFY(!s.action("printmenu")->isEnabled());
        QVERIFY(w.runCommand("redrawmenu"));
        s.updateMenus();
        QVERIFY(s.action("printmenu")->isEnabled());

        const QString pdf = r.file("sites.pdf");
        s.printDialog = test::pdfTo(pdf);
        s.action("printmenu")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 1000);

        s.action("copymenu")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), picture(s).size());

        s.resize(400, 300);
        QTRY_COMPARE(s.surface().pixelWidth(), s.picture()->width());
        QCOMPARE(s.surface().pixelHeight(), s.picture()->height());

        // Vector quantities are drawn at the sites on the main plot.
        QVERIFY(w.runCommand("displmenu"));
        s.updateMenus();
        QVERIFY(!s.action("barmenu")->isEnabled());

        s.action("closemenu")->trigger();
        QVERIFY(!s.isVisible());
        QVERIFY(!w.action("showobsmenu")->isChecked());
        QVERIFY(w.action("showgridmenu")->isChecked());
        // Shown by "Show Grid Data" alone, the window graphs the picture drawn.
        QVERIFY(w.runCommand("showgridmenu"));
        QVERIFY(w.runCommand("showgridmenu"));
        QVERIFY(s.isVisible());
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(!blank(picture(s)));
        QVERIFY(w.runCommand("showobsmenu"));
        QVERIFY(s.isVisible() && w.action("showobsmenu")->isChecked());
        // Obs. off takes the grid mark and the window with it.
        QVERIFY(w.runCommand("showobsmenu"));
        QVERIFY(!r.ws.showobsdatachecked && !r.ws.showgriddatachecked && !s.isVisible());
        QVERIFY(w.runCommand("showgridmenu"));
        w.close();
        QVERIFY(!s.isVisible());
        QVERIFY(w.runCommand("clearobsmenu"));
        QCOMPARE(r.ws.nsite, int16_t(0));
        QVERIFY(!test::enabled(w, "obssitemenu"));
    }

    // Writing the shown results leaves them shown: the commands that write
    // them stay offered, and delta CFF computed for a grid file is computed
    // at the sites too. Then the site exports, and an empty site file.
    void fileCommandsAndSiteExports() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(test::openSiteExample(r));
        QVERIFY(w.runCommand("uzmenu"));
        QString chosen;
        w.saveFileDialog = [&](const QString&, const QString&, const QString&) { return chosen; };
        w.printDialog = [&](QPrinter& p) { return test::pdfTo(chosen)(p); };
        for (const FileCommand& c : kFileCommands) {
            chosen = r.file(c.chosen);
            if (QString(c.file).endsWith(".png")) answerResolution(100);
            QVERIFY2(w.runCommand(c.command), c.name);
            QVERIFY2(
                QFile::exists(r.file(c.file)) && test::readText(r.file(c.file)).contains(c.holds),
                c.name);
            w.updateMenus();
            for (const char* item :
                 {"printmenu", "exportpicmenu", "exportgridmenu", "storestrmenu"})
                QVERIFY2(w.action(item)->isEnabled(), qPrintable(QString(c.name) + ": " + item));
        }
        PictureFileOptions at100;
        at100.dpi = 100;
        QCOMPARE(QImage(r.file("picture.png")).size(), picturepixels(at100));
        // An exported picture has the sites' vectors as the screen has them.
        QVERIFY(w.runCommand("displmenu"));
        chosen = r.file("vectors.svg");
        QVERIFY(w.runCommand("exportpicmenu"));
        QVERIFY(test::readText(chosen).contains("Sites: observed"));
        SiteResults fresh = w.siteResults();
        fresh.cff = {};
        calcobscff(r.ws, w.host(), fresh);
        QVERIFY(fresh.cff == w.siteResults().cff);

        // The two site exports.
        QString title;
        w.saveFileDialog = [&](const QString& t, const QString&, const QString&) {
            title = t;
            return r.file(t == "Export Obs. Sites Data" ? "disp.txt" : "strain.txt");
        };
        QVERIFY(w.runCommand("exportobsmenu"));
        QCOMPARE(title, QString("Export Obs. Sites Data"));
        const QStringList disp = lines(r.file("disp.txt"));
        QCOMPARE(disp.size(), 35);
        QVERIFY(disp[5].startsWith("S01,134.25,34.2,"));
        QVERIFY(lines(r.file("disp.misfit.txt")).value(1).startsWith("Misfit (displacement3"));

        QVERIFY(w.runCommand("storeobsmenu"));
        QCOMPARE(title, QString("Save Obs. Sites Data"));
        const QStringList strain = lines(r.file("strain.txt"));
        QCOMPARE(strain.size(), 30);
        QVERIFY(strain[29].endsWith(" S30"));

        // An empty site file: "No Site", and the window goes.
        QVERIFY(w.siteWindow()->isVisible());
        QVERIFY(test::writeFile(r.file("none.obs.txt"), "obs,0\r\n"));
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(test::runWithFile(w, "openobsmenu", r.file("none.obs.txt")));
        QCOMPARE(seen->text, QString("No Site"));
        QVERIFY(!w.siteWindow()->isVisible());
        QCOMPARE(int(r.ws.nsite), 0);
    }
};

QTEST_MAIN(SiteWindowTest)
#include "sitewindow_test.moc"
