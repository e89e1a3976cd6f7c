// Whole pictures of the start-up model drawn through the Qt surface and
// written as PNG files (into $CRUSTEX_TEST_OUTPUT, else the working
// directory) for a person to look at; the checks make sure the picture has
// the right size, carries its contour or glyph colours and has a title.
#include <QDir>
#include <QImage>
#include <QtTest>

#include "model/host.h"
#include "model/workstate.h"
#include "plot/picture.h"
#include "plot/plotframe.h"
#include "ui/qpaintersurface.h"

using namespace crustex;

namespace {

constexpr int kWidth = 824;  // 1.25 pixels per frame unit
constexpr int kHeight = 657;

QString outputdir() {
    const QByteArray env = qgetenv("CRUSTEX_TEST_OUTPUT");
    const QString dir = env.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    return dir;
}

int countcolor(const QImage& img, Rgb c, QRect box = {}) {
    if (box.isNull()) box = img.rect();
    box = box.intersected(img.rect());
    const QRgb want = qRgb(c.r, c.g, c.b);
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((img.pixel(x, y) | 0xFF000000u) == want) ++n;
    return n;
}

int countnonwhite(const QImage& img, QRect box) {
    box = box.intersected(img.rect());
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++n;
    return n;
}

// The pixel rectangle of a frame rectangle.
QRect framebox(QPainterSurface& s, float x0, float y0, float x1, float y1) {
    return QRectF(s.toDevice(x0, y0), s.toDevice(x1, y1)).toAlignedRect();
}

struct Rendered {
    QImage image;
    Palette palette;
    PictureOutcome outcome;
};

Rendered render(const char* key, const char* file) {
    WorkState ws;
    setdefaults(ws, QDir::tempPath().toStdString());
    ws.quantitykey = key;
    QPainterSurface surface(kWidth, kHeight);
    PlotContext pc;
    pc.screen = pc.target = &surface;
    setplotframe(pc.frame, ws.rwidth);
    setcolormode(pc.palette, "nomap");
    SilentHost host;
    Rendered r;
    r.outcome = drawpicture(ws, pc, host, "screen");
    r.image = surface.image().copy();
    r.palette = pc.palette;
    // The title sits right-aligned at (635, 5); the legend strip below it.
    const int title = countnonwhite(r.image, framebox(surface, 540, 4, 636, 18));
    r.image.save(QDir(outputdir()).filePath(file));
    if (title == 0) r.image = QImage();  // fails the caller's check
    return r;
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT
private slots:
    void contourPictures_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("file");
        QTest::newRow("uz") << "uz"
                            << "picture_uz.png";
        QTest::newRow("cffpara") << "cffpara"
                                 << "picture_cffpara.png";
    }
    void contourPictures() {
        QFETCH(QString, key);
        QFETCH(QString, file);
        const Rendered r = render(key.toLatin1().constData(), file.toLatin1().constData());
        QCOMPARE(r.outcome, PictureOutcome::Drawn);
        QVERIFY2(!r.image.isNull(), "the title region is empty");
        QCOMPARE(r.image.size(), QSize(kWidth, kHeight));
        // Both signs of the field show up as sub-contours, and the decades
        // as main lines.
        QVERIFY(countcolor(r.image, r.palette.possubcontour) > 500);
        QVERIFY(countcolor(r.image, r.palette.negsubcontour) > 500);
        QVERIFY(countcolor(r.image, r.palette.maincontour) > 100);
        // The plus/minus legend at the right.
        QVERIFY(countcolor(r.image, r.palette.positive, QRect(720, 100, 100, 40)) > 10);
    }

    void glyphPictures_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("expansion");
        QTest::newRow("displacement") << "displacement"
                                      << "picture_displacement.png" << false;
        QTest::newRow("principal") << "principal"
                                   << "picture_principal.png" << true;
    }
    void glyphPictures() {
        QFETCH(QString, key);
        QFETCH(QString, file);
        QFETCH(bool, expansion);
        const Rendered r = render(key.toLatin1().constData(), file.toLatin1().constData());
        QCOMPARE(r.outcome, PictureOutcome::Drawn);
        QVERIFY2(!r.image.isNull(), "the title region is empty");
        QCOMPARE(r.image.size(), QSize(kWidth, kHeight));
        // Glyphs over the field (left of the legend strip): the default
        // model's 1 mm of slip gives long arrows near the fault and small
        // crosses of both kinds around it.
        const QRect field(0, 0, 700, kHeight);
        QVERIFY(countcolor(r.image, r.palette.negative, field) > (expansion ? 100 : 1000));
        if (expansion) QVERIFY(countcolor(r.image, r.palette.positive, field) > 150);
        // The grey tails of the vectors, one per node.
        if (!expansion) QVERIFY(countcolor(r.image, Rgb{127, 127, 127}) > 400);
    }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
