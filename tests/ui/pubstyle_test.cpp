// The publication style through the Qt surface: the start-up pictures of
// "Displacement Z" and delta CFF in both styles side by side as PNG files
// for a person to look at, and what the painted picture must show: the
// band colours over the data area, white outside it, text in the strip.
#include <QImage>
#include <QPainter>

#include "compose/picture.h"
#include "plot/colormaps.h"
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

}  // namespace

class PubStyleTest : public QObject {
    Q_OBJECT
private slots:
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
