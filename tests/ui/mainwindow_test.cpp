// The main window: the menu tree and its enabling rules, the start-up
// sequence, Quit and Resume, the source file commands, the clipboard, Clear,
// Resize and Redraw, and the layout of the two strips; the map through
// "Map..." with the read-out and "Export Area Data..."; the publication
// style's menu switch.
#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

#include "app/plotwidget.h"
#include "export/quantitynames.h"
#include "files/sourcefile.h"
#include "ui/mapdialog.h"
#include "ui/qpaintersurface.h"
#include "ui/welcomewindow.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

using test::enabled;
using test::readText;

// A menu's captions in order, shortcuts in brackets, separators as "-" and
// submenus as "caption(...)".
QString captions(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << "-";
        } else if (a->menu()) {
            out << a->text() + "(" + captions(a->menu()) + ")";
        } else {
            out << a->text() +
                       (a->shortcut().isEmpty() ? "" : " [" + a->shortcut().toString() + "]");
        }
    }
    return out.join("|");
}

// A window whose map directory holds a (blank) coast file.
struct MapRig : WindowRig {
    MapRig() {
        QDir(dir.path()).mkpath("map");
        test::writeFile(file("map/japanv.map"));
        ws.mappath = file("map/").toStdString();
        ws.areapath = file("area/").toStdString();
        ws.seispath = dir.path().toStdString() + "/";
    }
};

// The item with the caption anywhere under the menu.
QAction* findcaption(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->menu() != nullptr) {
            if (QAction* found = findcaption(a->menu(), caption)) return found;
        } else if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

