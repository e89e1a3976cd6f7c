// The parameter and option dialogs, the printer setting, the about box and
// the welcome window, driven through their real widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "fakeworkbench.h"
#include "ui/aboutbox.h"
#include "ui/optiondialog.h"
#include "ui/welcomewindow.h"

using namespace crustex;
using crustex::test::FakeWorkbench;

namespace {

template <typename T = QLineEdit>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no child %s", name);
    return c;
}

QStringList labelTexts(QWidget* w) {
    QStringList out;
    for (QLabel* l : w->findChildren<QLabel*>()) out << l->text();
    return out;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    // --- Option dialog ---
    void optionStoresPathsWithTrailingSlash_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no slash") << "/data/maps"
                                  << "/data/maps/";
        QTest::newRow("has slash") << "/data/maps/"
                                   << "/data/maps/";
        QTest::newRow("relative") << "maps"
                                  << "maps/";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }
    void optionStoresPathsWithTrailingSlash() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        FakeWorkbench wb;
        OptionDialog d(wb);
        d.entrysetfileform();
        QVERIFY(d.isVisible());
        QCOMPARE(d.pathBox(OptionDialog::MapRow)->text(), QString::fromStdString(wb.ws.mappath));
        for (auto row : {OptionDialog::MapRow, OptionDialog::AreaRow, OptionDialog::SeisRow,
                         OptionDialog::VhypRow}) {
            d.pathBox(row)->setText(typed);
        }
        child<QRadioButton>(&d, "optStrformat2")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(QString::fromStdString(wb.ws.mappath), stored);
        QCOMPARE(QString::fromStdString(wb.ws.areapath), stored);
        QCOMPARE(QString::fromStdString(wb.ws.seispath), stored);
        // The catalogue is a file, not a directory: taken as typed.
        QCOMPARE(QString::fromStdString(wb.ws.vhyppath), typed);
        QVERIFY(!wb.ws.strformat9);
    }
    void optionCancelStoresNothing() {
        FakeWorkbench wb;
        const std::string before = wb.ws.mappath;
        OptionDialog d(wb);
        d.entrysetfileform();
        QVERIFY(child<QRadioButton>(&d, "optStrformat1")->isChecked());
        d.pathBox(OptionDialog::MapRow)->setText("/elsewhere");
        child<QRadioButton>(&d, "optStrformat2")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(&d, "cancelbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.mappath, before);
        QVERIFY(wb.ws.strformat9);
        // Reopening shows the stored values again.
        d.entrysetfileform();
        QCOMPARE(d.pathBox(OptionDialog::MapRow)->text(), QString::fromStdString(before));
    }
    void optionReferButtons_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("box");
        QTest::newRow("map") << 0 << "Choose 'japanv.map' to Decide the Directory"
                             << "Choose 'Japanv map'"
                             << "Map File (*.map)"
                             << "/d/map/japanv.map"
                             << "/d/map/";
        QTest::newRow("area") << 1 << "Choose 'fixarea.lst' to Decide the Directory"
                              << "Choose 'fixarea.lst'"
                              << "Map File (*.lst)"
                              << "/d/area/fixarea.lst"
                              << "/d/area/";
        QTest::newRow("seis") << 2 << "Choose 'seis95.exe' to Decide the Directory"
                              << "Choose 'seis95.exe'"
                              << "Execute File (*.exe)"
                              << "/d/seis/seis95.exe"
                              << "/d/seis/";
        QTest::newRow("vhyp") << 3 << ""
                              << "Choose VHYP File"
                              << "VHYP File (*.hyp *.ep)"
                              << "/d/data/cat.ep"
                              << "/d/data/cat.ep";
    }
    void optionReferButtons() {
        QFETCH(int, row);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(QString, chosen);
        QFETCH(QString, box);
        FakeWorkbench wb;
        OptionDialog d(wb);
        d.entrysetfileform();
        QString askedTitle, askedFilter;
        QString answer = chosen;
        d.chooseFile = [&](const QString& t, const QString& f, const QString&) {
            askedTitle = t;
            askedFilter = f;
            return answer;
        };
        const auto r = static_cast<OptionDialog::Row>(row);
        QCOMPARE(d.referButton(r)->text(), QString("Refer...."));
        QTest::mouseClick(d.referButton(r), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(wb.scripted.messages.empty());
        } else {
            QCOMPARE(wb.scripted.messages.size(), size_t(1));
            QCOMPARE(QString::fromStdString(wb.scripted.messages[0].text), message);
            QCOMPARE(wb.scripted.messages[0].title, std::string("Information"));
            QCOMPARE(wb.scripted.messages[0].icon, MsgIcon::Information);
        }
        QCOMPARE(askedTitle, title);
        QCOMPARE(askedFilter, filter);
        QCOMPARE(d.pathBox(r)->text(), box);
        // A cancelled file dialog leaves the box as it was.
        answer.clear();
        QTest::mouseClick(d.referButton(r), Qt::LeftButton);
        QCOMPARE(d.pathBox(r)->text(), box);
    }
    void optionTabsAndCaptions() {
        FakeWorkbench wb;
        OptionDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Option"));
        auto* tabs = child<QTabWidget>(&d, "TabStrip1");
        QCOMPARE(tabs->count(), 2);
        const QStringList labels = labelTexts(&d);
        for (const char* c :
             {"Map File Directory", "Area File Directory", "Seis-PC Directory", "VHYP File Path"}) {
            QVERIFY2(labels.contains(c), c);
        }
        QCOMPARE(child<QRadioButton>(&d, "optStrformat2")->text(),
                 QString("Dilatant, Volumetric and Maximum Shear Strain, delta_CFF"));
    }

    // --- About box and welcome window ---
    void aboutBoxClosesOnClick() {
        FakeWorkbench wb;
        AboutBox box(wb);
        QCOMPARE(box.windowTitle(), QString("About CRUSTEX"));
        const QStringList labels = labelTexts(&box);
        QVERIFY(labels.contains("CRUSTEX   Ver. 2.1.00"));
        QVERIFY(labels.contains("Elastic Source Deformation Workbench"));
        box.entryaboutform();
        QVERIFY(box.isVisible());
        // A click on a caption reaches the box and closes it.
        QTest::mouseClick(box.findChildren<QLabel*>().first(), Qt::LeftButton);
        QVERIFY(!box.isVisible());
        box.entryaboutform();
        QVERIFY(box.isVisible());
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!box.isVisible());
    }
    void welcomeWindowClosesOnClick() {
        FakeWorkbench wb;
        WelcomeWindow w(wb);
        QCOMPARE(w.windowTitle(), QString("Welcome to CRUSTEX"));
        const QStringList labels = labelTexts(&w);
        for (const char* c : {"Welcome to", "CRUSTEX", "version 2.1"}) QVERIFY(labels.contains(c));
        w.show();
        QVERIFY(w.isVisible());
        QTest::mouseClick(child<QLabel>(&w, "versionlbl"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
