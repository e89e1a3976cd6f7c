// "Export Picture..." and "Export Grid..." in the window, and the quantity
// names that crustex-batch shares with the "Execute" menu.
#include <netcdf.h>

#include <QFile>
#include <QImage>
#include <QInputDialog>

#include "export/quantitynames.h"
#include "ui/pictureexport.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::WindowRig;

namespace {

// The item with the caption anywhere under the menu.
QAction* findcaption(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->menu() != nullptr) {
            if (QAction* found = findcaption(a->menu(), caption)) return found;
        } else if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

// Answers the next resolution dialog with dpi.
void answerResolution(int dpi) {
    QTimer::singleShot(50, [dpi] {
        if (auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            d->setIntValue(dpi);
            d->accept();
        }
    });
}

}  // namespace

class ExportCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void quantityNamesAreTheExecuteCaptions() {
        WindowRig r;
        r.ws.xgrid = r.ws.ygrid = 6;
        QMenu* exec = r.w->topMenu("Execute");
        for (const QuantityName& q : quantitynames()) {
            const QString caption = QString::fromUtf8(q.caption.data(), q.caption.size());
            QAction* a = findcaption(exec, caption);
            QVERIFY2(a != nullptr, qPrintable(caption));
            a->trigger();
            QCOMPARE(QString::fromStdString(r.ws.quantitykey),
                     QString::fromUtf8(q.key.data(), q.key.size()));
        }
    }

    void picturesAndGridsFromTheFileMenu() {
        WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(w.runCommand("uzmenu"));
        QString chosen;
        w.saveFileDialog = [&](const QString&, const QString&, const QString&) { return chosen; };

        chosen = r.file("picture.svg");
        QVERIFY(w.runCommand("exportpicmenu"));
        QFile svg(chosen);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("Displacement-Z(UD)"));

        chosen = r.file("picture.png");
        answerResolution(100);
        QVERIFY(w.runCommand("exportpicmenu"));
        PictureFileSpec at100;
        at100.dpi = 100;
        QCOMPARE(QImage(chosen).size(), picturepixels(at100));

        // A name without an extension gets the first of the filter's.
        chosen = r.file("grid");
        QVERIFY(w.runCommand("exportgridmenu"));
        int nc = -1, var = -1;
        QCOMPARE(nc_open(qPrintable(r.file("grid.nc")), NC_NOWRITE, &nc), NC_NOERR);
        QCOMPARE(nc_inq_varid(nc, "uz", &var), NC_NOERR);
        QCOMPARE(nc_inq_varid(nc, "cffpara", &var), NC_NOERR);
        nc_close(nc);
    }
};

QTEST_MAIN(ExportCommandsTest)
#include "exportcommands_test.moc"
