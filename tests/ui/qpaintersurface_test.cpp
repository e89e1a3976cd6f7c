// The Qt drawing surface: its user scale, the pen modes, the transient layer,
// the kept background, text, bad coordinates and other paint devices. Whole
// pictures through it are the window and screenshot tests' business.
#include "ui/qpaintersurface.h"

#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "windowtestkit.h"

using namespace crustex;

namespace {

// A picture with a colour gradient, so that every pixel differs.
QImage gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, 255 - (x + y) % 200));
    return img;
}

using test::countDiffering;
using test::inked;

}  // namespace

class QPainterSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void userScaleMapsFrameCornersOntoCornerPixels() {
        QPainterSurface s(660, 526);
        QCOMPARE(s.ScaleTop(), -20.0f);
        QCOMPARE(s.ScaleWidth(), 659.2f);
        const QPointF tl = s.toDevice(0, -20);
        const QPointF br = s.toDevice(659.2f, 505.3f);
        QVERIFY(qAbs(tl.x()) < 1e-6 && qAbs(tl.y()) < 1e-6);
        QVERIFY(qAbs(br.x() - 659) < 1e-3 && qAbs(br.y() - 525) < 1e-3);
        // And the pixels really get painted there.
        s.drawMode = DrawMode::CopyPen;
        s.PSet(0, -20, Rgb{0, 0, 0});
        s.PSet(659.2f, 505.3f, Rgb{0, 0, 0});
        QCOMPARE(s.image().pixel(0, 0) & 0xFFFFFF, 0u);
        QCOMPARE(s.image().pixel(659, 525) & 0xFFFFFF, 0u);
        // Mouse positions go back to frame units.
        const QPointF f = s.toFrame(QPointF(659, 525));
        QVERIFY(qAbs(f.x() - 659.2) < 1e-3 && qAbs(f.y() - 505.3) < 1e-3);
    }

    void maskPenNeverLightensAColouredBackground() {
        QPainterSurface s(320, 255);
        s.setBackground(gradient(320, 255));
        s.Cls();
        const QImage before = s.image().copy();
        s.drawMode = DrawMode::MaskPen;
        s.DrawWidth = 2;
        float y = 0;
        for (const Rgb c :
             {Rgb{255, 95, 0}, Rgb{63, 63, 159}, Rgb{127, 127, 127}, Rgb{255, 255, 255}}) {
            s.Line(0, y, 659.2f, y + 300, c);
            s.Circle(300, 200 + y / 4, 60, c);
            y += 80;
        }
        const QImage& after = s.image();
        for (int py = 0; py < after.height(); ++py)
            for (int px = 0; px < after.width(); ++px) {
                const QRgb a = after.pixel(px, py), b = before.pixel(px, py);
                QVERIFY2(qRed(a) <= qRed(b) && qGreen(a) <= qGreen(b) && qBlue(a) <= qBlue(b),
                         qPrintable(QString("lightened at %1,%2").arg(px).arg(py)));
            }
        QVERIFY(countDiffering(before, after) > 100);  // the lines were drawn at all
    }

    void notXorTwiceRestoresEveryPixel() {
        for (bool transient : {false, true}) {
            QPainterSurface s(400, 320);
            s.setBackground(gradient(400, 320));
            s.Cls();
            s.setAutoRedraw(!transient);
            const QImage before = s.shownImage().copy();
            auto figure = [&s] {
                s.drawMode = DrawMode::NotXorPen;
                s.DrawWidth = 2;
                s.Line(10, 10, 600, 400, Rgb{0, 0, 0});
                s.LineTo(50, 480, Rgb{0, 127, 255});
                s.DrawWidth = 1;
                s.drawStyle = DrawStyle::Dot;
                s.Box(100, 50, 300, 250, Rgb{255, 0, 0});
                s.drawStyle = DrawStyle::Solid;
                s.Circle(330, 240, 40, Rgb{0, 0, 255});
                s.PSet(5, 5);
            };
            figure();
            QVERIFY(countDiffering(before, s.shownImage()) > 500);
            figure();
            QCOMPARE(countDiffering(before, s.shownImage()), 0);
        }
    }

    void transientDrawingGoesAwayOnRefreshAndCls() {
        QPainterSurface s(330, 263);
        int notified = 0;
        s.onChanged = [&notified] { ++notified; };
        s.Line(0, 0, 659.2f, 505.3f, Rgb{0, 0, 0});  // persistent diagonal
        const QImage persistent = s.shownImage().copy();
        QCOMPARE(notified, 1);
        s.setAutoRedraw(false);
        s.Line(0, 505.3f, 659.2f, -20, Rgb{255, 0, 0});  // rubber band
        QVERIFY(s.hasTransient());
        QCOMPARE(notified, 2);
        QVERIFY(countDiffering(persistent, s.shownImage()) > 100);
        QCOMPARE(countDiffering(persistent, s.image()), 0);  // persistent untouched
        s.refresh();
        QCOMPARE(countDiffering(persistent, s.shownImage()), 0);
        // Cls with AutoRedraw off removes transient drawing only.
        s.Line(0, 505.3f, 659.2f, -20, Rgb{255, 0, 0});
        s.Cls();
        QVERIFY(!s.hasTransient());
        QCOMPARE(countDiffering(persistent, s.shownImage()), 0);
        // Cls with AutoRedraw on clears the persistent picture to white.
        s.setAutoRedraw(true);
        s.Cls();
        QCOMPARE(inked(s.shownImage()), 0);
    }

    void clsRestoresTheKeptBackground() {
        QPainterSurface s(200, 160);
        s.Line(0, 0, 659.2f, 0, Rgb{0, 0, 0});
        s.keepAsBackground();
        const QImage kept = s.image().copy();
        s.Circle(300, 250, 100, Rgb{0, 0, 0});
        QVERIFY(countDiffering(kept, s.image()) > 0);
        s.Cls();
        QCOMPARE(countDiffering(kept, s.image()), 0);
        s.clearBackground();
        s.Cls();
        QCOMPARE(inked(s.image()), 0);
        // A background of another size is fitted to the picture.
        s.setBackground(gradient(64, 51));
        s.Cls();
        QCOMPARE(s.image().size(), QSize(200, 160));
        QVERIFY(inked(s.image()) > 1000);
    }

    void textIsDrawnAndMeasured() {
        QPainterSurface s(660, 526);
        s.setFontSize(10);
        const float w = s.TextWidth("Displacement");
        const float h = s.TextHeight("Displacement");
        QVERIFY(w > 30 && w < 200);
        QVERIFY(h > 8 && h < 30);
        s.CurrentX = 100;
        s.CurrentY = 100;
        s.Print("Displacement");
        QVERIFY(qAbs(s.CurrentX - (100 + w)) < 0.01f);
        const QRect box =
            QRectF(s.toDevice(100, 100), s.toDevice(100 + w, 100 + h)).toAlignedRect();
        QVERIFY(inked(s.image().copy(box)) > 20);
        QCOMPARE(inked(s.image()), inked(s.image().copy(box)));  // nothing outside the text's box
        // Text keeps its size relative to the picture.
        QPainterSurface big(1320, 1052);
        big.setFontSize(10);
        QVERIFY(qAbs(big.TextWidth("Displacement") - w) < 0.15f * w);
    }

    void fillsCoverTheirAreaOnly() {
        QPainterSurface s(200, 160);
        s.setScale(0, 0, 199, 159);  // one frame unit per pixel
        s.drawMode = DrawMode::CopyPen;
        s.FillBox(120, 20, 110, 60, Rgb{10, 20, 30});  // corners in any order
        const FramePoint tri[] = {{10, 10}, {90, 10}, {10, 90}};
        s.FillPolygon(tri, Rgb{200, 0, 0});
        const QImage& im = s.image();
        QCOMPARE(im.pixel(115, 40) & 0xFFFFFF, 0x0A141Eu);
        QCOMPARE(im.pixel(125, 40) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(im.pixel(20, 20) & 0xFFFFFF, 0xC80000u);
        QCOMPARE(im.pixel(80, 80) & 0xFFFFFF, 0xFFFFFFu);  // beyond the hypotenuse
        // Non-finite or huge corners draw nothing or a clipped fill, and never hang.
        s.FillBox(NAN, 0, 10, 10, Rgb{0, 0, 0});
        const FramePoint bad[] = {{0, 0}, {NAN, 5}, {5, 5}};
        s.FillPolygon(bad, Rgb{0, 0, 0});
        s.FillBox(-1e30f, -1e30f, 1e30f, 1e30f, Rgb{0, 0, 255});
        QCOMPARE(s.image().pixel(80, 80) & 0xFFFFFF, 0x0000FFu);
    }

    void badCoordinatesDrawNothingAndDoNotHang() {
        QPainterSurface s(200, 160);
        const float inf = std::numeric_limits<float>::infinity();
        s.Line(NAN, 0, 10, 10);
        s.Line(0, 0, inf, 10);
        s.Line(-1e30f, -1e30f, 1e30f, 1e30f, Rgb{0, 0, 0});
        s.Line(-1e6f, -1e6f, 1e6f, 1e6f, Rgb{0, 0, 0});  // crosses the picture
        s.Circle(0, 0, 1e30f);
        s.Box(-1e30f, -1e30f, 1e30f, 1e30f);
        s.PSet(1e30f, 0);
        s.CurrentX = NAN;
        s.Print("x");
        QVERIFY(inked(s.image()) > 50);  // the huge diagonal, clipped
    }

    void drawsOnAnyPaintDeviceWithAUserScale() {
        // A printer-like page: millimetre scale with negative offsets.
        QImage page(800, 1000, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainterSurface p(&page);
            QVERIFY(!p.isScreen());
            p.setScale(-35.6f, -35.6f, 711.1f, 711.1f * 1000 / 800);
            p.drawMode = DrawMode::MaskPen;
            p.Line(0, 0, 640, 0, Rgb{0, 0, 0});
            p.setFontSize(10);
            p.CurrentX = 10;
            p.CurrentY = 10;
            p.Print("CRUSTEX");
            p.flush();
        }
        const int x0 = qRound(35.6 * 799 / 711.1);
        const int y0 = qRound(35.6 * (999 / (711.1 * 1000 / 800)));
        QCOMPARE(page.pixel(x0 + 5, y0) & 0xFFFFFF, 0u);
        QCOMPARE(page.pixel(x0 - 5, y0) & 0xFFFFFF, 0xFFFFFFu);
        QVERIFY(inked(page.copy(40, 45, 120, 40)) > 20);

        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath("page.pdf"));
        {
            QPainterSurface p(&pdf);
            p.setScale(0, 0, 640, 510);
            p.drawMode = DrawMode::NotXorPen;  // no raster ops on a PDF: plain drawing
            p.Line(0, 0, 640, 510, Rgb{0, 0, 0});
            p.Print("x");
        }
        QVERIFY(QFileInfo(dir.filePath("page.pdf")).size() > 100);
    }
};

QTEST_MAIN(QPainterSurfaceTest)
#include "qpaintersurface_test.moc"
