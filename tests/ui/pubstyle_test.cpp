// The publication style through the Qt surface: the menu switch that
// redraws the shown quantity in the other style, and a single-column figure
// written as a PDF.
#include <QAction>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>

#include "app/printlayout.h"
#include "compose/picture.h"
#include "plot/recordingsurface.h"
#include "ui/qpaintersurface.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

// Pixels of a light tint: the bands near zero, which cover most of a
// filled picture; the screen style has white ground and darker lines.
int banded(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            const int lo = std::min({r, g, b}), hi = std::max({r, g, b});
            n += lo >= 180 && hi <= 250 && hi > lo;
        }
    }
    return n;
}

}  // namespace

class PubStyleTest : public QObject {
    Q_OBJECT
private slots:
    void menuSwitchRedraws() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        auto* item = w.findChild<QAction*>("pubstylemenu");
        QVERIFY(item && item->isCheckable());
        // Nothing shown yet: only the mark changes.
        QVERIFY(w.runCommand("pubstylemenu"));
        QVERIFY(r.ws.publicationstyle && item->isChecked());
        QVERIFY(r.ws.quantitykey.empty());
        QVERIFY(w.runCommand("cffmenu"));
        const int filled = banded(w.surface()->image());
        QVERIFY2(filled > 20000, qPrintable(QString::number(filled)));
        QVERIFY(w.runCommand("pubstylemenu"));
        QVERIFY(!r.ws.publicationstyle && !item->isChecked());
        QCOMPARE(r.ws.quantitykey, std::string("cffpara"));
        const int lines = banded(w.surface()->image());
        QVERIFY2(lines < filled / 50, qPrintable(QString("%1 %2").arg(lines).arg(filled)));
    }

    // A single-column figure: the picture 8.5 cm wide in a PDF, drawn as
    // vectors (no image in the file), nothing outside the printed picture.
    void singleColumnPdf() {
        const QString path = test::outputDir() + "/publication_cff.pdf";
        {
            QPdfWriter pdf(path);
            pdf.setPageSize(QPageSize(QSizeF(85, 85 * 51.0 / 64), QPageSize::Millimeter));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setResolution(600);
            const auto layout = printlayout(85, 85 * 51.0 / 64, 0, 0);
            QVERIFY(layout.has_value());
            QPainterSurface paper(&pdf);
            paper.setScale(layout->left, layout->top, layout->scalewidth, layout->scaleheight);
            WorkState ws;
            setdefaults(ws, QDir::tempPath().toStdString());
            ws.quantitykey = "cffpara";
            ws.publicationstyle = true;
            RecordingSurface screen;
            PlotContext pc;
            pc.screen = &screen;
            setplotframe(pc.frame, ws.rwidth);
            setcolormode(pc.palette, "nomap");
            SilentHost host;
            PictureInputs in;
            in.printer = &paper;
            QCOMPARE(drawpicture(ws, pc, host, "printer", in), PictureOutcome::Drawn);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 10000);
        QVERIFY(!bytes.contains("/Subtype /Image") && !bytes.contains("/Subtype/Image"));
    }
};

QTEST_MAIN(PubStyleTest)
#include "pubstyle_test.moc"
