// Pictures of the program for the documentation: the main window after the
// menu commands that show each kind of picture, and the two dialogs used
// most. They are written as PNG files into $CRUSTEX_SCREENSHOT_DIR (set by
// scripts/screenshots.sh to docs/screenshots), else $CRUSTEX_TEST_OUTPUT,
// else the current directory.
#include <QAbstractButton>
#include <QDir>
#include <QLabel>

#include "app/plotwidget.h"
#include "ui/fielddialog.h"
#include "ui/qpaintersurface.h"
#include "ui/sourceeditor.h"
#include "windowtestkit.h"

using namespace crustex;

namespace {

QString outdir() {
    QString dir = qEnvironmentVariable("CRUSTEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) dir = qEnvironmentVariable("CRUSTEX_TEST_OUTPUT");
    if (dir.isEmpty()) dir = QDir::currentPath();
    QDir().mkpath(dir);
    return dir;
}

// Share of pixels that are not white.
double inked(const QImage& image) {
    if (image.isNull()) return 0;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    qint64 n = 0;
    for (int y = 0; y < img.height(); y += 2) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); x += 2) n += (row[x] & 0xffffff) != 0xffffff;
    }
    return double(n) / (double(img.width() / 2 + 1) * (img.height() / 2 + 1));
}

// Captions (labels and buttons) narrower than their text.
QStringList clipped(QWidget* top) {
    QStringList out;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top)) continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (text.isEmpty()) continue;
        if (w->width() + 1 < w->sizeHint().width() ||
            w->height() + 1 < w->minimumSizeHint().height()) {
            out << text;
        }
    }
    return out;
}

bool save(QWidget* w, const QString& name) {
    QCoreApplication::processEvents();
    const QImage shot = w->grab().toImage();
    return !shot.isNull() && shot.save(QDir(outdir()).filePath(name));
}

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowPictures_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("uz") << "uzmenu"
                            << "main-displacement-z.png";
        QTest::newRow("cff") << "cffmenu"
                             << "main-delta-cff.png";
        QTest::newRow("vectors") << "displmenu"
                                 << "main-horizontal-displacement.png";
        QTest::newRow("principal") << "principalmenu"
                                   << "main-principal-strains.png";
    }
    void mainWindowPictures() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        test::WindowRig r;
        MainWindow& w = *r.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(1000, 860);
        QCoreApplication::processEvents();
        QVERIFY(w.runCommand("resizemenu"));
        QVERIFY(w.runCommand(command));
        QVERIFY(!r.ws.gridstale);
        // The plot fills the window's width (aspect 64:51) and holds a picture.
        QVERIFY(w.plotArea()->width() >= w.centralWidget()->width() - 2 ||
                w.plotArea()->height() >= w.centralWidget()->height() - 40);
        QVERIFY2(inked(w.surface()->image()) > 0.005, "the plot is empty");
        // Probe the node nearest the plot's middle: the pointer mark and the
        // node's values in the information strip; the pointer's position in
        // the read-out.
        const QPoint middle = w.plotArea()->rect().center();
        QTest::mouseMove(w.plotArea(), QPoint(10, 10));
        QTest::mouseMove(w.plotArea(), middle);
        QTest::mouseClick(w.plotArea(), Qt::LeftButton, {}, middle + QPoint(0, 40));
        QTest::qWait(100);
        QTest::mouseMove(w.plotArea(), middle + QPoint(0, 41));
        QTRY_VERIFY(w.locationStrip()->text().startsWith(" x:1"));
        QVERIFY(!w.infoStrip()->text().isEmpty());
        QVERIFY(clipped(&w).isEmpty());
        QVERIFY(save(&w, file));
    }
    void dialogs() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.runCommand("sourcemenu"));
        QVERIFY(w.sourceEditor()->isVisible());
        const QStringList se = clipped(w.sourceEditor());
        if (!se.isEmpty()) qWarning("source editor captions cut: %s", qPrintable(se.join(", ")));
        QVERIFY(save(w.sourceEditor(), "dialog-source-parameters.png"));
        static_cast<QDialog*>(w.sourceEditor())->reject();
        QVERIFY(w.runCommand("fieldmenu"));
        QVERIFY(w.fieldDialog()->isVisible());
        const QStringList fd = clipped(w.fieldDialog());
        if (!fd.isEmpty()) qWarning("field dialog captions cut: %s", qPrintable(fd.join(", ")));
        QVERIFY(save(w.fieldDialog(), "dialog-field-parameters.png"));
        static_cast<QDialog*>(w.fieldDialog())->reject();
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
