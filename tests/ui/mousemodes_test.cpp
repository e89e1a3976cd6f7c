// The plot's mouse modes: the plain decisions, and the state machine driven
// on a recording surface with a sink that records what reaches the dialogs.
#include "app/mousemodes.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <cmath>

#include "app/plotwidget.h"
#include "model/numtext.h"
#include "plot/griddataline.h"
#include "plot/recordingsurface.h"
#include "support/scriptedhost.h"
#include "ui/fielddialog.h"
#include "ui/qpaintersurface.h"
#include "ui/sourceeditor.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

struct RecordingSink : MouseSink {
    std::string location;
    int transientClears = 0;
    std::vector<std::pair<float, float>> marks;
    std::vector<std::pair<int, int>> nodes;
    std::vector<int> sites;
    std::vector<FieldRect> frames;
    faultrec source{};
    std::vector<std::string> calls;
    float a = 0, b = 0, c = 0, d = 0;  // last values handed over
    float degrees = 0;

    void setLocation(const std::string& t) override { location = t; }
    void clearTransient() override { ++transientClears; }
    void drawProbeMark(float x, float y) override { marks.push_back({x, y}); }
    void showNode(int ix, int iy) override { nodes.push_back({ix, iy}); }
    void showSite(int k) override { sites.push_back(k); }
    void drawFieldFrame(const FieldRect& r) override { frames.push_back(r); }
    void restoreCursor() override {}
    const faultrec& currentSource() override { return source; }
    void setFirstEdge(float x, float y) override { put("first", x, y); }
    void setSecondEdge(float x, float y) override { put("second", x, y); }
    void setEdges(float x0, float y0, float x1, float y1) override {
        calls.push_back("edges");
        a = x0, b = y0, c = x1, d = y1;
    }
    void setPointSource(float x, float y) override { put("point", x, y); }
    void returnSourceEditor() override { calls.push_back("returnsource"); }
    void setFieldRect(const FieldRect& r) override {
        calls.push_back("fieldrect");
        a = r.x0, b = r.y0, c = r.x1, d = r.y1;
    }
    void setInclinedReference(float x, float y) override { put("incref", x, y); }
    void setInclinedStrike(float deg) override {
        calls.push_back("incstrike");
        degrees = deg;
    }
    void returnFieldDialog() override { calls.push_back("returnfield"); }
    void setCffStrike(float deg) override {
        calls.push_back("cffstrike");
        degrees = deg;
    }
    void returnCffDialog() override { calls.push_back("returncff"); }

    void put(const char* what, float x, float y) {
        calls.push_back(what);
        a = x, b = y;
    }
};

// A state machine on a recording surface with the default field and frame.
struct Rig {
    WorkState ws;
    PlotContext pc;
    RecordingSurface surface;
    test::ScriptedHost host;
    RecordingSink sink;
    MouseModes modes{ws, pc, host, sink};

    Rig() {
        setdefaults(ws, "/tmp");
        pc.screen = pc.target = &surface;
        setplotframe(pc.frame, ws.rwidth);
    }
    float fx(float km) const { return toframex(pc.frame, km); }
    float fy(float km) const { return toframey(pc.frame, km); }
    void click(MouseButton b, float x, float y) {
        modes.press(b, false, false, x, y);
        modes.release(b, x, y);
    }
    size_t linesOf(DrawMode mode) const {
        size_t n = 0;
        for (const RecordedOp& op : surface.ofkind(OpKind::Line)) n += op.mode == mode;
        return n;
    }
};

bool near(float a, float b, float tol = 1e-3f) { return std::fabs(a - b) <= tol; }

// A shown main window; pixel <-> km helpers on its plot.
struct Win {
    test::WindowRig rig;
    MainWindow& w;
    PlotWidget* plot;
    Win() : w(*rig.w), plot(rig.w->plotArea()) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    float kmx(int px) const {
        return fromframex(w.plot().frame, float(plot->toFrame(QPointF(px, 0)).x()));
    }
    float kmy(int py) const {
        return fromframey(w.plot().frame, float(plot->toFrame(QPointF(0, py)).y()));
    }
    QPoint pixel(float xkm, float ykm) const {
        const QPointF p =
            plot->toPixel(QPointF(toframex(w.plot().frame, xkm), toframey(w.plot().frame, ykm)));
        return p.toPoint();
    }
    void drag(QPoint a, QPoint b, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(plot, Qt::LeftButton, mods, a);
        QTest::mouseMove(plot, (a + b) / 2);
        QTest::mouseMove(plot, b);
        QTest::mouseRelease(plot, Qt::LeftButton, mods, b);
    }
};

