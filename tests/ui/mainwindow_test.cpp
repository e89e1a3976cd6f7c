// The main window itself: caption, the whole menu tree, the start-up
// sequence and the layout of the two strips.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/plotwidget.h"
#include "ui/qpaintersurface.h"
#include "ui/welcomewindow.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

// Captions of a menu in order; separators as "-", submenus as "caption>".
QStringList captions(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << "-";
        } else if (a->menu()) {
            out << a->text() + ">";
        } else {
            out << a->text() +
                       (a->shortcut().isEmpty() ? "" : " [" + a->shortcut().toString() + "]");
        }
    }
    return out;
}

const QMenu* submenu(const QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->menu() && a->text() == caption) return a->menu();
    }
    return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndMenuTree() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QCOMPARE(w.windowTitle(), QString("CRUSTEX"));
        QStringList top;
        for (QAction* a : w.menuBar()->actions()) top << a->text();
        QCOMPARE(top, (QStringList{"File", "Edit", "Execute", "Parameter", "Tool", "Help"}));
        QCOMPARE(
            captions(w.topMenu("File")),
            (QStringList{"Open Source.... [Ctrl+O]", "Open Obs. Sites....", "-", "Store Source...",
                         "Store Source with Map....", "Store Strains....",
                         "Store Strains (Obs. site)...", "-", "Printer Setting...",
                         "Print.... [Ctrl+P]", "-", "Resume Last Work... [Ctrl+L]", "-", "Quit"}));
        QCOMPARE(captions(w.topMenu("Edit")),
                 (QStringList{"Copy Picture [Ctrl+C]", "Paste Background [Ctrl+V]",
                              "Clear Picture [Ctrl+X]"}));
        QCOMPARE(captions(w.topMenu("Execute")),
                 (QStringList{"Contour>", "Vector>", "Principal Strains [F11]"}));
        QCOMPARE(captions(submenu(w.topMenu("Execute"), "Contour")),
                 (QStringList{"delta CFF [F5]",
                              "-",
                              "Displacement X",
                              "Displacement Y",
                              "Displacement Z",
                              "Composite Displacement",
                              "-",
                              "Dilatant Strain [F7]",
                              "Vol. Strain [F8]",
                              "Maximum Shear",
                              "-",
                              "Strain XX",
                              "Strain YY",
                              "Strain ZZ",
                              "Strain XY",
                              "Strain YZ",
                              "Strain ZX",
                              "Composite Strain",
                              "-",
                              "Customize Composition..."}));
        QCOMPARE(captions(submenu(w.topMenu("Execute"), "Vector")),
                 (QStringList{"Horizontal Displacement [F9]", "Tilt (du/dz, dv/dz)",
                              "Tilt (dw/dx, dw/dy)"}));
        QCOMPARE(captions(w.topMenu("Parameter")),
                 (QStringList{"Source...", "Field...", "Visual...", "CFF...", "Map..."}));
        QCOMPARE(captions(w.topMenu("Tool")),
                 (QStringList{"Area>", "-", "Resize Picture", "Redraw Picture [Ctrl+R]", "-",
                              "Observation Site>", "-", "Option..."}));
        QCOMPARE(captions(submenu(w.topMenu("Tool"), "Area")),
                 (QStringList{"Select Area", "Export Area Data...", "Clear Area"}));
        QCOMPARE(captions(submenu(w.topMenu("Tool"), "Observation Site")),
                 (QStringList{"Show Obs. Sites Data", "Show Grid Data", "-",
                              "Export Obs. Sites Data...", "Clear Obs. Sites"}));
        QCOMPARE(captions(w.topMenu("Help")), (QStringList{"About CRUSTEX..."}));
    }

    void startUpSequence() {
        // A settings file with only a printer line: its values override the
        // defaults, everything else stays at the start-up defaults.
        QTemporaryDir dir;
        QFile ini(QDir(dir.path()).filePath("crustex.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("\"printer\",25,30,#TRUE#\r\n");
        ini.close();
        WorkState ws;
        ws.nsite = 5;  // left over: start-up clears it
        ws.narea = 7;
        ws.quantitykey = "uz";
        MainWindow w(ws, dir.path());
        QCOMPARE(ws.xmargin, int16_t(25));
        QCOMPARE(ws.ymargin, int16_t(30));
        QVERIFY(ws.bnwmode);
        QCOMPARE(ws.nfault, int16_t(1));
        QCOMPARE(ws.xgrid, int16_t(20));
        QCOMPARE(ws.rwidth, 240.0f);
        QVERIFY(ws.quantitykey.empty());
        QCOMPARE(ws.mousemode, int16_t(0));
        QVERIFY(ws.gridstale && ws.cffstale);
        QCOMPARE(ws.nsite, int16_t(0));
        QCOMPARE(ws.narea, int16_t(0));
        QCOMPARE(ws.areastate, int16_t(0));
        QCOMPARE(w.plot().colormode, std::string("nomap"));
        QCOMPARE(w.plot().palette.source, (Rgb{127, 0, 0}));
        QCOMPARE(static_cast<Surface*>(w.surface()), w.plot().screen);
        // "Resize Picture" ran: the surface matches the plot, aspect 64:51,
        // and shows the overlay (the field frame), not a picture.
        QCOMPARE(w.surface()->pixelWidth(), w.plotArea()->width());
        QCOMPARE(w.surface()->pixelHeight(), w.plotArea()->height());
        QVERIFY(std::abs(w.plotArea()->width() * 51 - w.plotArea()->height() * 64) <= 64);
        const QPoint corner =
            w.surface()
                ->toDevice(toframex(w.plot().frame, 20), toframey(w.plot().frame, 20))
                .toPoint();
        QVERIFY(QColor(w.surface()->image().pixel(corner)) != QColor(Qt::white));
        // The welcome window is closed.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (qobject_cast<WelcomeWindow*>(top)) QVERIFY(!top->isVisible());
        }
    }

    void stripsOnTheBottomLine() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(900, 700);
        QCoreApplication::processEvents();
        const double px = w.logicalDpiY() / 72.0;  // layout units are points
        const QWidget* client = w.centralWidget();
        const QRect info = w.infoStrip()->geometry();
        const QRect loc = w.locationStrip()->geometry();
        QVERIFY(std::abs(info.top() - (client->height() - 13.5 * px)) <= 1);
        QCOMPARE(loc.top(), info.top());
        QCOMPARE(info.left(), 0);
        QVERIFY(std::abs(info.width() - (client->width() - 134 * px)) <= 1);
        QVERIFY(std::abs(loc.left() - (client->width() - 133 * px)) <= 1);
        QVERIFY(std::abs(loc.width() - 132 * px) <= 1);
        // The plot is not resized with the window; "Resize Picture" fits it.
        const QSize before = w.plotArea()->size();
        w.resize(700, 500);
        QCoreApplication::processEvents();
        QCOMPARE(w.plotArea()->size(), before);
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
