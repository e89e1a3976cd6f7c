// The window during long work: it keeps processing events (repaints, keys)
// while a large field is evaluated and drawn, shows the busy pointer and the
// status text with the menus locked, Ctrl-Q offers "Abort?", and closing
// stops the work before the exit files are written.
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>

#include "app/plotwidget.h"
#include "app/windowhost.h"
#include "ui/qpaintersurface.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

// Twenty faults spread over a field of grid x grid intervals.
void twentyfaults(WorkState& ws, int grid) {
    ws.xgrid = ws.ygrid = int16_t(grid);
    ws.nfault = 20;
    for (int k = 1; k <= 20; ++k) {
        faultrec f = defaultSource();
        const float dx = float((k - 1) % 5) * 20 - 40;
        const float dy = float((k - 1) / 5) * 20 - 30;
        f.fx0 += dx, f.fx1 += dx, f.fy0 += dy, f.fy1 += dy;
        ws.fault[k] = f;
    }
    markgridstale(ws);
}

}  // namespace

class ResponsivenessTest : public QObject {
    Q_OBJECT
private slots:
    void largeFieldKeepsTheWindowResponsive() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        twentyfaults(r.ws, 300);

        QElapsedTimer clock;
        qint64 last = -1, longest = 0;
        int calls = 0, busy = 0, locked = 0, withstatus = 0;
        const int paintsBefore = w.plotArea()->paintCount();
        int paintsDuring = 0;
        w.windowHost().beforeProcessEvents = [&](int) {
            const qint64 now = clock.elapsed();
            if (last >= 0) longest = std::max(longest, now - last);
            last = now;
            ++calls;
            busy += QApplication::overrideCursor() != nullptr &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            locked += !w.topMenu("Execute")->menuAction()->isEnabled();
            withstatus += !w.infoStrip()->text().isEmpty();
            paintsDuring = w.plotArea()->paintCount() - paintsBefore;
        };
        clock.start();
        QVERIFY(w.runCommand("uzmenu"));
        const qint64 total = clock.elapsed();
        w.windowHost().beforeProcessEvents = {};
        qInfo("%d processEvents calls, longest gap %lld ms of %lld ms, %d repaints", calls, longest,
              total, paintsDuring);

        QVERIFY(!r.ws.gridstale);
        // At least one chance to process events per grid column, no long
        // silent stretch, and the window repainted while the picture was made.
        QVERIFY2(calls >= r.ws.xgrid + 1, qPrintable(QString::number(calls)));
        // A frozen window shows as one gap about as long as the whole run; the
        // margin keeps a busy machine's scheduling hiccups from failing it.
        QVERIFY2(longest * 4 <= total + 100,
                 qPrintable(QString("longest gap %1 ms of %2 ms").arg(longest).arg(total)));
        QVERIFY2(paintsDuring > 0, "no repaint while drawing");
        QVERIFY(busy * 2 >= calls);
        QCOMPARE(locked, calls);
        QVERIFY(withstatus * 2 >= calls);
        QVERIFY(w.topMenu("Execute")->menuAction()->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // A click on the plot while the (current) picture is redrawn does
        // not start a probe: the rest of the picture still goes to the
        // persistent image.
        int redrawCalls = 0;
        const QPoint middle = w.plotArea()->rect().center();
        w.windowHost().beforeProcessEvents = [&](int) {
            ++redrawCalls;
            if (redrawCalls == 3) QTest::mousePress(w.plotArea(), Qt::LeftButton, {}, middle);
            if (redrawCalls == 200) QTest::mouseRelease(w.plotArea(), Qt::LeftButton, {}, middle);
        };
        QVERIFY(w.runCommand("redrawmenu"));
        w.windowHost().beforeProcessEvents = {};
        QVERIFY(redrawCalls > 200);
        QCOMPARE(r.ws.mousemode, int16_t(0));
        QVERIFY(w.surface()->AutoRedraw());
        const QImage clicked = w.surface()->image();
        QVERIFY(w.runCommand("redrawmenu"));
        QVERIFY(clicked == w.surface()->image());

        // Closing during an evaluation stops it without asking, and only
        // then do the exit files get written and the window close.
        markgridstale(r.ws);
        const QString lastwork = r.file("lastwork.ini");
        bool writtenEarly = false, asked = false;
        calls = 0;
        w.windowHost().beforeProcessEvents = [&](int) {
            if (++calls == 5) w.close();
            writtenEarly = writtenEarly || QFile::exists(lastwork);
            asked = asked || QApplication::activeModalWidget() != nullptr;
        };
        QVERIFY(w.runCommand("uzmenu"));
        w.windowHost().beforeProcessEvents = {};
        QVERIFY(r.ws.gridstale);
        QVERIFY2(calls < 50, qPrintable(QString::number(calls)));
        QVERIFY(!asked && !writtenEarly);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(QFile::exists(lastwork) && QFile::exists(r.file("crustex.ini")));
    }

    void ctrlQThenCancelGoesOnThenOkAbandons() {
        WindowRig r;
        MainWindow& w = *r.w;
        PlotWidget* plot = w.plotArea();
        // Ctrl-Q on the plot asks to abort; a modifier alone types nothing,
        // another key (Q without Ctrl too) takes the request back.
        QTest::keyClick(plot, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(r.ws.abortflag);
        QTest::keyPress(plot, Qt::Key_Control);
        QTest::keyRelease(plot, Qt::Key_Control);
        QVERIFY(r.ws.abortflag);
        QTest::keyClick(plot, Qt::Key_A);
        QVERIFY(!r.ws.abortflag);
        QTest::keyClick(plot, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(plot, Qt::Key_Q);
        QVERIFY(!r.ws.abortflag);

        QVERIFY(r.shown());
        twentyfaults(r.ws, 120);
        std::shared_ptr<test::SeenBox> first, second;
        w.windowHost().beforeProcessEvents = [&](int call) {
            if (call != 5 && call != 10) return;
            (call == 5 ? first : second) =
                test::answerNextBox(call == 5 ? QMessageBox::Cancel : QMessageBox::Ok);
            QTest::keyClick(w.plotArea(), Qt::Key_Q, Qt::ControlModifier);
        };
        QVERIFY(w.runCommand("uzmenu"));
        w.windowHost().beforeProcessEvents = {};
        QVERIFY(first && second && second->seen);  // the evaluation went on after Cancel
        QCOMPARE(first->text + "|" + first->title, QString("Abort?|Ctrl-Q Pressed"));
        // Abandoned: the grid stays out of date, the menus work again, and
        // Print stays disabled.
        QVERIFY(r.ws.gridstale);
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
        w.updateMenus();
        QVERIFY(!w.action("printmenu")->isEnabled());
        // The next redraw evaluates again, without asking.
        int asked = 0;
        w.windowHost().beforeProcessEvents = [&](int) {
            asked += QApplication::activeModalWidget() != nullptr;
        };
        QVERIFY(w.runCommand("redrawmenu"));
        w.windowHost().beforeProcessEvents = {};
        QVERIFY(!r.ws.gridstale);
        QCOMPARE(asked, 0);
    }
};

QTEST_MAIN(ResponsivenessTest)
#include "responsiveness_test.moc"
