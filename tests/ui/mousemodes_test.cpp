// The plot's mouse modes: the plain decisions, and every pointing mode driven
// by synthetic mouse events on the real window.
#include "app/mousemodes.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <cmath>

#include "app/plotwidget.h"
#include "plot/griddataline.h"
#include "ui/cffdialog.h"
#include "ui/fielddialog.h"
#include "ui/qpaintersurface.h"
#include "ui/sourceeditor.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

// A shown main window; pixel <-> km on its plot.
struct Win {
    test::WindowRig rig;
    MainWindow& w;
    PlotWidget* plot;
    Win() : w(*rig.w), plot(rig.w->plotArea()) { QVERIFY(rig.shown()); }
    float kmx(int px) const {
        return fromframex(w.plot().frame, float(plot->toFrame(QPointF(px, 0)).x()));
    }
    float kmy(int py) const {
        return fromframey(w.plot().frame, float(plot->toFrame(QPointF(0, py)).y()));
    }
    QPoint pixel(float xkm, float ykm) const {
        const PlotFrame& f = w.plot().frame;
        return plot->toPixel(QPointF(toframex(f, xkm), toframey(f, ykm))).toPoint();
    }
    void drag(QPoint a, QPoint b, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(plot, Qt::LeftButton, mods, a);
        QTest::mouseMove(plot, (a + b) / 2);
        QTest::mouseMove(plot, b);
        QTest::mouseRelease(plot, Qt::LeftButton, mods, b);
    }
};

float value(QLineEdit* box) { return box->text().toFloat(); }

}  // namespace

class MouseModesTest : public QObject {
    Q_OBJECT
private slots:
    void nearestNodeRounding() {
        // {position, frame of the first node, of the last, intervals, node}:
        // a field from 100 to 300 with 4 intervals has nodes every 50 units;
        // the frame's y grows downwards, so yview0 lies below yview1.
        const float cases[][5] = {
            {150, 100, 300, 4, 1}, {174.9f, 100, 300, 4, 1}, {175, 100, 300, 4, 2},
            {300, 100, 300, 4, 4}, {20, 100, 300, 4, 0},     {900, 100, 300, 4, 4},
            {NAN, 100, 300, 4, 0}, {290, 300, 100, 4, 0},    {125, 300, 100, 4, 4},
            {200, 150, 150, 4, 0}, {200, 100, 300, 0, 0}};
        for (const auto& [pos, f0, f1, n, node] : cases) {
            QVERIFY2(nearestnode(pos, f0, f1, int(n)) == int(node),
                     qPrintable(QString("%1 in %2..%3").arg(pos).arg(f0).arg(f1)));
        }
    }
    void readOutTexts() {
        QCOMPARE(QString::fromStdString(locationtext(12.34f, -5.0f)), QString(" x:12.3 y:-5.0"));
        QCOMPARE(QString::fromStdString(locationtext(0, 150)), QString(" x:0.0 y:150.0"));
        QCOMPARE(QString::fromStdString(geolocationtext(35.12345f, 135.5f)),
                 QString(" (35.123N:135.500E)"));
    }

    // --- Driven through the real window ---

