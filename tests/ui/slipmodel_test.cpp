// The slip-model commands of the window: "Open Source...." of a .inp file
// makes it the whole model (on the shipped map, or moved into the field's
// range without map data), the exit's last work keeps it for "Resume Last
// Work..."; "Open Slip Model...", "Export Slip Model..." and "Clear Slip
// Model" with their enabling; the progress on the status strip.
#include <QLabel>
#include <QtTest>

#include "files/patchcsv.h"
#include "windowtestkit.h"

using namespace crustex;
using test::enabled;
using test::exampleFile;

class SlipModelTest : public QObject {
    Q_OBJECT
private slots:
    void inpFileIsTheWholeModel() {
        QTemporaryDir programdir;
        {
            WorkState ws;
            MainWindow w(ws, programdir.path());
            ws.mappath = test::sourcePath("map").toStdString() + "/";
            QVERIFY(!enabled(w, "exportslipmenu") && !enabled(w, "clearslipmenu"));
            QVERIFY(test::runWithFile(w, "openfltmenu", exampleFile("slip-example.inp")));
            // On the map of its Map info, its grid's nodes, depth and friction.
            QVERIFY(ws.needmap);
            QCOMPARE(ws.flat1, 34.0f);
            QCOMPARE(ws.flon2, 137.0f);
            QCOMPARE(ws.xgrid, int16_t(108));
            QCOMPARE(ws.ygrid, int16_t(88));
            QCOMPARE(ws.obsdepth, 5.0f);
            QCOMPARE(ws.friction, 0.4f);
            QCOMPARE(ws.slipmodel.size(), std::size_t(288));
            QCOMPARE(ws.slipmodel.geo.size(), std::size_t(288));
            QCOMPARE(ws.receivers.size(), std::size_t(2));
            QCOMPARE(ws.nfault, int16_t(0));
            const QString status = w.infoStrip()->text();
            QVERIFY2(status.contains("288 patches, 2 receivers") && status.contains("Mw = 7."),
                     qPrintable(status));
            QVERIFY(enabled(w, "exportslipmenu") && enabled(w, "clearslipmenu"));
            w.close();  // writes the last work
        }
        // "Resume Last Work..." reads the model back from its file.
        WorkState ws;
        MainWindow w(ws, programdir.path());
        test::answerNextBox(QMessageBox::Yes);
        QVERIFY(w.runCommand("resumemenu"));
        QCOMPARE(ws.slipmodel.size(), std::size_t(288));
        QCOMPARE(ws.nfault, int16_t(0));
        QVERIFY(ws.needmap);

        // Without map data the file's km are moved by whole tens of km into
        // the field's range: 0..10000 km with an eighth of the grid's size
        // (270 km) as margin.
        QTemporaryDir nomaps;
        ws.mappath = nomaps.path().toStdString() + "/";
        QVERIFY(test::runWithFile(w, "openfltmenu", exampleFile("slip-example.inp")));
        QVERIFY(!ws.needmap);
        QCOMPARE(ws.slipmodel.xshift, 170.0f);
        QCOMPARE(ws.slipmodel.yshift, 150.0f);
        QCOMPARE(ws.xview0, 35.0f);
        QCOMPARE(ws.yview1, 260.0f);
        QCOMPARE(ws.rwidth, 370.0f);
        QVERIFY(ws.slipmodel.geo.empty());
        QVERIFY2(w.infoStrip()->text().contains("moved by +170 km east, +150 km north"),
                 qPrintable(w.infoStrip()->text()));
    }

    void openExportAndClear() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        // Degrees need the map.
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(test::runWithFile(w, "openslipmenu", exampleFile("slip-example.csv")));
        QCOMPARE(seen->text, QString("Input Error"));
        QVERIFY(r.ws.slipmodel.empty());
        QVERIFY2(w.infoStrip()->text().contains("no map is set up"),
                 qPrintable(w.infoStrip()->text()));

        r.ws.mappath = test::sourcePath("map").toStdString() + "/";
        r.ws.needmap = true;
        QVERIFY(setprojection(w.projection(), r.ws));
        QVERIFY(test::runWithFile(w, "openslipmenu", exampleFile("slip-example.csv")));
        QCOMPARE(r.ws.slipmodel.size(), std::size_t(288));
        QVERIFY(w.infoStrip()->text().contains("Mw = "));

        // Written in degrees, where the example has its patches.
        QVERIFY(test::runWithFile(w, "exportslipmenu", r.file("exported")));
        auto read = [](const QString& path) {
            return readpatchcsv(test::readText(path).toStdString(), "t.csv");
        };
        const PatchRead back = read(r.file("exported.csv")),
                        first = read(exampleFile("slip-example.csv"));
        QVERIFY(!back.report.failed() && back.table.geographic);
        QCOMPARE(back.table.patches.size(), first.table.patches.size());
        const CentredPatch &a = back.table.patches.back(), &b = first.table.patches.back();
        QVERIFY(std::fabs(a.east - b.east) < 1e-4 && std::fabs(a.north - b.north) < 1e-4 &&
                std::fabs(a.depth - b.depth) < 1e-4 && std::fabs(a.strike - b.strike) < 1e-2 &&
                a.slip == b.slip && a.rake == b.rake);

        QVERIFY(w.runCommand("clearslipmenu"));
        QVERIFY(r.ws.slipmodel.empty());
        QVERIFY(!enabled(w, "exportslipmenu") && !enabled(w, "clearslipmenu"));

        // The progress follows the status text.
        w.host().setStatus(" Calcurating Strains(Ctrl-Q to Abort)");
        w.host().showProgress(37, 100);
        QCOMPARE(w.infoStrip()->text(), QString(" Calcurating Strains(Ctrl-Q to Abort) (37%)"));
        w.host().setStatus("next");
        QCOMPARE(w.infoStrip()->text(), QString("next"));
    }
};

QTEST_MAIN(SlipModelTest)
#include "slipmodel_test.moc"
