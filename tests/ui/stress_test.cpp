// The stress commands of the window: receivers from a CSV file (a file that
// cannot be used changes nothing and says why), the receiver options, the
// sources as receivers, the values evaluated again when the friction or the
// unit changes, a click on a drawn patch, Export Receivers... and Clear
// Receivers; "delta CFF (optimal planes)" offered only with a regional
// stress, with its strike ticks and the print enabled while it is shown.
#include <QCheckBox>
#include <QtTest>

#include "ui/receiverdialog.h"
#include "ui/regionalstressdialog.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

using test::enabled;

// The receivers' values of the last picture.
const ReceiverResults& shown(MainWindow& w) { return w.receiverCache().last(); }

}  // namespace

class StressTest : public QObject {
    Q_OBJECT
private slots:
    void receiversAndOptimalPlanes() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(!enabled(w, "exportrcvmenu") && !enabled(w, "clearrcvmenu"));
        const QString csv = r.file("receivers.csv");
        QVERIFY(test::writeFile(csv,
                                "# made-up receivers, not a real fault\n"
                                "x0_km,y0_km,x1_km,y1_km,dip_deg,top_km,bottom_km,rake_deg,name\n"
                                "60,80,100,120,60,0,15,90,thrust\n"
                                "120,60,120,110,90,2,12,,vertical\n"
                                "130,60,130,60,90,2,12,,point\n"));
        QVERIFY(test::runWithFile(w, "openrcvmenu", csv));
        QCOMPARE(r.ws.receivers.size(), std::size_t(2));
        QVERIFY2(w.infoStrip()->text().contains("2 receivers") &&
                     w.infoStrip()->text().contains("line 5"),
                 qPrintable(w.infoStrip()->text()));
        QCOMPARE(shown(w).patches.size(), std::size_t(2));
        // The second takes the CFF dialog's rake.
        QCOMPARE(shown(w).patches[1].rake, r.ws.cffrake);

        // A file without a usable row leaves the receivers and says why.
        const QString bad = r.file("bad.csv");
        QVERIFY(test::writeFile(bad, "x0,y0,x1,y1,dip,top,bottom\n0,0,10,0,95,0,5\n"));
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(test::runWithFile(w, "openrcvmenu", bad));
        QCOMPARE(seen->text, QString("Input Error"));
        QCOMPARE(r.ws.receivers.size(), std::size_t(2));
        QVERIFY2(
            w.infoStrip()->text().contains("bad.csv") && w.infoStrip()->text().contains("line 2"),
            qPrintable(w.infoStrip()->text()));

        // The options: 2 x 3 patches each, a rake of the user's own.
        ReceiverDialog* d = w.receiverDialog();
        QVERIFY(w.runCommand("rcvoptionmenu"));
        test::act(d, "@cffrakechk;receiverrake=-45;receiveralong=2;receiverdown=3");
        QVERIFY(!d->cffRake()->isChecked());
        QVERIFY(d->okClicked());
        QCOMPARE(shown(w).patches.size(), std::size_t(12));
        QCOMPARE(shown(w).patches[11].rake, -45.0f);
        QCOMPARE(shown(w).patches[0].rake, 90.0f);

        // Evaluated again for another friction and another unit: the value in
        // bar is the value in 10^-6 times the shear modulus (bar) times 1e-6.
        const ReceiverValue before = shown(w).values[11];
        r.ws.friction = 0.7f;
        w.drawPicture();
        const ReceiverValue after = shown(w).values[11];
        QCOMPARE(after.shear, before.shear);
        QVERIFY(after.cff != before.cff);
        r.ws.stressunit = StressUnit::Bar;
        w.drawPicture();
        QVERIFY(std::fabs(shown(w).values[11].cff - after.cff * 0.32f) <=
                1e-5f * std::fabs(after.cff));

        // A click on a drawn patch shows its values.
        const ReceiverPatch& p = shown(w).patches[11];
        const float fx = toframex(w.plot().frame, p.x), fy = toframey(w.plot().frame, p.y);
        w.mouseModes().press(MouseButton::Left, false, false, fx, fy);
        w.mouseModes().release(MouseButton::Left, fx, fy);
        QVERIFY2(w.infoStrip()->text().startsWith(" Receiver 2 (vertical), patch 6 of 6: dCFF=") &&
                     w.infoStrip()->text().endsWith("(bar)"),
                 qPrintable(w.infoStrip()->text()));

        // Exported as CSV: a header and one line per patch.
        QVERIFY(test::runWithFile(w, "exportrcvmenu", r.file("out")));
        const QStringList lines = test::readText(r.file("out.csv")).split('\n');
        QVERIFY(lines[0].endsWith("cff_bar"));
        QCOMPARE(lines.size(), 14);  // and the last line's end

        // The sources themselves; then none.
        QVERIFY(w.runCommand("sourcercvmenu"));
        QCOMPARE(r.ws.receivers.size(), std::size_t(1));
        QCOMPARE(shown(w).patches.size(), std::size_t(6));
        QVERIFY(w.runCommand("clearrcvmenu"));
        QVERIFY(r.ws.receivers.empty());
        QVERIFY(!enabled(w, "exportrcvmenu"));

        // "delta CFF (optimal planes)" only with a regional stress.
        QVERIFY(!enabled(w, "cffoopmenu") && !enabled(w, "oopticksmenu"));
        RegionalStressDialog* g = w.regionalDialog();
        QVERIFY(w.runCommand("regionalmenu"));
        g->given()->setChecked(true);
        test::act(g,
                  "s1azimuth=115;s1surface=100;s2azimuth=25;s2surface=50;s3plunge=90;s3surface=30");
        QVERIFY(g->okClicked());
        QVERIFY(r.ws.regionalstress.given);
        QCOMPARE(r.ws.regionalstress.axis[0].azimuth, 115.0f);
        QVERIFY(w.runCommand("cffoopmenu"));
        QCOMPARE(QString::fromStdString(r.ws.quantitykey), QString("cffoop"));
        // The shown optimal planes can be printed and exported.
        QVERIFY(enabled(w, "printmenu") && enabled(w, "exportgridmenu"));
        QVERIFY(w.runCommand("oopticksmenu"));
        QVERIFY(r.ws.optimalticks && w.action("oopticksmenu")->isChecked());

        // Taken away, the quantity goes with it.
        QVERIFY(w.runCommand("regionalmenu"));
        g->given()->setChecked(false);
        QVERIFY(g->okClicked());
        QVERIFY(r.ws.quantitykey.empty());
        QVERIFY(!enabled(w, "cffoopmenu"));
    }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
