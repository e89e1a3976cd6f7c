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
#include "ui/printersetting.h"
#include "ui/visualdialog.h"
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

// Types into the named boxes: a list of (box name, text) pairs.
void typeInto(QWidget* w, const QList<QPair<QString, QString>>& entries) {
    for (const auto& e : entries) child(w, e.first.toLatin1().constData())->setText(e.second);
}

// The box was reported as rejected: it holds the focus with its whole text
// selected, and "Input Error" was shown once.
void expectRejected(FakeWorkbench& wb, QLineEdit* box) {
    QCOMPARE(wb.inputErrors(), 1);
    QVERIFY(box->isEnabled());
    QTRY_VERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), box->text());
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

    // --- Printer setting ---
    void printerSettingRejects_data() {
        QTest::addColumn<QString>("xmargin");
        QTest::addColumn<QString>("ymargin");
        QTest::addColumn<QString>("bad");
        QTest::newRow("horizontal above 100") << "101"
                                              << "5"
                                              << "xmargintxt";
        QTest::newRow("vertical checked first") << "200"
                                                << "abc"
                                                << "ymargintxt";
        QTest::newRow("negative") << "3"
                                  << "-1"
                                  << "ymargintxt";
        QTest::newRow("empty") << ""
                               << "3"
                               << "xmargintxt";
    }
    void printerSettingRejects() {
        QFETCH(QString, xmargin);
        QFETCH(QString, ymargin);
        QFETCH(QString, bad);
        FakeWorkbench wb;
        PrinterSettingDialog d(wb);
        d.entry();
        typeInto(&d, {{"xmargintxt", xmargin}, {"ymargintxt", ymargin}});
        child<QCheckBox>(&d, "bnwchk")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        expectRejected(wb, child(&d, bad.toLatin1().constData()));
        QVERIFY(d.isVisible());
        QCOMPARE(wb.ws.xmargin, int16_t(10));
        QCOMPARE(wb.ws.ymargin, int16_t(10));
        QVERIFY(!wb.ws.bnwmode);
    }
    void printerSettingStoresAndCancels() {
        FakeWorkbench wb;
        PrinterSettingDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Printer Setting"));
        QCOMPARE(child<QCheckBox>(&d, "bnwchk")->text(), QString("B&&W Mode"));
        wb.ws.xmargin = 12;
        d.entry();
        QCOMPARE(child(&d, "xmargintxt")->text(), QString("12"));
        QCOMPARE(child(&d, "ymargintxt")->text(), QString("10"));
        QVERIFY(!child<QCheckBox>(&d, "bnwchk")->isChecked());
        typeInto(&d, {{"xmargintxt", "0"}, {"ymargintxt", "100"}});
        child<QCheckBox>(&d, "bnwchk")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.xmargin, int16_t(0));
        QCOMPARE(wb.ws.ymargin, int16_t(100));
        QVERIFY(wb.ws.bnwmode);
        d.entry();
        typeInto(&d, {{"xmargintxt", "50"}});
        QTest::mouseClick(child<QPushButton>(&d, "cancelbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.xmargin, int16_t(0));
    }

    // --- Visualization dialog ---
    void visualEnablesBoxesPerScale_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("cline");
        QTest::addColumn<bool>("cminval");
        QTest::addColumn<bool>("nsubline");
        QTest::newRow("Linear") << 0 << true << false << true;
        QTest::newRow("Semi-Log 1") << 1 << false << true << false;
        QTest::newRow("Semi-Log 2") << 2 << false << true << true;
    }
    void visualEnablesBoxesPerScale() {
        QFETCH(int, scale);
        QFETCH(bool, cline);
        QFETCH(bool, cminval);
        QFETCH(bool, nsubline);
        // On opening with the stored scale type.
        {
            FakeWorkbench wb;
            wb.ws.scaletype = static_cast<int16_t>(scale);
            VisualDialog d(wb);
            d.entryvisualform();
            QVERIFY(d.scaleButton(scale)->isChecked());
            QCOMPARE(d.box("cline")->isEnabled(), cline);
            QCOMPARE(d.box("cminval")->isEnabled(), cminval);
            QCOMPARE(d.box("nsubline")->isEnabled(), nsubline);
        }
        // On choosing the option button, which sets the scale type at once.
        FakeWorkbench wb;
        wb.ws.scaletype = static_cast<int16_t>((scale + 1) % 3);
        VisualDialog d(wb);
        d.entryvisualform();
        QTest::mouseClick(d.scaleButton(scale), Qt::LeftButton);
        QCOMPARE(wb.ws.scaletype, int16_t(scale));
        QCOMPARE(d.box("cline")->isEnabled(), cline);
        QCOMPARE(d.box("cminval")->isEnabled(), cminval);
        QCOMPARE(d.box("nsubline")->isEnabled(), nsubline);
    }
    void visualRejects_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bad");
        QTest::newRow("zero interval") << "clinetxt"
                                       << "0"
                                       << "clinetxt";
        QTest::newRow("min value checked before interval") << "cminvaltxt"
                                                           << "-1"
                                                           << "cminvaltxt";
        QTest::newRow("sub-contours above 99") << "nsublinetxt"
                                               << "100"
                                               << "nsublinetxt";
        QTest::newRow("font size") << "fsizetxt"
                                   << "x"
                                   << "fsizetxt";
        QTest::newRow("strain cross") << "rstraintxt"
                                      << "0"
                                      << "rstraintxt";
    }
    void visualRejects() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, bad);
        FakeWorkbench wb;
        wb.ws.scaletype = 1;  // Semi-Log 1: the interval box is disabled
        VisualDialog d(wb);
        d.entryvisualform();
        typeInto(&d, {{"clinetxt", "0"}, {"rdispltxt", "5"}, {box, text}});
        if (box != "clinetxt") child(&d, "clinetxt")->setText("0.5");
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        expectRejected(wb, child(&d, bad.toLatin1().constData()));
        QVERIFY(d.isVisible());
        QCOMPARE(wb.ws.rdispl, 0.1f);
        QCOMPARE(wb.ws.cline, 0.01f);
    }
    void visualStoresAndCancelRedrawsOverlay() {
        FakeWorkbench wb;
        wb.ws.cline = 0.123456789f;
        VisualDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Visualization Parameters"));
        d.entryvisualform();
        QCOMPARE(child(&d, "clinetxt")->text(), QString("0.1234568"));
        QCOMPARE(child(&d, "cminvaltxt")->text(), QString("0.0001"));
        QCOMPARE(child(&d, "nsublinetxt")->text(), QString("9"));
        QCOMPARE(child(&d, "fsizetxt")->text(), QString("7."));
        typeInto(
            &d,
            {{"clinetxt", "2.5"}, {"nsublinetxt", "4"}, {"fsizetxt", "9"}, {"rtilttxt", "0.5"}});
        QTest::mouseClick(d.scaleButton(0), Qt::LeftButton);
        child<QCheckBox>(&d, "peakvaluechk")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.cline, 2.5f);
        QCOMPARE(wb.ws.nsubline, int16_t(4));
        QCOMPARE(wb.ws.fsize, 9.0f);
        QCOMPARE(wb.ws.rtilt, 0.5f);
        QCOMPARE(wb.ws.scaletype, int16_t(0));
        QVERIFY(!wb.ws.peakvalue);
        QCOMPARE(wb.overlays, 0);
        d.entryvisualform();
        typeInto(&d, {{"clinetxt", "7"}});
        QTest::mouseClick(child<QPushButton>(&d, "cancelbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.cline, 2.5f);
        QCOMPARE(wb.overlays, 1);
    }
    void visualRejectedDisabledBoxCanBeCorrected() {
        FakeWorkbench wb;
        wb.ws.scaletype = 1;
        VisualDialog d(wb);
        d.entryvisualform();
        child(&d, "cminvaltxt")->setText("0");
        QTest::mouseClick(d.scaleButton(0), Qt::LeftButton);  // disables "Min. Value"
        QVERIFY(!child(&d, "cminvaltxt")->isEnabled());
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        expectRejected(wb, child(&d, "cminvaltxt"));
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