float boxvalue(QLineEdit* box) { return box ? box->text().toFloat() : std::nanf(""); }

}  // namespace

class MouseModesTest : public QObject {
    Q_OBJECT
private slots:
    void nearestNodeRounding_data() {
        QTest::addColumn<float>("pos");
        QTest::addColumn<int>("node");
        // Field from frame 100 to 300 with 4 intervals: nodes every 50 units.
        QTest::newRow("on a node") << 150.0f << 1;
        QTest::newRow("just below half-way") << 174.9f << 1;
        QTest::newRow("half-way rounds up") << 175.0f << 2;
        QTest::newRow("first node") << 100.0f << 0;
        QTest::newRow("last node") << 300.0f << 4;
        QTest::newRow("left of the field") << 20.0f << 0;
        QTest::newRow("right of the field") << 900.0f << 4;
        QTest::newRow("not a number") << std::nanf("") << 0;
    }
    void nearestNodeRounding() {
        QFETCH(float, pos);
        QFETCH(int, node);
        QCOMPARE(nearestnode(pos, 100, 300, 4), node);
    }
    void nearestNodeOnReversedAxisAndEmptyField() {
        // The frame's y grows downwards: yview0 lies below yview1.
        QCOMPARE(nearestnode(290, 300, 100, 4), 0);
        QCOMPARE(nearestnode(125, 300, 100, 4), 4);  // half-way between 3 and 4
        QCOMPARE(nearestnode(200, 300, 100, 4), 2);
        QCOMPARE(nearestnode(200, 150, 150, 4), 0);
        QCOMPARE(nearestnode(200, 100, 300, 0), 0);
    }
    void orderedRectangleIgnoresDragDirection() {
        const FieldRect want{10, 20, 110, 220};
        QCOMPARE(orderedrect(10, 20, 110, 220), want);
        QCOMPARE(orderedrect(110, 220, 10, 20), want);
        QCOMPARE(orderedrect(110, 20, 10, 220), want);
        QCOMPARE(orderedrect(10, 220, 110, 20), want);
    }
    void dragAzimuthIsClockwiseFromUp_data() {
        QTest::addColumn<float>("dx");
        QTest::addColumn<float>("dy");  // frame units: down is positive
        QTest::addColumn<float>("degrees");
        QTest::newRow("up") << 0.0f << -10.0f << 0.0f;
        QTest::newRow("right") << 10.0f << 0.0f << 90.0f;
        QTest::newRow("down") << 0.0f << 10.0f << 180.0f;
        QTest::newRow("left") << -10.0f << 0.0f << -90.0f;
        QTest::newRow("up-right") << 10.0f << -10.0f << 45.0f;
        QTest::newRow("down-left") << -10.0f << 10.0f << -135.0f;
    }
    void dragAzimuthIsClockwiseFromUp() {
        QFETCH(float, dx);
        QFETCH(float, dy);
        QFETCH(float, degrees);
        QVERIFY2(near(dragazimuth(50, 50, 50 + dx, 50 + dy), degrees, 1e-3f),
                 qPrintable(QString::number(dragazimuth(50, 50, 50 + dx, 50 + dy))));
    }
    void rotatedEdgeKeepsLengthAndPointsAtPointer() {
        float ex = 0, ey = 0;
        rotatededge(100, 100, 30, 100, 400, ex, ey);  // straight down, far away
        QVERIFY(near(ex, 100) && near(ey, 130));
        rotatededge(100, 100, 30, 90, 100, ex, ey);  // to the left, close by
        QVERIFY(near(ex, 70) && near(ey, 100));
        rotatededge(100, 100, 10, 110, 110, ex, ey);
        QVERIFY(near(std::hypot(ex - 100, ey - 100), 10) && near(ex, ey));
    }
    void readOutTexts() {
        QCOMPARE(QString::fromStdString(locationtext(12.34f, -5.0f)), QString(" x:12.3 y:-5.0"));
        QCOMPARE(QString::fromStdString(locationtext(0, 150)), QString(" x:0.0 y:150.0"));
        QCOMPARE(QString::fromStdString(geolocationtext(35.12345f, 135.5f)),
                 QString(" (35.123N:135.500E)"));
    }
    void abortKeyRaisesAndAnyOtherKeyClears() {
        WorkState ws;
        applyabortkey(ws, true);
        QVERIFY(ws.abortflag);
        applyabortkey(ws, true);
        QVERIFY(ws.abortflag);
        applyabortkey(ws, false);
        QVERIFY(!ws.abortflag);
    }

