// The map dialog against a fake main window: OK's checks and what it
// changes, the rubber band on the preview, the named ranges and the layer
// controls offered by the data files present.
#include "ui/mapdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "fakeworkbench.h"
#include "files/arealist.h"
#include "ui/mappreview.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::FakeWorkbench;

namespace {

template <typename T = QAbstractButton>
T* child(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no child %s", qPrintable(name));
    return c;
}

// A fake main window whose map dialog counts the main window's steps.
struct Rig {
    FakeWorkbench wb;
    QTemporaryDir dir;
    MapDialog d{wb};
    QStringList steps;
    Rig() {
        wb.ws.mappath = dir.filePath("map").toStdString() + "/";
        wb.ws.areapath = dir.filePath("area").toStdString() + "/";
        QDir(dir.path()).mkpath("map");
        touch("map/JAPANV.MAP");
        d.hooks.drawBackground = [this] { steps << "draw"; };
        d.hooks.clearBackground = [this](bool pasted) {
            steps << (pasted ? "clear all" : "clear");
        };
        d.hooks.rebuildSourceList = [this] { steps << "list"; };
    }
    void touch(const QString& name) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    void type(const char* field, const QString& text) { d.box(field)->setText(text); }
    QString text(const char* field) { return d.box(field)->text(); }
};

// Drags on the preview from one frame point to another.
void drag(MapPreview* p, QPointF from, QPointF to) {
    const QPoint a = p->toPixel(from).toPoint(), b = p->toPixel(to).toPoint();
    QTest::mousePress(p, Qt::LeftButton, {}, a);
    QTest::mouseMove(p, (a + b) / 2);
    QTest::mouseMove(p, b);
    QTest::mouseRelease(p, Qt::LeftButton, {}, b);
}

}  // namespace