    void windowSourceFieldAndCffStrike() {
        Win win;
        WorkState& ws = win.rig.ws;
        SourceEditor* se = win.w.sourceEditor();
        auto near = [se](const char* field, float want, float tol) {
            return std::abs(value(se->box(field)) - want) <= tol;
        };
        QVERIFY(win.w.runCommand("sourcemenu"));
        // The point source is taken on the press.
        se->pointPointClicked();
        QCOMPARE(ws.mousemode, int16_t(kModePointSource));
        QTest::mousePress(win.plot, Qt::LeftButton, {}, win.pixel(44, 55));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(se->isVisible());
        // The press ends the drag: the pen is back to 1 pixel even if the
        // release never comes.
        QCOMPARE(win.w.surface()->DrawWidth, int16_t(1));
        QVERIFY(!win.w.mouseModes().dragging() && win.w.surface()->AutoRedraw());
        QTest::mouseRelease(win.plot, Qt::LeftButton, {}, win.pixel(44, 55));
        QVERIFY(near("px", 44, 0.6f) && near("py", 55, 0.6f));
        // A plain drag: the edges where it starts and ends.
        se->pointFaultClicked();
        QCOMPARE(ws.mousemode, int16_t(kModeFaultEdge));
        win.drag(win.pixel(50, 60), win.pixel(70, 80));
        QVERIFY(near("fx0", 50, 0.6f) && near("fy0", 60, 0.6f));
        QVERIFY(near("fx1", 70, 0.6f) && near("fy1", 80, 0.6f));
        // Shift-drag: both edges move with the pointer.
        test::act(se, "fx0=85;fy0=100;fx1=105;fy1=100");
        se->pointFaultClicked();
        const QPoint a = win.pixel(95, 100);
        const QPoint b = a + QPoint(40, -30);
        win.drag(a, b, Qt::ShiftModifier);
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(se->isVisible());
        const float dx = win.kmx(b.x()) - win.kmx(a.x());
        const float dy = win.kmy(b.y()) - win.kmy(a.y());
        QVERIFY(near("fx0", 85 + dx, 0.06f) && near("fx1", 105 + dx, 0.06f));
        QVERIFY(near("fy0", 100 + dy, 0.06f) && near("fy1", 100 + dy, 0.06f));
        // Ctrl-drag: the first end stays, the edge keeps its length and
        // turns towards the pointer.
        se->pointFaultClicked();
        const float x0 = value(se->box("fx0")), y0 = value(se->box("fy0"));
        const float len = std::hypot(value(se->box("fx1")) - x0, value(se->box("fy1")) - y0);
        const QPoint far = win.pixel(x0, y0 + 40);  // due north of the first end
        win.drag(win.pixel(x0 + 5, y0), far, Qt::ControlModifier);
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(near("fx0", x0, 0.051f) && near("fy0", y0, 0.051f));
        QVERIFY(near("fx1", x0, 0.6f) && near("fy1", y0 + len, 0.6f));
        // A plain click: both ends at the click (a zero-length edge).
        se->pointFaultClicked();
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, far);
        QCOMPARE(se->box("fx0")->text(), se->box("fx1")->text());
        QCOMPARE(se->box("fy0")->text(), se->box("fy1")->text());
        static_cast<QDialog*>(se)->reject();
        // The inclined field's reference, and its strike by the drag: east.
        FieldDialog* fd = win.w.fieldDialog();
        QVERIFY(win.w.runCommand("fieldmenu"));
        fd->pointReferenceClicked();
        QCOMPARE(win.w.infoStrip()->text(), QString(" Drag Mouse to Point out Strike Angle ...."));
        win.drag(win.pixel(44, 55), win.pixel(64, 55));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(fd->isVisible());
        QVERIFY(std::abs(value(fd->box("obsincx")) - 44) <= 0.6f);
        QCOMPARE(fd->box("obsincs")->text(), QString("90."));
        // The field's rectangle, dragged from the north-east corner.
        fd->pointAreaClicked();
        QCOMPARE(ws.mousemode, int16_t(kModeFieldRect));
        QCOMPARE(win.w.infoStrip()->text(), QString(" Drag Mouse to Enclose Drawing Field...."));
        QVERIFY(!fd->isVisible());
        QVERIFY(!win.w.topMenu("Parameter")->menuAction()->isEnabled());
        win.drag(QPoint(420, 150), QPoint(120, 400));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(fd->isVisible());
        QVERIFY(win.w.topMenu("Parameter")->menuAction()->isEnabled());
        QVERIFY(std::abs(value(fd->box("xview0")) - win.kmx(120)) <= 0.051f);
        QVERIFY(std::abs(value(fd->box("xview1")) - win.kmx(420)) <= 0.051f);
        QVERIFY(std::abs(value(fd->box("yview0")) - win.kmy(400)) <= 0.051f);
        QVERIFY(std::abs(value(fd->box("yview1")) - win.kmy(150)) <= 0.051f);
        static_cast<QDialog*>(fd)->reject();
        // The receiver's strike: a second press during the drag is ignored.
        CffDialog* cd = win.w.cffDialog();
        QVERIFY(win.w.runCommand("cffparamenu"));
        cd->pointStrikeClicked();
        QCOMPARE(ws.mousemode, int16_t(kModeCffStrike));
        QCOMPARE(win.w.infoStrip()->text(), QString(" Drag Mouse to Point out Strike Angle...."));
        win.w.mouseModes().press(MouseButton::Left, false, false, 100, 100);
        win.w.mouseModes().press(MouseButton::Left, false, false, 300, 300);
        win.w.mouseModes().release(MouseButton::Left, 100, 50);
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(cd->isVisible());
        QCOMPARE(cd->box("cffstrike")->text(), QString("0."));
        QVERIFY(win.w.topMenu("Parameter")->menuAction()->isEnabled());
        // A double click outside the area mode does nothing.
        win.w.mouseModes().doubleclick(100, 100);
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
    }

    void windowProbeHalfWayRoundsUp() {
        Win win;
        WorkState& ws = win.rig.ws;
        // A field whose nodes lie 50 pixels apart: half-way is a whole pixel.
        ws.xgrid = 4;
        ws.ygrid = 4;
        ws.xview0 = win.kmx(100);
        ws.xview1 = win.kmx(300);
        ws.yview0 = win.kmy(350);
        ws.yview1 = win.kmy(150);
        markgridstale(ws);
        // Stale results: a press does not probe.
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(175, 250));
        QVERIFY(win.w.infoStrip()->text().isEmpty());
        QVERIFY(win.w.runCommand("uzmenu"));
        QTest::mousePress(win.plot, Qt::LeftButton, {}, QPoint(175, 250));  // half-way in x
        QCOMPARE(ws.mousemode, int16_t(kModeProbe));
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 2, 2)));
        QVERIFY(griddatatext(ws, 2, 2) != griddatatext(ws, 1, 2));
        QTest::mouseRelease(win.plot, Qt::LeftButton, {}, QPoint(175, 250));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        // The probe's mark is on the shown picture only, and one at a time.
        auto marked = [&] {
            return test::countDiffering(win.w.surface()->shownImage(), win.w.surface()->image());
        };
        const int onemark = marked();
        QVERIFY(onemark > 0);
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(150, 226));  // rows: y grows down
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 1, 2)));
        QVERIFY2(marked() < onemark * 3 / 2, qPrintable(QString::number(marked())));
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(5, 5));  // outside: the corner
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 0, 4)));
        // A site nearer than the nearest node is shown instead of the node.
        ws.nsite = 2;
        ws.site[1].x = win.kmx(300), ws.site[1].y = win.kmy(350);
        ws.site[2].x = win.kmx(236), ws.site[2].y = win.kmy(276);
        win.w.siteResults().uz[2] = 1.25f;
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(238, 274));
        QCOMPARE(win.w.infoStrip()->text(), QString(" 1.25"));
        // Moving writes the read-out.
        QTest::mouseMove(win.plot, QPoint(100, 350));
        QCOMPARE(win.w.locationStrip()->text(),
                 QString::fromStdString(locationtext(win.kmx(100), win.kmy(350))));
    }
    void windowAreaEnclosing() {
        Win win;
        WorkState& ws = win.rig.ws;
        QVERIFY(test::writeFile(win.rig.file("seis95.exe")));
        ws.seispath = win.rig.dir.path().toStdString() + "/";
        QVERIFY(!win.w.runCommand("selareamenu"));  // the map is off
        ws.needmap = true;
        win.w.drawOverlay();
        const QImage clean = win.w.surface()->image();
        QVERIFY(win.w.runCommand("selareamenu"));
        QCOMPARE(ws.mousemode, int16_t(kModeArea));
        QCOMPARE(win.w.infoStrip()->text(), QString(kEncloseAreaPrompt));
        QVERIFY(!win.w.topMenu("Tool")->menuAction()->isEnabled());
        // The right button with only the start keeps the start.
        QTest::mouseClick(win.plot, Qt::RightButton, {}, QPoint(90, 90));
        QCOMPARE(ws.narea, int16_t(1));
        QImage before50th;
        for (int k = 0; k < 55; ++k) {
            if (ws.narea == 49) before50th = win.w.surface()->shownImage();
            QTest::mouseClick(win.plot, Qt::LeftButton, {},
                              QPoint(100 + 4 * k, 100 + (k % 2) * 50));
        }
        QCOMPARE(ws.narea, int16_t(50));
        QCOMPARE(win.w.infoStrip()->text(), QString(kAreaFullPrompt));
        QVERIFY(win.w.surface()->shownImage() != before50th);
        // The right button takes the last vertex back and erases its segment.
        QTest::mouseClick(win.plot, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(ws.narea, int16_t(49));
        QVERIFY(win.w.surface()->shownImage() == before50th);
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QTest::mouseDClick(win.plot, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(seen->text, QString("Point out Projection Line for Seis-PC Compatiblity"));
        QCOMPARE(ws.mousemode, int16_t(kModeProjection));
        // The double click's own first click may add the 50th vertex (as the
        // window system sends it), never a 51st.
        QVERIFY(ws.narea == 49 || ws.narea == 50);
        win.drag(QPoint(50, 50), QPoint(400, 60));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(ws.projx0 < ws.projx1);
        QVERIFY(win.w.topMenu("Tool")->menuAction()->isEnabled());
        QVERIFY(test::enabled(win.w, "clearareamenu"));
        // A redraw shows the closed outline, closing segment included, and
        // Clear Area then erases exactly what is on the picture.
        QVERIFY(ws.areaclosed);
        win.w.drawOverlay();
        QVERIFY(win.w.surface()->image() != clean);
        QVERIFY(win.w.runCommand("clearareamenu"));
        QCOMPARE(ws.areastate, int16_t(0));
        QVERIFY(!ws.areaclosed);
        QVERIFY(win.w.surface()->image() == clean);

        // A double click with fewer than three vertices: "Not Enclose Area",
        // and what was drawn of it is erased.
        QVERIFY(win.w.runCommand("selareamenu"));
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(150, 150));
        QVERIFY(win.w.surface()->shownImage() != clean);
        const auto refused = test::answerNextBox(QMessageBox::Ok);
        QTest::mouseDClick(win.plot, Qt::LeftButton, {}, QPoint(200, 200));
        QCOMPARE(refused->text, QString("Not Enclose Area"));
        QCOMPARE(refused->title, QString("Error"));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QCOMPARE(ws.areastate, int16_t(0));
        QVERIFY(win.w.surface()->shownImage() == clean);
        QVERIFY(win.w.topMenu("Tool")->menuAction()->isEnabled());
    }
};

QTEST_MAIN(MouseModesTest)
#include "mousemodes_test.moc"