    void probeIgnoredWhileStaleThenPicksNearestNode() {
        Rig r;
        r.ws.gridstale = true;
        r.modes.press(MouseButton::Left, false, false, r.fx(50), r.fy(50));
        QVERIFY(!r.modes.dragging());
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(r.sink.nodes.empty());

        r.ws.gridstale = false;
        // Field 20..170 in 20 intervals: 7.5 km per cell. 23.75 km is half-way
        // between columns 0 and 1; 100 km is column 10 2/3 -> 11.
        r.modes.press(MouseButton::Left, false, false, r.fx(23.75f), r.fy(100.1f));
        QCOMPARE(r.ws.mousemode, int16_t(kModeProbe));
        QCOMPARE(r.sink.nodes.back(), std::make_pair(1, 11));
        QVERIFY(near(r.sink.marks.back().first, r.fx(27.5f)));
        r.modes.release(MouseButton::Left, r.fx(23.75f), r.fy(100.1f));
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));

        // Outside the field: the nearest edge node.
        r.click(MouseButton::Left, r.fx(-30), r.fy(400));
        QCOMPARE(r.sink.nodes.back(), std::make_pair(0, 20));
    }
    void probeTakesANearerSite() {
        Rig r;
        r.ws.gridstale = false;
        r.ws.nsite = 2;
        r.ws.site[1].x = 60, r.ws.site[1].y = 60;
        r.ws.site[2].x = 101, r.ws.site[2].y = 99;
        r.click(MouseButton::Left, r.fx(100.5f), r.fy(99.5f));
        QCOMPARE(r.sink.sites.size(), size_t(1));
        QCOMPARE(r.sink.sites.back(), 2);
        QVERIFY(r.sink.nodes.empty());
        r.click(MouseButton::Left, r.fx(27.5f), r.fy(27.5f));  // on a node, far from sites
        QCOMPARE(r.sink.nodes.size(), size_t(1));
    }
    void pressDuringADragIsIgnored() {
        Rig r;
        r.ws.mousemode = kModeCffStrike;
        r.modes.press(MouseButton::Left, false, false, 100, 100);
        r.modes.press(MouseButton::Left, false, false, 300, 300);  // ignored
        r.modes.release(MouseButton::Left, 100, 50);
        QCOMPARE(r.sink.calls, (std::vector<std::string>{"cffstrike", "returncff"}));
        QVERIFY(near(r.sink.degrees, 0));
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QCOMPARE(r.host.menuChanges, std::vector<bool>{true});
    }
    void faultEdgePointedOutByDrag() {
        Rig r;
        r.ws.mousemode = kModeFaultEdge;
        r.modes.press(MouseButton::Left, false, false, r.fx(50), r.fy(60));
        QCOMPARE(r.sink.calls.back(), std::string("first"));
        QVERIFY(near(r.sink.a, 50, 1e-2f) && near(r.sink.b, 60, 1e-2f));
        r.modes.move(r.fx(70), r.fy(60));
        r.modes.release(MouseButton::Left, r.fx(70), r.fy(80));
        QCOMPARE(r.sink.calls, (std::vector<std::string>{"first", "second", "returnsource"}));
        QVERIFY(near(r.sink.a, 70, 1e-2f) && near(r.sink.b, 80, 1e-2f));
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(r.surface.AutoRedraw());
    }
    void pointSourceAndInclinedReference() {
        Rig r;
        r.ws.mousemode = kModePointSource;
        r.host.menusEnabled = false;
        r.modes.press(MouseButton::Left, false, false, r.fx(44), r.fy(55));
        QCOMPARE(r.sink.calls, (std::vector<std::string>{"point", "returnsource"}));
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(r.host.menusEnabled);
        r.modes.release(MouseButton::Left, r.fx(44), r.fy(55));
        QCOMPARE(r.sink.calls.size(), size_t(2));

        r.sink.calls.clear();
        r.ws.mousemode = kModeInclinedRef;
        r.modes.press(MouseButton::Left, false, false, r.fx(44), r.fy(55));
        r.modes.release(MouseButton::Left, r.fx(54), r.fy(55));  // east
        QCOMPARE(r.sink.calls, (std::vector<std::string>{"incref", "incstrike", "returnfield"}));
        QVERIFY(near(r.sink.degrees, 90));
    }

    void areaHoldsFiftyVerticesAndRightButtonTakesBack() {
        Rig r;
        r.modes.startarea();
        QCOMPARE(r.ws.mousemode, int16_t(kModeArea));
        QCOMPARE(r.ws.areastate, int16_t(1));
        QVERIFY(!r.host.menusEnabled);
        // Right button with only the start keeps the start.
        r.click(MouseButton::Right, 10, 10);
        QCOMPARE(r.ws.narea, int16_t(1));
        QCOMPARE(r.ws.areax[1], 10.0f);
        for (int k = 0; k < 60; ++k) r.click(MouseButton::Left, 20.0f + k, 30.0f + (k % 7));
        QCOMPARE(r.ws.narea, int16_t(WorkState::kMaxAreaVertices));
        QCOMPARE(QString::fromStdString(r.host.lastStatus()), QString(kAreaFullPrompt));
        QCOMPARE(r.ws.areax[50], 68.0f);  // the 49th click made vertex 50
        // Every kept segment was drawn once in not-xor.
        QCOMPARE(r.linesOf(DrawMode::NotXorPen), size_t(49));
        r.click(MouseButton::Right, 0, 0);
        QCOMPARE(r.ws.narea, int16_t(49));
        QCOMPARE(r.linesOf(DrawMode::NotXorPen), size_t(50));  // drawn again to erase
        r.modes.doubleclick(0, 0);
        QCOMPARE(r.ws.mousemode, int16_t(kModeProjection));
        QCOMPARE(r.host.messages.back().text,
                 std::string("Point out Projection Line for Seis-PC Compatiblity"));
        QCOMPARE(QString::fromStdString(r.host.lastStatus()), QString(kPointProjectionPrompt));
        r.modes.press(MouseButton::Left, false, false, 5, 6);
        r.modes.release(MouseButton::Left, 7, 8);
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(r.ws.projx0 == 5 && r.ws.projy0 == 6 && r.ws.projx1 == 7 && r.ws.projy1 == 8);
        QVERIFY(r.host.menusEnabled);
        QCOMPARE(r.surface.drawMode, DrawMode::MaskPen);
        QCOMPARE(r.ws.areastate, int16_t(1));
    }
    void doubleClickWithTooFewVerticesAbandonsTheArea() {
        Rig r;
        r.modes.startarea();
        r.click(MouseButton::Left, 10, 10);  // vertices 1 and 2
        r.modes.doubleclick(10, 10);
        QCOMPARE(r.host.messages.size(), size_t(1));
        QCOMPARE(r.host.messages[0].text, std::string("Not Enclose Area"));
        QCOMPARE(r.host.messages[0].title, std::string("Error"));
        QCOMPARE(r.host.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QCOMPARE(r.ws.areastate, int16_t(0));
        QVERIFY(r.host.menusEnabled);
        // What was drawn of it is erased (not-xor twice).
        QCOMPARE(r.linesOf(DrawMode::NotXorPen) % 2, size_t(0));
    }
    void doubleClickOutsideAreaModeDoesNothing() {
        Rig r;
        r.ws.gridstale = false;
        r.modes.doubleclick(100, 100);
        QCOMPARE(r.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(r.host.messages.empty());
    }
    // --- Driven through the real window ---

    void windowFieldRectangleInEitherDirection() {
        QStringList got[2];
        for (int dir = 0; dir < 2; ++dir) {
            Win win;
            FieldDialog* fd = win.w.fieldDialog();
            QVERIFY(win.w.runCommand("fieldmenu"));
            fd->pointAreaClicked();
            QCOMPARE(win.rig.ws.mousemode, int16_t(kModeFieldRect));
            QVERIFY(!fd->isVisible());
            QVERIFY(!win.w.topMenu("Parameter")->menuAction()->isEnabled());
            const QPoint a(120, 400), b(420, 150);
            win.drag(dir == 0 ? a : b, dir == 0 ? b : a);
            QCOMPARE(win.rig.ws.mousemode, int16_t(kModeIdle));
            QVERIFY(fd->isVisible());
            QVERIFY(win.w.topMenu("Parameter")->menuAction()->isEnabled());
            for (const char* f : {"xview0", "yview0", "xview1", "yview1"})
                got[dir] << fd->box(f)->text();
            QVERIFY(std::abs(boxvalue(fd->box("xview0")) - win.kmx(120)) <= 0.051f);
            QVERIFY(std::abs(boxvalue(fd->box("xview1")) - win.kmx(420)) <= 0.051f);
            QVERIFY(std::abs(boxvalue(fd->box("yview0")) - win.kmy(400)) <= 0.051f);
            QVERIFY(std::abs(boxvalue(fd->box("yview1")) - win.kmy(150)) <= 0.051f);
            static_cast<QDialog*>(fd)->reject();
        }
        QCOMPARE(got[0], got[1]);
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
        QVERIFY(!ws.gridstale);
        QTest::mousePress(win.plot, Qt::LeftButton, {}, QPoint(175, 250));  // half-way in x
        QCOMPARE(ws.mousemode, int16_t(kModeProbe));
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 2, 2)));
        QVERIFY(griddatatext(ws, 2, 2) != griddatatext(ws, 1, 2));
        QTest::mouseRelease(win.plot, Qt::LeftButton, {}, QPoint(175, 250));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(150, 226));  // rows: y grows down
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 1, 2)));
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, QPoint(5, 5));  // outside: the corner
        QCOMPARE(win.w.infoStrip()->text(), QString::fromStdString(griddatatext(ws, 0, 4)));
        // Moving writes the read-out.
        QTest::mouseMove(win.plot, QPoint(100, 350));
        QCOMPARE(win.w.locationStrip()->text(),
                 QString::fromStdString(locationtext(win.kmx(100), win.kmy(350))));
    }
    void windowShiftAndCtrlDragOfTheFault() {
        Win win;
        SourceEditor* se = win.w.sourceEditor();
        QVERIFY(win.w.runCommand("sourcemenu"));
        QVERIFY(se->isVisible());
        se->pointFaultClicked();
        QCOMPARE(win.rig.ws.mousemode, int16_t(kModeFaultEdge));
        const QPoint a = win.pixel(95, 100);
        const QPoint b = a + QPoint(40, -30);
        win.drag(a, b, Qt::ShiftModifier);
        QCOMPARE(win.rig.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(se->isVisible());
        const float dx = win.kmx(b.x()) - win.kmx(a.x());
        const float dy = win.kmy(b.y()) - win.kmy(a.y());
        QVERIFY(std::abs(boxvalue(se->box("fx0")) - (85 + dx)) <= 0.06f);
        QVERIFY(std::abs(boxvalue(se->box("fx1")) - (105 + dx)) <= 0.06f);
        QVERIFY(std::abs(boxvalue(se->box("fy0")) - (100 + dy)) <= 0.06f);
        QVERIFY(std::abs(boxvalue(se->box("fy1")) - (100 + dy)) <= 0.06f);

        // Ctrl-drag: the first end stays, the edge keeps its length and
        // turns towards the pointer.
        se->pointFaultClicked();
        const float x0 = boxvalue(se->box("fx0")), y0 = boxvalue(se->box("fy0"));
        const float len = std::hypot(boxvalue(se->box("fx1")) - x0, boxvalue(se->box("fy1")) - y0);
        const QPoint far = win.pixel(x0, y0 + 40);  // due north of the first end
        win.drag(win.pixel(x0 + 5, y0), far, Qt::ControlModifier);
        QCOMPARE(win.rig.ws.mousemode, int16_t(kModeIdle));
        QVERIFY(std::abs(boxvalue(se->box("fx0")) - x0) <= 0.051f);
        QVERIFY(std::abs(boxvalue(se->box("fy0")) - y0) <= 0.051f);
        QVERIFY(std::abs(boxvalue(se->box("fx1")) - x0) <= 0.6f);
        QVERIFY(std::abs(boxvalue(se->box("fy1")) - (y0 + len)) <= 0.6f);

        // A plain click: both ends at the click (a zero-length edge).
        se->pointFaultClicked();
        QTest::mouseClick(win.plot, Qt::LeftButton, {}, far);
        QCOMPARE(se->box("fx0")->text(), se->box("fx1")->text());
        QCOMPARE(se->box("fy0")->text(), se->box("fy1")->text());
        static_cast<QDialog*>(se)->reject();
    }
    void windowAreaEnclosing() {
        Win win;
        WorkState& ws = win.rig.ws;
        QFile seis(win.rig.file("seis95.exe"));
        QVERIFY(seis.open(QIODevice::WriteOnly));
        seis.close();
        ws.seispath = win.rig.dir.path().toStdString() + "/";
        QVERIFY(!win.w.runCommand("selareamenu"));  // the map is off
        ws.needmap = true;
        win.w.drawOverlay();
        const QImage clean = win.w.surface()->image();
        QVERIFY(win.w.runCommand("selareamenu"));
        QCOMPARE(ws.mousemode, int16_t(kModeArea));
        QCOMPARE(win.w.infoStrip()->text(), QString(kEncloseAreaPrompt));
        QVERIFY(!win.w.topMenu("Tool")->menuAction()->isEnabled());
        for (int k = 0; k < 55; ++k) {
            QTest::mouseClick(win.plot, Qt::LeftButton, {},
                              QPoint(100 + 4 * k, 100 + (k % 2) * 50));
        }
        QCOMPARE(ws.narea, int16_t(50));
        QCOMPARE(win.w.infoStrip()->text(), QString(kAreaFullPrompt));
        QTest::mouseClick(win.plot, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(ws.narea, int16_t(49));
        auto seen = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::Ok, seen);
        QTest::mouseDClick(win.plot, Qt::LeftButton, {}, QPoint(300, 300));
        QVERIFY(seen->seen);
        QCOMPARE(seen->text, QString("Point out Projection Line for Seis-PC Compatiblity"));
        QCOMPARE(ws.mousemode, int16_t(kModeProjection));
        // The double click's own first click may add the 50th vertex (as the
        // window system sends it), never a 51st.
        QVERIFY(ws.narea == 49 || ws.narea == 50);
        win.drag(QPoint(50, 50), QPoint(400, 60));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QVERIFY(win.w.topMenu("Tool")->menuAction()->isEnabled());
        win.w.updateMenus();
        QVERIFY(win.w.action("clearareamenu")->isEnabled());
        // A redraw shows the closed outline, closing segment included, and
        // Clear Area then erases exactly what is on the picture.
        QVERIFY(ws.areaclosed);
        win.w.drawOverlay();
        QVERIFY(win.w.surface()->image() != clean);
        QVERIFY(win.w.runCommand("clearareamenu"));
        QCOMPARE(ws.areastate, int16_t(0));
        QVERIFY(!ws.areaclosed);
        QVERIFY(win.w.surface()->image() == clean);

        // A double click with fewer than three vertices: "Not Enclose Area".
        QVERIFY(win.w.runCommand("selareamenu"));
        auto refused = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::Ok, refused);
        QTest::mouseDClick(win.plot, Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(refused->seen);
        QCOMPARE(refused->text, QString("Not Enclose Area"));
        QCOMPARE(refused->title, QString("Error"));
        QCOMPARE(ws.mousemode, int16_t(kModeIdle));
        QCOMPARE(ws.areastate, int16_t(0));
        QVERIFY(win.w.topMenu("Tool")->menuAction()->isEnabled());
    }

    void moveWritesTheReadOut() {
        Rig r;
        r.modes.move(r.fx(12.3f), r.fy(45.6f));
        QCOMPARE(QString::fromStdString(r.sink.location), QString(" x:12.3 y:45.6"));
        QCOMPARE(r.sink.transientClears, 0);  // not dragging: nothing redrawn
    }
};

QTEST_MAIN(MouseModesTest)
#include "mousemodes_test.moc"
