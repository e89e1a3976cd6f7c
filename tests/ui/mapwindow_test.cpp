// The map through the main window: "Map..." and its OK, the position
// read-out with the map on, "Export Area Data..." and a source file that
// carries a map range.
#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QtTest>

#include "app/plotwidget.h"
#include "files/sourcefile.h"
#include "ui/mapdialog.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QString readall(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// A window whose map directory holds a (blank) coast file.
struct MapRig : WindowRig {
    MapRig() {
        QDir(dir.path()).mkpath("map");
        touch(file("map/japanv.map"));
        ws.mappath = file("map/").toStdString();
        ws.areapath = file("area/").toStdString();
        ws.seispath = dir.path().toStdString() + "/";
    }
    bool enabled(const char* name) {
        w->updateMenus();
        return w->action(name)->isEnabled();
    }
    void mapOn() {
        QVERIFY(w->runCommand("mapmenu"));
        MapDialog* d = w->mapDialog();
        QVERIFY(d->isVisible());
        auto* on = d->findChild<QAbstractButton*>("needmapcbx");
        if (!on->isChecked()) on->click();
        QVERIFY(d->okClicked());
    }
};

// Clicks OK of the next map dialog shown modally.
void acceptNextMapDialog() {
    QTimer::singleShot(50, [] {
        if (auto* d = qobject_cast<MapDialog*>(QApplication::activeModalWidget())) d->okClicked();
    });
}

}  // namespace

class MapWindowTest : public QObject {
    Q_OBJECT
private slots:
    void mapOnOffersTheMapCommandsAndReadsOutLatitudeAndLongitude() {
        MapRig r;
        QVERIFY(r.shown());
        QVERIFY(r.enabled("mapmenu"));
        QVERIFY(!r.enabled("storemapmenu"));
        r.mapOn();
        QVERIFY(r.ws.needmap);
        QVERIFY(r.enabled("storemapmenu") && r.enabled("openobsmenu"));
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
        touch(r.file("seis95.exe"));
        QVERIFY(r.enabled("areamenu") && !r.enabled("exportareamenu"));
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
        const QStringList lines = readall(r.file("Myarea5")).split("\r\n");
        QCOMPARE(lines.mid(0, 2), QStringList({" 2 ", " 3 "}));
        QCOMPARE(lines.size(), 8);  // seven lines, each ended
        QVERIFY2(lines[2].startsWith("35.") && lines[2].contains(",13"), qPrintable(lines[2]));
    }
    void sourceFileWithAMapRangeShowsTheMapDialogFirst() {
        MapRig r;
        QFile f(r.file("geo.flt.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "\"maparea\",33.5,134,36,136.5\r\n\"fltga2\",1\r\n"
            "35,135,2,90,45,90,20,10,1,0,35,135.5,1,100,0\r\n");
        f.close();
        r.w->openFileDialog = [&](const QString&, const QString&, const QString&) {
            return f.fileName();
        };
        acceptNextMapDialog();
        QVERIFY(r.w->runCommand("openfltmenu"));
        QVERIFY(r.ws.needmap);
        QCOMPARE(r.ws.flat1, 33.5f);
        QCOMPARE(r.ws.nfault, int16_t(1));
        QCOMPARE(r.ws.fault[1].fdepth, 2.0f);
        float x, y;  // placed with the projection of the range just read
        geotokm(r.w->projection(), r.w->plot().frame, 35, 135, x, y);
        QVERIFY(std::fabs(r.ws.fault[1].fx0 - x) < 1e-3 && std::fabs(r.ws.fault[1].fy0 - y) < 1e-3);
    }
};

QTEST_MAIN(MapWindowTest)
#include "mapwindow_test.moc"
