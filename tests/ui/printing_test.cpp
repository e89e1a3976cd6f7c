// Printing: the page set-up of the picture, refused margins, a printed
// page in a PDF, black-and-white mode and a print cancelled with Ctrl-Q.
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include "app/plotwidget.h"
#include "app/printlayout.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

// Pages of a PDF: pdfinfo when it is there, else the page objects.
int pdfpages(const QString& path) {
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (!pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {path});
        p.waitForFinished(10000);
        for (const QString& line : QString::fromLatin1(p.readAllStandardOutput()).split('\n')) {
            if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
        }
        return -1;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray all = f.readAll();
    return int(all.count("/Type /Page\n") + all.count("/Type /Page\r") + all.count("/Type /Page/") +
               all.count("/Type /Page>"));
}

// A PDF printer on A4 writing to path.
std::function<bool(QPrinter&)> pdfto(const QString& path, int* calls = nullptr) {
    return [path, calls](QPrinter& printer) {
        if (calls) ++*calls;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    };
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void pageSetUp_data() {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<int>("xm");
        QTest::addColumn<int>("ym");
        QTest::addColumn<bool>("widthlimits");
        QTest::addColumn<float>("scalewidth");
        QTest::addColumn<float>("scaleheight");
        QTest::addColumn<float>("offset");
        // 200 x 280 mm with 10 mm margins: b = 2.8125 < a = 5.098, r = 0.05.
        QTest::newRow("portrait") << 200.0 << 280.0 << 10 << 10 << true << 711.111f << 995.556f
                                  << -35.5556f;
        // Landscape 280 x 200: a = 3.529 < b = 4.0625: the height limits,
        // r = 0.05, scale height = 510 / 0.9.
        QTest::newRow("landscape")
            << 280.0 << 200.0 << 10 << 10 << false << 793.333f << 566.667f << -28.3333f;
        QTest::newRow("no margins")
            << 256.0 << 204.0 << 0 << 0 << false << 640.0f << 510.0f << 0.0f;
    }
    void pageSetUp() {
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(int, xm);
        QFETCH(int, ym);
        QFETCH(bool, widthlimits);
        QFETCH(float, scalewidth);
        QFETCH(float, scaleheight);
        QFETCH(float, offset);
        const auto l = printlayout(w, h, xm, ym);
        QVERIFY(l.has_value());
        QCOMPARE(l->widthlimits, widthlimits);
        QVERIFY(std::abs(l->scalewidth - scalewidth) < 0.01f);
        QVERIFY(std::abs(l->scaleheight - scaleheight) < 0.01f);
        QVERIFY(std::abs(l->left - offset) < 0.01f);
        QCOMPARE(l->top, l->left);
        // The picture's corner lies exactly at the limiting margin.
        const double mm =
            (widthlimits ? w : h) * -l->left / (widthlimits ? l->scalewidth : l->scaleheight);
        QVERIFY(std::abs(mm - (widthlimits ? xm : ym)) < 1e-3);
    }
    void marginsWithoutRoomAreRefused_data() {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<int>("xm");
        QTest::addColumn<int>("ym");
        QTest::newRow("width all margin") << 200.0 << 280.0 << 100 << 10;
        QTest::newRow("width beyond") << 190.0 << 280.0 << 100 << 10;
        QTest::newRow("height all margin") << 280.0 << 200.0 << 10 << 100;
        QTest::newRow("both") << 150.0 << 150.0 << 100 << 100;
        QTest::newRow("empty page") << 0.0 << 280.0 << 10 << 10;
    }
    void marginsWithoutRoomAreRefused() {
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(int, xm);
        QFETCH(int, ym);
        QVERIFY(!printlayout(w, h, xm, ym).has_value());
    }

    void printsTheDisplacementZPictureOnOnePage() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        const QString pdf = r.file("uz.pdf");
        int dialogs = 0;
        w.printDialog = pdfto(pdf, &dialogs);
        QVERIFY(w.runCommand("printmenu"));
        QCOMPARE(dialogs, 1);
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(pdfpages(pdf), 1);
        const QString out = qEnvironmentVariable("CRUSTEX_TEST_OUTPUT");
        if (!out.isEmpty() && QDir().mkpath(out)) {
            QFile::remove(QDir(out).filePath("print-uz.pdf"));
            QFile::copy(pdf, QDir(out).filePath("print-uz.pdf"));
        }
        // The screen stays the drawing target, with its palette.
        QCOMPARE(w.plot().target, static_cast<Surface*>(w.plot().screen));
        QCOMPARE(w.plot().colormode, std::string("nomap"));
        QCOMPARE(w.plot().palette.possubcontour, (Rgb{255, 95, 0}));
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
    }
    void ctrlPOnThePlotPrints() {
        WindowRig r;
        MainWindow& w = *r.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(w.plotArea(), Qt::Key_F5);
        QCOMPARE(QString::fromStdString(r.ws.quantitykey), QString("cffpara"));
        int dialogs = 0;
        w.printDialog = pdfto(r.file("key.pdf"), &dialogs);
        QTest::keyClick(w.plotArea(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(dialogs, 1);
    }
    void blackAndWhitePrintLeavesTheScreenPalette() {
        WindowRig r;
        MainWindow& w = *r.w;
        r.ws.bnwmode = true;
        QVERIFY(w.runCommand("uzmenu"));
        const QString pdf = r.file("bnw.pdf");
        w.printDialog = pdfto(pdf);
        QVERIFY(w.runCommand("printmenu"));
        QCOMPARE(pdfpages(pdf), 1);
        QCOMPARE(w.plot().palette.possubcontour, (Rgb{255, 95, 0}));
    }
    void cancelledDialogPrintsNothing() {
        WindowRig r;
        QVERIFY(r.w->runCommand("uzmenu"));
        const QString pdf = r.file("none.pdf");
        r.w->printDialog = [&](QPrinter& p) {
            pdfto(pdf)(p);
            return false;
        };
        QVERIFY(r.w->runCommand("printmenu"));
        QVERIFY(!QFile::exists(pdf));
    }
    void marginsWithoutRoomGiveAMessageAndNoPrint() {
        WindowRig r;
        QVERIFY(r.w->runCommand("uzmenu"));
        r.ws.xmargin = 100;
        r.ws.ymargin = 100;
        const QString pdf = r.file("margins.pdf");
        // A page narrower than the two margins together.
        r.w->printDialog = [&](QPrinter& p) {
            pdfto(pdf)(p);
            p.setPageSize(QPageSize(QSizeF(190, 280), QPageSize::Millimeter));
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            return true;
        };
        auto seen = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::Ok, seen);
        QVERIFY(r.w->runCommand("printmenu"));
        QVERIFY(seen->seen);
        QCOMPARE(seen->title, QString("Error"));
        QVERIFY(seen->text.contains("Margins"));
        QVERIFY(!QFile::exists(pdf) || QFile(pdf).size() == 0);
    }
    void ctrlQDuringThePrintCancelsTheJob() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        const QString pdf = r.file("aborted.pdf");
        w.printDialog = pdfto(pdf);
        // The grid must be evaluated again while printing, so the key is read
        // between columns; the "Abort?" question is answered with OK.
        r.ws.gridstale = true;
        QTimer::singleShot(0, w.plotArea(),
                           [&] { QTest::keyClick(w.plotArea(), Qt::Key_Q, Qt::ControlModifier); });
        auto seen = std::make_shared<test::SeenBox>();
        test::answerNextBox(QMessageBox::Ok, seen);
        w.printPicture();
        QVERIFY(seen->seen);
        QCOMPARE(seen->text, QString("Abort?"));
        QCOMPARE(seen->title, QString("Ctrl-Q Pressed"));
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!r.ws.abortflag);
        QVERIFY(r.ws.gridstale);
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
