// The publication style through the Qt surface: the start-up pictures in
// both styles side by side as PNG files for a person to look at; the menu
// switch that redraws the shown quantity in the other style.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "app/printlayout.h"
#include "compose/picture.h"
#include "plot/colormaps.h"
#include "plot/recordingsurface.h"
#include "ui/qpaintersurface.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

struct Shot {
    const char* name;
    const char* key;
    bool map;
};
const Shot kPictures[] = {{"uz", "uz", false},
                          {"cff", "cffpara", false},
                          {"cffmap", "cffpara", true},
                          {"maxshear", "maxshear", false},
                          {"vectors", "displacement", false}};

// The start-up picture of `key` in the given style, 2 pixels per frame unit.
QImage render(const char* key, bool map, bool pub) {
    WorkState ws;
    setdefaults(ws, QDir::tempPath().toStdString());
    ws.quantitykey = key;
    ws.needmap = map;
    // The shipped map beside the test data.
    ws.mappath =
        QDir(qEnvironmentVariable("CRUSTEX_TEST_DATA")).filePath("../../map/").toStdString();
    Projection proj;
    PictureInputs in;
    in.projection = &proj;
    ws.publicationstyle = pub;
    QPainterSurface surface(1319, 1051);
    surface.setScale(kFrameLeft, kFrameTop, kFrameRight - kFrameLeft, kFrameBottom - kFrameTop);
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setplotframe(pc.frame, ws.rwidth);
    setcolormode(pc.palette, map ? "map" : "nomap");
    SilentHost host;
    if (drawpicture(ws, pc, host, "screen", in) != PictureOutcome::Drawn) return {};
    return surface.image().copy();
}

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

    void bothStyles_data() { test::addRows(kPictures); }
    void bothStyles() {
        QFETCH(int, row);
        const Shot& p = kPictures[row];
        const QImage screen = render(p.key, p.map, false);
        const QImage pub = render(p.key, p.map, true);
        QVERIFY(!screen.isNull() && !pub.isNull());
        QImage both(screen.width() * 2 + 20, screen.height(), QImage::Format_RGB32);
        both.fill(Qt::white);
        {
            QPainter painter(&both);
            painter.drawImage(0, 0, screen);
            painter.drawImage(screen.width() + 20, 0, pub);
        }
        QVERIFY(both.save(test::outputDir() + "/styles_" + p.name + ".png"));
    }
};

QTEST_MAIN(PubStyleTest)
#include "pubstyle_test.moc"