class MapDialogTest : public QObject {
    Q_OBJECT
private slots:
    void okRefusesAnEmptyRangeAndStoresNothing() {
        Rig r;
        r.d.entrymapform();
        child(&r.d, "needmapcbx")->click();
        r.type("flat2", "34");
        const std::string before = r.wb.stored();
        QVERIFY(!r.d.okClicked());
        QCOMPARE(r.wb.inputErrors(), 1);
        QTRY_VERIFY(r.d.box("flat1")->hasFocus());
        QVERIFY(r.d.isVisible());
        QCOMPARE(QString::fromStdString(r.wb.stored()), QString::fromStdString(before));
        QVERIFY(r.steps.isEmpty());
    }
    void okDrawsRebasesTheFieldAndLeavesOneSource() {
        Rig r;
        r.wb.ws.nfault = 3;
        r.wb.ws.gridstale = false;
        r.d.entrymapform();
        child(&r.d, "needmapcbx")->click();
        child(&r.d, "Projec1")->click();
        r.type("flat1", "33.5");
        r.type("flon2", "136.25");
        QVERIFY(r.d.okClicked());
        QVERIFY(!r.d.isVisible());
        const WorkState& ws = r.wb.ws;
        QCOMPARE(r.steps.join(","), QString("clear all,draw,list"));
        QVERIFY(ws.needmap && ws.gridstale);
        QCOMPARE(ws.nfault, int16_t(1));
        QCOMPARE(ws.projection, kMercator);
        QCOMPARE(r.wb.ctx.colormode, std::string("map"));
        QCOMPARE(r.wb.overlays, 1);
        // The field spans the map: the whole window is 640 frame units of the
        // map's scale and the data area's edges lie on the map's edges.
        const Projection& p = r.wb.proj;
        QCOMPARE(p.lat1, 33.5f);
        QCOMPARE(ws.rwidth, 640 * p.s);
        QCOMPARE(r.wb.ctx.frame.fieldwidth, ws.rwidth);
        float lat, lon;
        kmtogeo(p, r.wb.ctx.frame, ws.xview0, ws.yview0, lat, lon);
        QVERIFY(std::fabs(lat - 33.5f) < 1e-3 && std::fabs(lon - 134) < 1e-3);
        kmtogeo(p, r.wb.ctx.frame, ws.xview1, ws.yview1, lat, lon);
        QVERIFY(std::fabs(lat - 36) < 1e-3 && std::fabs(lon - 136.25f) < 1e-3);
        // Switched off again: the map goes, the area with it.
        r.wb.ws.areastate = 1;
        r.wb.ws.narea = 4;
        r.d.entrymapform();
        child(&r.d, "needmapcbx")->click();
        QVERIFY(r.d.okClicked());
        QVERIFY(!ws.needmap && ws.areastate == 0 && ws.narea == 0);
        QCOMPARE(r.wb.ctx.colormode, std::string("nomap"));
        QCOMPARE(r.steps.last(), QString("clear"));
    }
    // Dragged from the south-east: rubberbandrange orders the corners.
    void rubberBandSetsTheRangeBoxes() {
        Rig r;
        r.d.entrymapform();
        drag(r.d.preview(), QPointF(400, 300), QPointF(150, 100));
        const QStringList v = {r.text("flat1"), r.text("flon1"), r.text("flat2"), r.text("flon2")};
        // Inside the previewed range, south-west before north-east, "0.#".
        QVERIFY2(v[0].toFloat() > 34 && v[0].toFloat() < v[2].toFloat() && v[2].toFloat() < 36,
                 qPrintable(v.join(" ")));
        QVERIFY(v[1].toFloat() > 134 && v[1].toFloat() < v[3].toFloat() && v[3].toFloat() < 137);
        for (const QString& t : v) QVERIFY2(t.section('.', 1).size() <= 1, qPrintable(t));
        // Nothing is stored before OK, and a cancelled preview leaves the
        // range alone.
        click(&r.d, "cmdPreview");
        QCOMPARE(r.d.previewProjection().lat1, v[0].toFloat());
        r.d.reject();
        QCOMPARE(r.wb.ws.flat1, 34.0f);
        QCOMPARE(r.wb.proj.s, 0.0f);
    }
    void namedRangesAddSelectAndDelete() {
        Rig r;
        r.d.entrymapform();
        QComboBox* list = r.d.areaList();
        QCOMPARE(list->count(), 1);  // the empty entry only
        QVERIFY(!child(&r.d, "cmdAreaDel")->isEnabled());
        list->setEditText("First");
        r.type("flat1", "34.25");
        r.type("nstep", "4");
        click(&r.d, "cmdAreaAdd");
        list->setEditText("Second");
        r.type("flat1", "35");
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);  // adds, keeps the dialog open
        QVERIFY(r.d.isVisible());
        const auto saved = readarealist(r.wb.ws.areapath);
        QCOMPARE(saved.size(), std::size_t(2));
        QCOMPARE(saved[0].flat1, 34.25f);
        QCOMPARE(saved[0].nstep, int16_t(4));
        // A name that exists is refused and cleared.
        list->setEditText("First");
        click(&r.d, "cmdAreaAdd");
        QCOMPARE(r.wb.scripted.messages.back().text, std::string("The Area Name already exists"));
        QCOMPARE(r.wb.scripted.messages.back().title, std::string("Error"));
        QCOMPARE(list->currentText(), QString());
        QCOMPARE(readarealist(r.wb.ws.areapath).size(), std::size_t(2));
        // Choosing an entry shows its range; Del removes it from the file.
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(r.text("flat1"), QString("34.25"));
        QCOMPARE(r.text("nstep"), QString("4"));
        click(&r.d, "cmdAreaDel");
        QCOMPARE(list->count(), 2);
        QCOMPARE(readarealist(r.wb.ws.areapath).at(0).name, std::string("Second"));
        QVERIFY(!child(&r.d, "cmdAreaDel")->isEnabled());
    }
    void layerControlsFollowTheDataFiles() {
        Rig r;
        r.wb.ws.faultclass = {true, true, true, true};
        r.wb.ws.needevent = true;
        r.touch("map/vactive2.20");
        r.d.entrymapform();
        for (int k = 0; k < 4; ++k) {
            auto* box = child<QCheckBox>(&r.d, QString("faultcbx%1").arg(k));
            QCOMPARE(box->isEnabled(), k == 1);
            QCOMPARE(box->isChecked(), k == 1);
        }
        for (const char* name :
             {"volcanocbx", "needeventcbx", "setparabt", "chkContour", "chkColor"})
            QVERIFY2(!child(&r.d, name)->isEnabled(), name);
        QVERIFY(child(&r.d, "needmapcbx")->isEnabled());
        // With the catalogue, "Set...." follows the earthquake switch and
        // calls its hook.
        r.touch("catalogue.ep");
        r.wb.ws.vhyppath = r.dir.filePath("catalogue.ep").toStdString();
        int asked = 0;
        r.d.hooks.eventParameters = [&] { ++asked; };
        r.d.entrymapform();
        QVERIFY(child(&r.d, "setparabt")->isEnabled());
        child(&r.d, "needeventcbx")->click();
        QVERIFY(!child(&r.d, "setparabt")->isEnabled());
        child(&r.d, "needeventcbx")->click();
        click(&r.d, "setparabt");
        QCOMPARE(asked, 1);
        QFile::remove(r.dir.filePath("map/JAPANV.MAP"));
        r.d.entrymapform();
        QVERIFY(!child(&r.d, "needmapcbx")->isEnabled());
    }

private:
    static void click(QWidget* w, const char* name) {
        QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
    }
};

QTEST_MAIN(MapDialogTest)
#include "mapdialog_test.moc"
