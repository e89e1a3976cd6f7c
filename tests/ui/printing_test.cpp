// Printing: the page set-up of the picture, refused margins, a printed
// page in a PDF (the publication style in vectors), black-and-white mode and
// a print cancelled with Ctrl-Q.
#include <QFile>
#include <QRegularExpression>

#include "app/plotwidget.h"
#include "app/printlayout.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

// The pages of a PDF (its page objects) and its images.
int pdfcount(const QString& path, const char* pattern) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(pattern)));
}

// A page of w x h mm with margins: the scale of the picture and its corner,
// or no room for it.
struct Page {
    const char* name;
    double w, h;
    int xm, ym;
    bool fits, widthlimits = false;
    float scalewidth = 0, scaleheight = 0, offset = 0;
};
const Page kPages[] = {
    // 200 x 280 mm with 10 mm margins: b = 2.8125 < a = 5.098, r = 0.05.
    {"portrait", 200, 280, 10, 10, true, true, 711.111f, 995.556f, -35.5556f},
    // Landscape: a = 3.529 < b = 4.0625: the height limits, scale height = 510 / 0.9.
    {"landscape", 280, 200, 10, 10, true, false, 793.333f, 566.667f, -28.3333f},
    {"no margins", 256, 204, 0, 0, true, false, 640, 510, 0},
    {"width all margin", 200, 280, 100, 10, false},
    {"height all margin", 280, 200, 10, 100, false},
    {"empty page", 0, 280, 10, 10, false},
};

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void pageSetUp_data() { test::addRows(kPages); }
    void pageSetUp() {
        QFETCH(int, row);
        const Page& p = kPages[row];
        const auto l = printlayout(p.w, p.h, p.xm, p.ym);
        QCOMPARE(l.has_value(), p.fits);
        if (!p.fits) return;
        QCOMPARE(l->widthlimits, p.widthlimits);
        QVERIFY(std::abs(l->scalewidth - p.scalewidth) < 0.01f);
        QVERIFY(std::abs(l->scaleheight - p.scaleheight) < 0.01f);
        QVERIFY(std::abs(l->left - p.offset) < 0.01f);
        QCOMPARE(l->top, l->left);
        // The picture's corner lies exactly at the limiting margin.
        const double mm =
            p.widthlimits ? p.w * -l->left / l->scalewidth : p.h * -l->left / l->scaleheight;
        QVERIFY(std::abs(mm - (p.widthlimits ? p.xm : p.ym)) < 1e-3);
    }

    // In colour and the publication style (drawn as vectors: no image in
    // the file) through the menu; in black and white by F5 and Ctrl+P on the
    // plot.
    void printsThePictureOnOnePage() {
        for (bool bnw : {false, true}) {
            WindowRig r;
            MainWindow& w = *r.w;
            r.ws.bnwmode = bnw;
            r.ws.publicationstyle = !bnw;
            const QString pdf = r.file("p.pdf");
            int dialogs = 0;
            w.printDialog = test::pdfTo(pdf, &dialogs);
            if (bnw) {
                QVERIFY(r.shown());
                QTest::keyClick(w.plotArea(), Qt::Key_F5);
                QCOMPARE(QString::fromStdString(r.ws.quantitykey), QString("cffpara"));
                QTest::keyClick(w.plotArea(), Qt::Key_P, Qt::ControlModifier);
            } else {
                QVERIFY(w.runCommand("uzmenu"));
                QVERIFY(w.runCommand("printmenu"));
            }
            QCOMPARE(dialogs, 1);
            QCOMPARE(pdfcount(pdf, "/Type\\s*/Page\\b"), 1);
            QCOMPARE(pdfcount(pdf, "/Subtype\\s*/Image"), 0);
            QVERIFY(QFileInfo(pdf).size() > 10000);
            const QString kept =
                test::outputDir() + (bnw ? "/print-cff-bnw.pdf" : "/print-uz-publication.pdf");
            QFile::remove(kept);
            QFile::copy(pdf, kept);
            // The screen stays the drawing target, with its palette.
            QCOMPARE(w.plot().target, static_cast<Surface*>(w.plot().screen));
            QCOMPARE(w.plot().palette.possubcontour, (Rgb{255, 95, 0}));
            QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
        }
    }
    void cancelledMarginsWithoutRoomOrCtrlQPrintNothing() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        const QString pdf = r.file("none.pdf");
        w.printDialog = test::pdfTo(pdf, nullptr, false);
        QVERIFY(w.runCommand("printmenu"));
        QVERIFY(!QFile::exists(pdf));
        // A page narrower than the two margins together: a message.
        r.ws.xmargin = r.ws.ymargin = 100;
        w.printDialog = [&](QPrinter& p) {
            test::pdfTo(pdf)(p);
            p.setPageSize(QPageSize(QSizeF(190, 280), QPageSize::Millimeter));
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            return true;
        };
        const auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(w.runCommand("printmenu"));
        QCOMPARE(seen->title, QString("Error"));
        QVERIFY(seen->text.contains("Margins"));
        QVERIFY(!QFile::exists(pdf) || QFile(pdf).size() == 0);
        // Ctrl-Q during the print cancels the job.
        r.ws.xmargin = r.ws.ymargin = 10;
        const QString aborted = r.file("aborted.pdf");
        w.printDialog = test::pdfTo(aborted);
        // The grid must be evaluated again while printing, so the key is read
        // between columns; the "Abort?" question is answered with OK.
        r.ws.gridstale = true;
        QTimer::singleShot(0, w.plotArea(),
                           [&] { QTest::keyClick(w.plotArea(), Qt::Key_Q, Qt::ControlModifier); });
        const auto abort = test::answerNextBox(QMessageBox::Ok);
        w.printPicture();
        QCOMPARE(abort->text + "|" + abort->title, QString("Abort?|Ctrl-Q Pressed"));
        QVERIFY(!QFile::exists(aborted));
        QVERIFY(!r.ws.abortflag && r.ws.gridstale);
        QVERIFY(w.topMenu("File")->menuAction()->isEnabled());
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