// Pixels of a light tint: the bands near zero, which cover most of a
// filled picture; the screen style has white ground and darker lines.
int banded(const QImage& image) {
    return test::countPixels(image, [](QRgb c) {
        const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
        const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
        return lo >= 180 && hi <= 250 && hi > lo;
    });
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndMenuTree() {
        WindowRig r;
        MainWindow& w = *r.w;
        QCOMPARE(w.windowTitle(), QString("CRUSTEX"));
        QStringList tree;
        for (QAction* a : w.menuBar()->actions())
            if (a->text() != "Execute") tree << a->text() + ": " + captions(a->menu());
        QCOMPARE(
            tree.join("\n"),
            QString("File: Open Source.... [Ctrl+O]|Open Obs. Sites....|-|Open Slip Model...|"
                    "Export Slip Model...|Clear Slip Model|-|Store Source...|Store "
                    "Source with Map....|Store Strains....|Store Strains (Obs. site)...|Export "
                    "Grid...|-|Printer Setting...|Print.... [Ctrl+P]|Export Picture...|-|Resume "
                    "Last Work... [Ctrl+L]|-|Quit\n"
                    "Edit: Copy Picture [Ctrl+C]|Paste Background [Ctrl+V]|Clear Picture [Ctrl+X]\n"
                    "Parameter: Source...|Field...|Visual...|CFF...|Regional Stress...|Map...|"
                    "Line of Sight...\n"
                    "Tool: Area(Select Area|Export Area Data...|Clear Area)|-|Resize "
                    "Picture|Redraw Picture [Ctrl+R]|-|Cross Section...|-|Observation Site(Show "
                    "Obs. Sites Data|Show "
                    "Grid Data|-|Export Obs. Sites Data...|Clear Obs. Sites)|Receivers(Open "
                    "Receivers...|Sources as Receivers|Receiver Options...|-|Export "
                    "Receivers...|Clear Receivers)|Fit to Observations...|-|Publication "
                    "Style|Option...\n"
                    "Help: About CRUSTEX..."));
        // "Execute" holds the quantities under their captions;
        // "delta CFF (optimal planes)" is offered with a regional stress.
        r.ws.xgrid = r.ws.ygrid = 6;
        r.ws.regionalstress = {true,
                               {PrincipalStress{115, 0, 100, 0}, PrincipalStress{25, 0, 50, 0},
                                PrincipalStress{25, 90, 30, 0}}};
        QMenu* exec = w.topMenu("Execute");
        for (const QuantityName& q : quantitynames()) {
            const QString caption = QString::fromUtf8(q.caption.data(), q.caption.size());
            QAction* a = findcaption(exec, caption);
            QVERIFY2(a != nullptr, qPrintable(caption));
            a->trigger();
            QCOMPARE(QString::fromStdString(r.ws.quantitykey),
                     QString::fromUtf8(q.key.data(), q.key.size()));
        }
    }

    void startUpSequence() {
        // A settings file with only a printer line (and a damaged field after
        // it): its values override the defaults, everything else stays at the
        // start-up defaults.
        QTemporaryDir dir;
        const QString ini = QDir(dir.path()).filePath("crustex.ini");
        const QByteArray damaged = "\"printer\",25,30,#TRUE#\r\n\"cffpara\",x\r\n";
        QVERIFY(test::writeFile(ini, damaged));
        WorkState ws;
        ws.nsite = 5;  // left over: start-up clears it
        ws.narea = 7;
        ws.quantitykey = "uz";
        MainWindow w(ws, dir.path());
        QCOMPARE(ws.xmargin, int16_t(25));
        QVERIFY(ws.quantitykey.empty());
        QVERIFY(ws.gridstale && ws.cffstale);
        QCOMPARE(ws.nsite, int16_t(0));
        QCOMPARE(ws.narea, int16_t(0));
        QCOMPARE(w.plot().colormode, std::string("nomap"));
        QCOMPARE(static_cast<Surface*>(w.surface()), w.plot().screen);
        // "Resize Picture" ran: the surface matches the plot and shows the
        // overlay (the field frame), not a picture.
        QCOMPARE(w.surface()->pixelWidth(), w.plotArea()->width());
        QCOMPARE(w.surface()->pixelHeight(), w.plotArea()->height());
        const QPoint corner =
            w.surface()
                ->toDevice(toframex(w.plot().frame, 20), toframey(w.plot().frame, 20))
                .toPoint();
        QVERIFY(QColor(w.surface()->image().pixel(corner)) != QColor(Qt::white));
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<WelcomeWindow*>(top)) QVERIFY(!top->isVisible());
        }
        // The damaged file is said to be kept, and kept at exit beside the
        // whole new one.
        QCOMPARE(w.infoStrip()->text(), QString(kSettingsKeptStatus));
        w.close();
        QCOMPARE(readText(ini + ".bak").toLatin1(), damaged);
        QVERIFY(readText(ini).contains("\"customform\","));
    }

    // --- Menu enabling ---
    void shortcutsAndLockedMenusCannotBypassTheRules() {
        WindowRig r;
        MainWindow& w = *r.w;
        // Nothing shown, no map (nor its coast file), no sites, no last work.
        for (const char* item :
             {"printmenu", "storestrmenu", "redrawmenu", "areamenu", "obssitemenu", "storemapmenu",
              "resumemenu", "exportpicmenu", "exportgridmenu", "openobsmenu", "mapmenu",
              "exportareamenu", "clearareamenu"})
            QVERIFY2(!enabled(w, item), item);
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
        // Print only while the shown results are current.
        QVERIFY(w.runCommand("uxmenu"));
        QVERIFY(enabled(w, "printmenu") && enabled(w, "storestrmenu"));
        QVERIFY(!enabled(w, "storeobsmenu"));  // "Show Obs. Sites Data" unchecked
        r.ws.showobsdatachecked = true;
        QVERIFY(enabled(w, "storeobsmenu"));
        // Only the receiver changes: "Displacement X" stays printable.
        r.ws.cffstale = true;
        QVERIFY(enabled(w, "printmenu"));
        QVERIFY(w.runCommand("cffmenu"));
        QVERIFY(!r.ws.cffstale);
        QVERIFY(enabled(w, "printmenu"));
        r.ws.cffstale = true;
        QVERIFY(!enabled(w, "printmenu") && !enabled(w, "storestrmenu"));
        QVERIFY(!enabled(w, "storeobsmenu"));
        QVERIFY(enabled(w, "redrawmenu"));
    }

    // --- Files ---
    void loadingSourcesKeepsPrintDisabledAndAsksForTheMapData() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(enabled(w, "printmenu"));
        WorkState three;  // a source file of three faults
        setdefaults(three, "/tmp");
        three.nfault = 3;
        three.fault[2] = three.fault[3] = three.fault[1];
        three.fault[2].fx0 = 10;
        three.fault[3].fy0 = 30;
        const QString path = r.file("three.flt.txt");
        QVERIFY(test::writeFile(path, QByteArray::fromStdString(sourcefiletext(three))));
        QString asked;
        w.openFileDialog = [&](const QString& title, const QString& filter, const QString&) {
            asked = title + "|" + filter;
            return path;
        };
        QVERIFY(w.runCommand("openfltmenu"));
        QVERIFY(asked.startsWith("Open Fault Parameters File|") && asked.contains("(*.flt.txt)"));
        QCOMPARE(r.ws.nfault, int16_t(3));
        QVERIFY(r.ws.quantitykey.empty() && r.ws.gridstale);
        QVERIFY(!enabled(w, "printmenu") && !enabled(w, "redrawmenu"));
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(enabled(w, "printmenu"));
        // A file that is not there: "Open Error" with the reason on the
        // status strip, nothing changed.
        const QString none = r.file("no.flt.txt");
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(test::runWithFile(w, "openfltmenu", none));
        QTRY_VERIFY(seen->seen);
        QCOMPARE(seen->text + "|" + seen->title, QString("Open Error|Error"));
        QCOMPARE(w.infoStrip()->text(), "Open Error: " + none + ": no such file");
        QCOMPARE(r.ws.nfault, int16_t(3));
        // A work file that switches the map and its relief on over plane
        // sources, read where the map directory holds neither the coast file
        // nor the tiles: the map and the relief contours go off, the sources
        // arrive.
        r.ws.mappath = r.file("nomaps/").toStdString();
        QVERIFY(test::writeFile(
            r.file("m.wrk.txt"),
            "\"mapextra\",#TRUE#,#FALSE#,1,3,1,3,1,#FALSE#,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n"
            "\"topography\",#TRUE#,#TRUE#\r\n\"fltxy\",1\r\n"
            "0,10,10,30,10,45,0,1,0,0,20,10,2,0,0\r\n"));
        QVERIFY(test::runWithFile(w, "openfltmenu", r.file("m.wrk.txt")));
        QCOMPARE(r.ws.nfault, int16_t(1));
        QVERIFY(!r.ws.needmap && !r.ws.topocontour && r.ws.topocolor);
    }
    void fileDialogsOpenWhereTheirKindWasLastUsed() {
        QTemporaryDir dir;
        for (const char* sub : {"w", "s", "g"}) QVERIFY(QDir(dir.path()).mkdir(sub));
        auto in = [&](const QString& name) { return QDir(dir.path()).filePath(name); };
        QString title, start, chosen;
        auto dialog = [&](const QString& t, const QString&, const QString& from) {
            title = t;
            start = from;
            return chosen;
        };
        {
            WorkState ws;
            MainWindow w(ws, dir.path());
            w.saveFileDialog = w.openFileDialog = dialog;
            // "Store Source...": the name decides what is written; a name
            // that fits no rule writes nothing and is not remembered.
            chosen = in("g/model");
            QVERIFY(w.runCommand("storefltmenu"));
            QCOMPARE(title, QString("Save Fault Parameters"));
            chosen = in("w/m.wrk");
            QVERIFY(w.runCommand("storefltmenu"));
            QVERIFY(QFile::exists(in("w/m.wrk.txt")));
            chosen = in("s/m.flt");
            QVERIFY(w.runCommand("storefltmenu"));
            QCOMPARE(start, QString());  // the first filter is for source files
            chosen = in("w/m.wrk.txt");
            QVERIFY(w.runCommand("openfltmenu"));
            QCOMPARE(start, in("s"));
            QVERIFY(w.runCommand("uzmenu"));
            chosen = in("g/grid.txt");
            QVERIFY(w.runCommand("storestrmenu"));
            QCOMPARE(start, QString());
            w.close();
        }
        WindowPlaces places;
        WorkState read;
        readsettingstext(read, places, readText(in("crustex.ini")).toStdString());
        QCOMPARE(QString::fromStdString(places.folders[WindowPlaces::Work]), in("w"));
        QCOMPARE(QString::fromStdString(places.folders[WindowPlaces::Source]), in("s"));
        QCOMPARE(QString::fromStdString(places.folders[WindowPlaces::Strain]), in("g"));
        // The next run opens each dialog where its kind was last used.
        WorkState ws;
        MainWindow w(ws, dir.path());
        w.saveFileDialog = w.openFileDialog = dialog;
        chosen.clear();
        QVERIFY(w.runCommand("storefltmenu"));
        QCOMPARE(start, in("s"));
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(w.runCommand("storestrmenu"));
        QCOMPARE(start, in("g"));
    }
    void quitWritesBothFilesAndResumeReadsThemBack() {
        QTemporaryDir dir;
        const QString ini = QDir(dir.path()).filePath("crustex.ini");
        const QString last = QDir(dir.path()).filePath("lastwork.ini");
        for (bool byClose : {true, false}) {
            QFile::remove(ini);
            QFile::remove(last);
            WorkState ws;
            MainWindow w(ws, dir.path());
            ws.cline = 0.5f;  // a settings value
            ws.nfault = 2;    // the work
            ws.fault[2] = ws.fault[1];
            ws.fault[2].fx0 = 40;
            ws.xmargin = 17;
            w.show();
            if (byClose) {
                w.close();
            } else {
                QVERIFY(w.runCommand("quitmenu"));
            }
            QVERIFY(!w.isVisible());
            QVERIFY(readText(ini).contains("\"printer\",17,10,#FALSE#"));
            QVERIFY(readText(last).contains("\"fltxy\",2\r\n"));
        }

        // The next run reads the settings at start and offers the last work.
        WorkState ws;
        MainWindow w(ws, dir.path());
        QCOMPARE(ws.xmargin, int16_t(17));
        QCOMPARE(ws.cline, 0.5f);
        QCOMPARE(ws.nfault, int16_t(1));  // no resuming without asking
        QVERIFY(enabled(w, "resumemenu"));
        const auto seen = test::answerNextBox(QMessageBox::No);
        QVERIFY(w.runCommand("resumemenu"));
        QCOMPARE(seen->text + "|" + seen->title, QString("Resume the Last Work?|Yes or No"));
        QCOMPARE(ws.nfault, int16_t(1));
        test::answerNextBox(QMessageBox::Yes);
        QVERIFY(w.runCommand("resumemenu"));
        QCOMPARE(ws.nfault, int16_t(2));
        QCOMPARE(ws.fault[2].fx0, 40.0f);
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
    }

    // --- Edit and Tool commands ---
    void copyPasteClearAndTheVisualMark() {
        WindowRig r;
        MainWindow& w = *r.w;
        QGuiApplication::clipboard()->clear();
        QVERIFY(!enabled(w, "pastemenu"));
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
        QVERIFY(r.ws.pastedbackground && !r.ws.needmap);
        QCOMPARE(r.ws.areastate, int16_t(0));
        const QPoint inside = w.surface()->toDevice(10, 10).toPoint();
        auto colour = [&] { return QColor(w.surface()->image().pixel(inside)); };
        QCOMPARE(colour(), QColor(Qt::red));
        // A redraw keeps it under the picture.
        QVERIFY(w.runCommand("redrawmenu"));
        QCOMPARE(colour(), QColor(Qt::red));
        QVERIFY(w.runCommand("clearmenu"));
        QVERIFY(!r.ws.pastedbackground && !w.surface()->hasBackground());
        QCOMPARE(colour(), QColor(Qt::white));
        // "Visual..." marks the legend column.
        QVERIFY(w.runCommand("visualmenu"));
        const QPoint legend = w.surface()->toDevice(590, 216).toPoint();
        QCOMPARE(QColor(w.surface()->image().pixel(legend)), QColor(63, 63, 159));
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }
    void resizePictureFitsThePlotAndTheStripsStayOnTheBottomLine() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        const double pt = w.logicalDpiY() / 72.0;  // layout units are points
        for (const QSize size : {QSize(1000, 600), QSize(500, 800)}) {
            // The plot is not resized with the window; "Resize Picture" fits it.
            const QSize before = w.plotArea()->size();
            w.resize(size);
            QCoreApplication::processEvents();
            QCOMPARE(w.plotArea()->size(), before);
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
            const QRect info = w.infoStrip()->geometry();
            const QRect loc = w.locationStrip()->geometry();
            QVERIFY(std::abs(info.top() - (client->height() - 13.5 * pt)) <= 1);
            QCOMPARE(loc.top(), info.top());
            QCOMPARE(info.left(), 0);
            QVERIFY(std::abs(info.width() - (client->width() - 134 * pt)) <= 1);
            QVERIFY(std::abs(loc.left() - (client->width() - 133 * pt)) <= 1);
            QVERIFY(std::abs(loc.width() - 132 * pt) <= 1);
        }
    }
    void mapOnOffersTheMapCommandsAndReadsOutLatitudeAndLongitude() {
        MapRig r;
        QVERIFY(r.shown());
        QVERIFY(enabled(*r.w, "mapmenu"));
        QVERIFY(!enabled(*r.w, "storemapmenu"));
        QVERIFY(r.w->runCommand("mapmenu"));
        QVERIFY(r.w->mapDialog()->isVisible());
        test::act(r.w->mapDialog(), "@needmapcbx");
        QVERIFY(r.w->mapDialog()->okClicked());
        QVERIFY(r.ws.needmap);
        QVERIFY(enabled(*r.w, "storemapmenu") && enabled(*r.w, "openobsmenu"));
        QCOMPARE(r.w->plot().colormode, std::string("map"));
        // The read-out holds the whole line, the longitude included.
        QTest::mouseMove(r.w->plotArea(), QPoint(20, 20));
        QTest::mouseMove(r.w->plotArea(), r.w->plotArea()->rect().center());
        QLabel* loc = r.w->locationStrip();
        QTRY_VERIFY(loc->text().endsWith("E)"));
        QVERIFY2(loc->text().contains("N:13"), qPrintable(loc->text()));
        QVERIFY(loc->contentsRect().width() >= loc->fontMetrics().horizontalAdvance(loc->text()));
        QVERIFY(r.w->infoStrip()->geometry().right() < loc->geometry().left());
        // "Export Area Data..." once the area tools are offered and an area
        // is enclosed: the polygon and the projection line as latitude and
        // longitude.
        QVERIFY(!enabled(*r.w, "areamenu"));  // without the area program
        QVERIFY(test::writeFile(r.file("seis95.exe")));
        QVERIFY(enabled(*r.w, "areamenu") && !enabled(*r.w, "exportareamenu"));
        r.ws.areastate = 1;
        r.ws.narea = 3;
        r.ws.areax = {0, 200, 300, 250};
        r.ws.areay = {0, 200, 220, 300};
        r.ws.projx0 = r.ws.projx1 = 250;
        QString asked, start;
        r.w->saveFileDialog = [&](const QString& title, const QString&, const QString& from) {
            asked = title;
            start = from;
            return r.file("Myarea5");
        };
        QVERIFY(r.w->runCommand("exportareamenu"));
        QCOMPARE(asked, QString("Export Area"));
        QVERIFY2(start.endsWith("area/Myarea5"), qPrintable(start));
        const QStringList lines = readText(r.file("Myarea5")).split("\r\n");
        QVERIFY2(lines.value(2).startsWith("35.") && lines.value(2).contains(",13"),
                 qPrintable(lines.value(2)));
        // A work file without the map: the read-out follows before the mouse moves.
        QVERIFY(test::runWithFile(*r.w, "openfltmenu", test::exampleFile("startup.wrk.txt")));
        QVERIFY(!r.ws.needmap);
        QVERIFY2(loc->text().startsWith(" x:") && !loc->text().contains('N'),
                 qPrintable(loc->text()));
    }
    void sourceFileWithAMapRangeShowsTheMapDialogFirst() {
        MapRig r;
        QVERIFY(test::writeFile(r.file("geo.flt.txt"),
                                "\"maparea\",33.5,134,36,136.5\r\n\"fltga2\",1\r\n"
                                "35,135,2,90,45,90,20,10,1,0,35,135.5,1,100,0\r\n"));
        // The map dialog is shown modally first: OK it.
        QTimer::singleShot(50, [] {
            if (auto* d = qobject_cast<MapDialog*>(QApplication::activeModalWidget()))
                d->okClicked();
        });
        QVERIFY(test::runWithFile(*r.w, "openfltmenu", r.file("geo.flt.txt")));
        QVERIFY(r.ws.needmap);
        QCOMPARE(r.ws.flat1, 33.5f);
        QCOMPARE(r.ws.nfault, int16_t(1));
        QCOMPARE(r.ws.fault[1].fdepth, 2.0f);
        float x, y;  // placed with the projection of the range just read
        geotokm(r.w->projection(), r.w->plot().frame, 35, 135, x, y);
        QVERIFY(std::fabs(r.ws.fault[1].fx0 - x) < 1e-3 && std::fabs(r.ws.fault[1].fy0 - y) < 1e-3);
    }

    void menuSwitchRedraws() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        auto* item = w.findChild<QAction*>("pubstylemenu");
        QVERIFY(item && item->isCheckable());
        // Nothing shown yet: only the mark changes.
        QVERIFY(w.runCommand("pubstylemenu"));
        QVERIFY(r.ws.publicationstyle && item->isChecked());
        QVERIFY(r.ws.quantitykey.empty());
        QVERIFY(w.runCommand("cffmenu"));
        const int filled = banded(w.surface()->image());
        QVERIFY2(filled > 20000, qPrintable(QString::number(filled)));
        // An edit's quick redraw keeps the style: the sources in black, not
        // in the screen style's colour.
        w.drawOverlay();
        QCOMPARE(
            test::countPixels(w.surface()->image(), [](QRgb c) { return c == qRgb(127, 0, 0); }),
            0);
        QVERIFY(w.runCommand("cffmenu"));
        QVERIFY(w.runCommand("pubstylemenu"));
        QVERIFY(!r.ws.publicationstyle && !item->isChecked());
        QCOMPARE(r.ws.quantitykey, std::string("cffpara"));
        const int lines = banded(w.surface()->image());
        QVERIFY2(lines < filled / 50, qPrintable(QString("%1 %2").arg(lines).arg(filled)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
