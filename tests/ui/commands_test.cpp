// The main window's commands: menu enabling, Quit and Resume, the source
// file commands, the clipboard, Clear, Resize and Redraw.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

#include "app/menurules.h"
#include "app/plotwidget.h"
#include "files/sourcefile.h"
#include "ui/qpaintersurface.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

bool enabled(MainWindow& w, const char* name) {
    w.updateMenus();
    return w.action(name)->isEnabled();
}

QString readall(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(f.readAll());
}

// A source file of three faults, written through the program's own writer.
QString writethreesources(const QString& path) {
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.nfault = 3;
    ws.fault[2] = ws.fault[1];
    ws.fault[2].fx0 += 10;
    ws.fault[2].fx1 += 10;
    ws.fault[3] = ws.fault[1];
    ws.fault[3].fy0 -= 30;
    ws.fault[3].fy1 -= 30;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(QByteArray::fromStdString(sourcefiletext(ws)));
    return path;
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void enablingRules_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("gridstale");
        QTest::addColumn<bool>("cffstale");
        QTest::addColumn<bool>("print");
        QTest::addColumn<bool>("redraw");
        QTest::newRow("nothing selected") << "" << false << false << false << false;
        QTest::newRow("drawn") << "uz" << false << true << true << true;
        QTest::newRow("grid stale") << "uz" << true << true << false << true;
        QTest::newRow("cff shown, cff stale") << "cffpara" << false << true << false << true;
        QTest::newRow("cff shown, current") << "cffpara" << false << false << true << true;
        QTest::newRow("ux shown, cff stale") << "ux" << false << true << true << true;
    }
    void enablingRules() {
        QFETCH(QString, key);
        QFETCH(bool, gridstale);
        QFETCH(bool, cffstale);
        QFETCH(bool, print);
        QFETCH(bool, redraw);
        WorkState ws;
        ws.quantitykey = key.toStdString();
        ws.gridstale = gridstale;
        ws.cffstale = cffstale;
        const MenuEnabling e = menuenabling(ws, {});
        QCOMPARE(e.print, print);
        QCOMPARE(e.storestrains, print);
        QCOMPARE(e.redraw, redraw);
        QCOMPARE(e.storeobsstrains, false);  // "Show Obs. Sites Data" unchecked
        ws.showobsdatachecked = true;
        QCOMPARE(menuenabling(ws, {}).storeobsstrains, print);
    }
    void enablingRulesOfMapAreaAndSites() {
        WorkState ws;
        MenuFacts facts;
        facts.seisprogramexists = true;
        MenuEnabling e = menuenabling(ws, facts);
        QVERIFY(!e.area);  // the map is off
        QVERIFY(!e.storesourcemap && !e.openobs && !e.obssite && !e.exportarea && !e.cleararea);
        ws.needmap = true;
        e = menuenabling(ws, facts);
        QVERIFY(e.area && e.storesourcemap && e.openobs);
        facts.seisprogramexists = false;
        QVERIFY(!menuenabling(ws, facts).area);
        ws.areastate = 1;
        ws.nsite = 3;
        e = menuenabling(ws, facts);
        QVERIFY(e.exportarea && e.cleararea && e.obssite);
        facts.clipboardhasimage = true;
        facts.lastworkexists = true;
        facts.coastfileexists = true;
        e = menuenabling(ws, facts);
        QVERIFY(e.paste && e.resume && e.map);
    }

    void windowFollowsTheRulesAndShortcutsCannotBypassThem() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(!enabled(w, "printmenu"));
        QVERIFY(!enabled(w, "storestrmenu"));
        QVERIFY(!enabled(w, "redrawmenu"));
        QVERIFY(!enabled(w, "areamenu"));
        QVERIFY(!enabled(w, "obssitemenu"));
        QVERIFY(!enabled(w, "storemapmenu"));
        // A disabled item does nothing when reached by its shortcut.
        QVERIFY(!w.runCommand("printmenu"));
        QVERIFY(!w.runCommand("redrawmenu"));
        // While the top menus are locked, no command runs.
        w.host().enableMenus(false);
        QVERIFY(!w.topMenu("File")->menuAction()->isEnabled());
        QVERIFY(!w.runCommand("uzmenu"));
        QVERIFY(r.ws.quantitykey.empty());
        QVERIFY(w.topMenu("Help")->menuAction()->isEnabled());
        w.host().enableMenus(true);
        QVERIFY(w.topMenu("Tool")->menuAction()->isEnabled());
    }
    void printEnabledOnlyWhileTheShownResultsAreCurrent() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uxmenu"));
        QCOMPARE(QString::fromStdString(r.ws.quantitykey), QString("ux"));
        QVERIFY(!r.ws.gridstale);
        QVERIFY(enabled(w, "printmenu"));
        QVERIFY(enabled(w, "storestrmenu"));
        // Only the receiver changes: "Displacement X" stays printable.
        r.ws.cffstale = true;
        QVERIFY(enabled(w, "printmenu"));
        QVERIFY(w.runCommand("cffmenu"));
        QVERIFY(!r.ws.cffstale);
        QVERIFY(enabled(w, "printmenu"));
        r.ws.cffstale = true;
        QVERIFY(!enabled(w, "printmenu"));
        QVERIFY(!enabled(w, "storestrmenu"));
        QVERIFY(enabled(w, "redrawmenu"));
    }
    void loadingSourcesKeepsPrintDisabledUntilDrawn() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(enabled(w, "printmenu"));
        const QString path = writethreesources(r.file("three.flt.txt"));
        QVERIFY(!path.isEmpty());
        QString askedTitle, askedFilter;
        w.openFileDialog = [&](const QString& title, const QString& filter) {
            askedTitle = title;
            askedFilter = filter;
            return path;
        };
        QVERIFY(w.runCommand("openfltmenu"));
        QCOMPARE(askedTitle, QString("Open Fault Parameters File"));
        QVERIFY(askedFilter.contains("(*.flt.txt)") && askedFilter.contains(";;"));
        QCOMPARE(r.ws.nfault, int16_t(3));
        QVERIFY(r.ws.quantitykey.empty());
        QVERIFY(r.ws.gridstale);
        QVERIFY(!enabled(w, "printmenu"));
        QVERIFY(!enabled(w, "redrawmenu"));
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(enabled(w, "printmenu"));
    }
    void openingAMissingFileSaysOpenError() {
        WindowRig r;
        r.w->openFileDialog = [&](const QString&, const QString&) {
            return r.file("nothere.flt.txt");
        };
        auto seen = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::Ok, seen);
        QVERIFY(r.w->runCommand("openfltmenu"));
        QTRY_VERIFY(seen->seen);
        QCOMPARE(seen->text, QString("Open Error"));
        QCOMPARE(seen->title, QString("Error"));
        QCOMPARE(r.ws.nfault, int16_t(1));
    }
    void storeSourceFollowsTheNameRules() {
        WindowRig r;
        r.ws.nfault = 1;
        QString name;
        r.w->saveFileDialog = [&](const QString& title, const QString&) {
            return title == "Save Fault Parameters" ? name : QString();
        };
        name = r.file("model");
        QVERIFY(r.w->runCommand("storefltmenu"));
        QVERIFY(!QFile::exists(r.file("model")) && !QFile::exists(r.file("model.txt")));
        name = r.file("model.flt");
        QVERIFY(r.w->runCommand("storefltmenu"));
        QVERIFY(readall(r.file("model.flt.txt")).startsWith("\"fltxy2\",1\r\n"));
        name = r.file("MODEL.WRK");
        QVERIFY(r.w->runCommand("storefltmenu"));
        QVERIFY(
            readall(r.file("MODEL.WRK.txt")).startsWith("//// This is a work-file for CRUSTEX."));
    }

    void quitWritesBothFilesAndResumeReadsThemBack() {
        QTemporaryDir dir;
        {
            WorkState ws;
            MainWindow w(ws, dir.path());
            QVERIFY(!enabled(w, "resumemenu"));
            ws.cline = 0.5f;  // a settings value
            ws.nfault = 2;    // the work
            ws.fault[2] = ws.fault[1];
            ws.fault[2].fx0 = 40;
            ws.xmargin = 17;
            w.show();
            QVERIFY(w.runCommand("quitmenu"));
            QVERIFY(!w.isVisible());
        }
        const QString ini = readall(QDir(dir.path()).filePath("crustex.ini"));
        const QString last = readall(QDir(dir.path()).filePath("lastwork.ini"));
        QVERIFY(ini.startsWith("//// This is an initializing file for CRUSTEX."));
        QVERIFY(ini.contains("\"printer\",17,10,#FALSE#"));
        QVERIFY(ini.contains("\"mainform\","));
        QVERIFY(last.startsWith("//// This is a work-file for CRUSTEX."));
        QVERIFY(last.contains("\"fltxy\",2\r\n"));

        // The next run reads the settings at start and offers the last work.
        WorkState ws;
        MainWindow w(ws, dir.path());
        QCOMPARE(ws.xmargin, int16_t(17));
        QCOMPARE(ws.cline, 0.5f);
        QCOMPARE(ws.nfault, int16_t(1));  // no resuming without asking
        QVERIFY(enabled(w, "resumemenu"));
        auto seen = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::No, seen);
        QVERIFY(w.runCommand("resumemenu"));
        QVERIFY(seen->seen);
        QCOMPARE(seen->text, QString("Resume the Last Work?"));
        QCOMPARE(seen->title, QString("Yes or No"));
        QCOMPARE(ws.nfault, int16_t(1));
        test::answerNextBox(QMessageBox::Yes);
        QVERIFY(w.runCommand("resumemenu"));
        QCOMPARE(ws.nfault, int16_t(2));
        QCOMPARE(ws.fault[2].fx0, 40.0f);
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
    }
    void closingTheWindowIsQuit() {
        QTemporaryDir dir;
        WorkState ws;
        MainWindow w(ws, dir.path());
        w.show();
        w.close();
        QVERIFY(QFile::exists(QDir(dir.path()).filePath("crustex.ini")));
        QVERIFY(QFile::exists(QDir(dir.path()).filePath("lastwork.ini")));
    }

    void copyPasteAndClearPicture() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(w.runCommand("copymenu"));
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(w.surface()->pixelWidth(), w.surface()->pixelHeight()));
        QVERIFY(enabled(w, "pastemenu"));

        // Paste a plain red picture: it becomes the kept background.
        QImage red(320, 255, QImage::Format_RGB32);
        red.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(red);
        r.ws.needmap = true;
        r.ws.areastate = 1;
        QVERIFY(w.runCommand("pastemenu"));
        QVERIFY(r.ws.pastedbackground);
        QVERIFY(!r.ws.needmap);
        QCOMPARE(r.ws.areastate, int16_t(0));
        QVERIFY(w.surface()->hasBackground());
        const QPointF inside = w.surface()->toDevice(10, 10);
        QCOMPARE(QColor(w.surface()->image().pixel(inside.toPoint())), QColor(Qt::red));
        // A redraw keeps it under the picture.
        QVERIFY(w.runCommand("redrawmenu"));
        QCOMPARE(QColor(w.surface()->image().pixel(inside.toPoint())), QColor(Qt::red));

        QVERIFY(w.runCommand("clearmenu"));
        QVERIFY(!r.ws.pastedbackground);
        QVERIFY(!w.surface()->hasBackground());
        QCOMPARE(QColor(w.surface()->image().pixel(inside.toPoint())), QColor(Qt::white));
    }
    void resizePictureFitsThePlotToTheWindow() {
        WindowRig r;
        MainWindow& w = *r.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const QSize size : {QSize(1000, 600), QSize(500, 800)}) {
            w.resize(size);
            QCoreApplication::processEvents();
            QVERIFY(w.runCommand("resizemenu"));
            PlotWidget* p = w.plotArea();
            const QWidget* client = w.centralWidget();
            QVERIFY(p->width() <= client->width());
            QVERIFY(p->height() < client->height());
            // Aspect 64:51, filling one direction.
            QVERIFY(std::abs(p->width() * 51 - p->height() * 64) <= 64);
            QVERIFY(p->width() >= client->width() - 2 || p->height() >= client->height() - 40);
            QCOMPARE(w.surface()->pixelWidth(), p->width());
            QCOMPARE(w.surface()->pixelHeight(), p->height());
            // The strips stay on the bottom line.
            QCOMPARE(w.infoStrip()->geometry().bottom(), client->height() - 1);
            QVERIFY(w.locationStrip()->geometry().right() < client->width());
            QVERIFY(w.infoStrip()->geometry().right() < w.locationStrip()->geometry().left());
        }
    }
    void visualMarksTheLegendColumn() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("visualmenu"));
        const QPointF at = w.surface()->toDevice(590, 216);
        QCOMPARE(QColor(w.surface()->image().pixel(at.toPoint())), QColor(63, 63, 159));
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }
    void showGridDataToggles() {
        WindowRig r;
        r.ws.nsite = 1;  // the submenu needs sites
        QVERIFY(r.ws.showgriddatachecked);
        QVERIFY(r.w->runCommand("showgridmenu"));
        QVERIFY(!r.ws.showgriddatachecked);
        QVERIFY(r.w->runCommand("showobsmenu"));
        QVERIFY(r.ws.showobsdatachecked);
        QVERIFY(r.w->runCommand("showobsmenu"));
        QVERIFY(!r.ws.showobsdatachecked && !r.ws.showgriddatachecked);
        QVERIFY(r.w->runCommand("clearobsmenu"));
        QCOMPARE(r.ws.nsite, int16_t(0));
        QVERIFY(!enabled(*r.w, "obssitemenu"));
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
