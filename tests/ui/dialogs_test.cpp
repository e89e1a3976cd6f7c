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
#include "geo/projection.h"
#include "ui/aboutbox.h"
#include "ui/cffdialog.h"
#include "ui/customdialog.h"
#include "ui/fielddialog.h"
#include "ui/locationassistants.h"
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

// Chooses a list entry as the user does: the entry becomes current and the
// list reports it as activated, also when it was current already.
void choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    QVERIFY(index >= 0);
    list->setCurrentIndex(index);
    emit list->activated(index);
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

    // --- Field dialog ---
    void fieldRejects_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bad");
        for (const char* b : {"okbt", "applybt"}) {
            const QString t = QString(b) + ": ";
            QTest::newRow(qPrintable(t + "width 0")) << b << "rwidthtxt"
                                                     << "0"
                                                     << "rwidthtxt";
            QTest::newRow(qPrintable(t + "SW east of NE")) << b << "xview0txt"
                                                           << "170"
                                                           << "xview0txt";
            QTest::newRow(qPrintable(t + "no grid")) << b << "xgridtxt"
                                                     << "0"
                                                     << "xgridtxt";
            QTest::newRow(qPrintable(t + "grid text")) << b << "ygridtxt"
                                                       << "abc"
                                                       << "ygridtxt";
            QTest::newRow(qPrintable(t + "steep plane")) << b << "obsincdiptxt"
                                                         << "46"
                                                         << "obsincdiptxt";
        }
    }
    void fieldRejects() {
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, bad);
        FakeWorkbench wb;
        wb.ws.gridstale = wb.ws.cffstale = false;
        const PlotFrame frame = wb.ctx.frame;
        FieldDialog d(wb);
        d.entryfieldform();
        typeInto(&d, {{"obsdepthtxt", "5"}, {box, text}});
        QTest::mouseClick(child<QPushButton>(&d, button.toLatin1().constData()), Qt::LeftButton);
        expectRejected(wb, child(&d, bad.toLatin1().constData()));
        QVERIFY(d.isVisible());
        QCOMPARE(wb.ws.obsdepth, 0.0f);
        QCOMPARE(wb.ws.rwidth, 240.0f);
        QVERIFY(!wb.ws.gridstale && !wb.ws.cffstale);
        QCOMPARE(wb.ctx.frame.fieldwidth, frame.fieldwidth);
        QCOMPARE(wb.pictures, 0);
    }
    void fieldStoresAndFitsThePlot() {
        FakeWorkbench wb;
        wb.ws.gridstale = wb.ws.cffstale = false;
        FieldDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Field Parameters"));
        d.entryfieldform();
        QCOMPARE(child(&d, "rwidthtxt")->text(), QString("240"));
        QCOMPARE(child(&d, "xgridtxt")->text(), QString("20"));
        typeInto(&d, {{"rwidthtxt", "320"}, {"xgridtxt", "30"}, {"xview1txt", "200"}});
        QTest::mouseClick(child<QPushButton>(&d, "applybt"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(wb.pictures, 1);
        QCOMPARE(wb.ws.rwidth, 320.0f);
        QCOMPARE(wb.ws.xgrid, int16_t(30));
        QCOMPARE(wb.ws.xview1, 200.0f);
        QVERIFY(wb.ws.gridstale && wb.ws.cffstale);
        QCOMPARE(wb.ctx.frame.fieldwidth, 320.0f);
        QCOMPARE(wb.ctx.frame.fieldheight, 320.0f * 51 / 64);
        wb.ws.gridstale = false;
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(wb.ws.gridstale);
        QCOMPARE(wb.overlays, 1);
        QCOMPARE(wb.pictures, 1);
        // Cancel stores nothing and redraws the overlay.
        d.entryfieldform();
        typeInto(&d, {{"rwidthtxt", "100"}});
        QTest::mouseClick(child<QPushButton>(&d, "cancelbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.rwidth, 320.0f);
        QCOMPARE(wb.overlays, 2);
    }
    void fieldWidthFollowsTheMapScale() {
        FakeWorkbench wb;
        QVERIFY(setprojection(wb.proj, wb.ws));
        wb.ws.needmap = true;
        FieldDialog d(wb);
        d.entryfieldform();
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QCOMPARE(wb.ws.rwidth, 640 * wb.proj.s);
        QCOMPARE(wb.ctx.frame.fieldwidth, 640 * wb.proj.s);
    }
    void fieldInclinedSwitchesTheDepthBox() {
        FakeWorkbench wb;
        FieldDialog d(wb);
        d.entryfieldform();
        QVERIFY(child(&d, "obsdepthtxt")->isEnabled());
        d.inclinedBox()->click();
        QVERIFY(!child(&d, "obsdepthtxt")->isEnabled());
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(wb.ws.inclined);
        // The depth lines were computed for the stored plane.
        QVERIFY(wb.ws.incx0[1] != 0 || wb.ws.incx1[1] != 0);
        d.entryfieldform();
        QVERIFY(d.inclinedBox()->isChecked());
        QVERIFY(!child(&d, "obsdepthtxt")->isEnabled());
        d.inclinedBox()->click();
        QVERIFY(child(&d, "obsdepthtxt")->isEnabled());
    }
    void fieldPointingButtonsAndResults() {
        FakeWorkbench wb;
        FieldDialog d(wb);
        d.entryfieldform();
        QTest::mouseClick(child<QPushButton>(&d, "mousebt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        d.setFieldRect(10.04f, 12.36f, 150, 160.5f);
        d.returnfieldform();
        QVERIFY(d.isVisible());
        QTest::mouseClick(child<QPushButton>(&d, "mousebt2"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        d.setInclinedReference(50.55f, 60);
        d.setInclinedStrike(33.333f);
        d.returnfieldform();
        QCOMPARE(wb.pointing.size(), size_t(2));
        QCOMPARE(wb.pointing[0].first, 2);
        QCOMPARE(wb.pointing[0].second, QString(" Drag Mouse to Enclose Drawing Field...."));
        QCOMPARE(wb.pointing[1].first, 10);
        QCOMPARE(wb.pointing[1].second, QString(" Drag Mouse to Point out Strike Angle ...."));
        QCOMPARE(child(&d, "xview0txt")->text(), QString("10."));
        QCOMPARE(child(&d, "yview0txt")->text(), QString("12.4"));
        QCOMPARE(child(&d, "yview1txt")->text(), QString("160.5"));
        QCOMPARE(child(&d, "obsincxtxt")->text(), QString("50.6"));
        QCOMPARE(child(&d, "obsincstxt")->text(), QString("33.33"));
    }
    void fieldReferenceAssistant() {
        FakeWorkbench wb;
        FieldDialog d(wb);
        d.entryfieldform();
        child(&d, "obsincxtxt")->setText("-5");
        QTest::mouseClick(child<QPushButton>(&d, "assistbt"), Qt::LeftButton);
        expectRejected(wb, child(&d, "obsincxtxt"));
        QVERIFY(!d.referenceAssistant()->isVisible());
        child(&d, "obsincxtxt")->setText("90");
        QTest::mouseClick(child<QPushButton>(&d, "assistbt"), Qt::LeftButton);
        QVERIFY(d.referenceAssistant()->isVisible());
        QTest::mouseClick(child<QPushButton>(d.referenceAssistant(), "okbt"), Qt::LeftButton);
        QVERIFY(!d.referenceAssistant()->isVisible());
        QVERIFY(std::fabs(child(&d, "obsincxtxt")->text().toFloat() - 90) < 0.05f);
        QVERIFY(std::fabs(child(&d, "obsincytxt")->text().toFloat() - 100) < 0.05f);
    }

    // --- CFF dialog ---
    void cffFaultTypeSetsTheRake_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("rake");
        QTest::newRow("Left lateral") << "Left lateral"
                                      << "0.";
        QTest::newRow("Reverse") << "Reverse"
                                 << "90.";
        QTest::newRow("Right lateral") << "Right lateral"
                                       << "180.";
        QTest::newRow("Normal") << "Normal"
                                << "-90.";
        QTest::newRow("blank keeps the rake") << " "
                                              << "12.5";
    }
    void cffFaultTypeSetsTheRake() {
        QFETCH(QString, type);
        QFETCH(QString, rake);
        FakeWorkbench wb;
        wb.ws.cffrake = 33;
        CffDialog d(wb);
        d.entrycffform();
        QCOMPARE(d.faultTypeList()->currentText(), QString(" "));
        choose(d.faultTypeList(), "Reverse");
        child(&d, "cffraketxt")->setText("12.5");
        choose(d.faultTypeList(), type);
        QCOMPARE(child(&d, "cffraketxt")->text(), rake);
        QCOMPARE(wb.ws.cffrake, 33.0f);  // nothing stored before OK
    }
    void cffEntryShowsTheTypeOfTheRakeAndApplyOnlyForCff() {
        FakeWorkbench wb;
        wb.ws.cffrake = 180;
        CffDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("CFF Parameters"));
        d.entrycffform();
        QCOMPARE(d.faultTypeList()->currentText(), QString("Right lateral"));
        QCOMPARE(child(&d, "cffraketxt")->text(), QString("180."));
        QCOMPARE(child(&d, "frictiontxt")->text(), QString("0.3"));
        QVERIFY(!child<QPushButton>(&d, "applybt")->isEnabled());
        d.hide();
        wb.ws.quantitykey = "cffpara";
        d.entrycffform();
        QVERIFY(child<QPushButton>(&d, "applybt")->isEnabled());
    }
    void cffRejects_data() {
        QTest::addColumn<QString>("strike");
        QTest::addColumn<QString>("dip");
        QTest::addColumn<QString>("friction");
        QTest::addColumn<QString>("bad");
        QTest::newRow("dip above 90") << "10"
                                      << "91"
                                      << "0.4"
                                      << "cffdiptxt";
        QTest::newRow("strike checked first") << "-181"
                                              << "91"
                                              << "0.4"
                                              << "cffstriketxt";
        QTest::newRow("friction above 1") << "10"
                                          << "45"
                                          << "1.5"
                                          << "frictiontxt";
    }
    void cffRejects() {
        QFETCH(QString, strike);
        QFETCH(QString, dip);
        QFETCH(QString, friction);
        QFETCH(QString, bad);
        FakeWorkbench wb;
        wb.ws.gridstale = wb.ws.cffstale = false;
        CffDialog d(wb);
        d.entrycffform();
        typeInto(&d, {{"cffstriketxt", strike}, {"cffdiptxt", dip}, {"frictiontxt", friction}});
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        expectRejected(wb, child(&d, bad.toLatin1().constData()));
        QVERIFY(d.isVisible());
        QCOMPARE(wb.ws.cffdip, 90.0f);
        QCOMPARE(wb.ws.cffstrike, 0.0f);
        QVERIFY(!wb.ws.cffstale);
    }
    void cffStoresMarksOnlyCffStale() {
        FakeWorkbench wb;
        wb.ws.quantitykey = "cffpara";
        wb.ws.gridstale = wb.ws.cffstale = false;
        CffDialog d(wb);
        d.entrycffform();
        typeInto(&d, {{"cffstriketxt", "30"}, {"cffdiptxt", "60"}, {"frictiontxt", "0.6"}});
        choose(d.faultTypeList(), "Normal");
        QTest::mouseClick(child<QPushButton>(&d, "applybt"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(wb.pictures, 1);
        QCOMPARE(wb.ws.cffstrike, 30.0f);
        QCOMPARE(wb.ws.cffdip, 60.0f);
        QCOMPARE(wb.ws.cffrake, -90.0f);
        QCOMPARE(wb.ws.friction, 0.6f);
        QVERIFY(wb.ws.cffstale);
        QVERIFY(!wb.ws.gridstale);
        QTest::mouseClick(child<QPushButton>(&d, "okbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.overlays, 1);
        // Pointing out the strike.
        d.entrycffform();
        QTest::mouseClick(child<QPushButton>(&d, "mousebt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.pointing.size(), size_t(1));
        QCOMPARE(wb.pointing[0].first, 3);
        QCOMPARE(wb.pointing[0].second, QString(" Drag Mouse to Point out Strike Angle...."));
        d.setStrike(123.456f);
        d.returncffform();
        QVERIFY(d.isVisible());
        QCOMPARE(child(&d, "cffstriketxt")->text(), QString("123.46"));
    }

    // --- Custom composition ---
    void customRejects_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("bad");
        QTest::newRow("strain weight") << "fzztxt"
                                       << "fzztxt"
                                       << "fzztxt";
        QTest::newRow("in order") << "fzxtxt"
                                  << "fxtxt"
                                  << "fxtxt";
    }
    void customRejects() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, bad);
        for (const char* button : {"okbt", "execdbt", "execsbt"}) {
            FakeWorkbench wb;
            CustomDialog d(wb);
            d.entryform();
            typeInto(&d, {{"fytxt", "2"}, {first, "abc"}, {second, "1e40"}});
            QTest::mouseClick(child<QPushButton>(&d, button), Qt::LeftButton);
            expectRejected(wb, child(&d, bad.toLatin1().constData()));
            QVERIFY(d.isVisible());
            QCOMPARE(wb.ws.fy, 0.0f);
            QVERIFY(wb.ws.quantitykey.empty());
            QCOMPARE(wb.pictures, 0);
        }
    }
    void customExecAndOk_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("key");
        QTest::newRow("displacement") << "execdbt"
                                      << "cmpdispl";
        QTest::newRow("strain") << "execsbt"
                                << "cmpstrain";
        QTest::newRow("OK") << "okbt"
                            << "uz";
    }
    void customExecAndOk() {
        QFETCH(QString, button);
        QFETCH(QString, key);
        FakeWorkbench wb;
        wb.ws.quantitykey = "uz";
        wb.ws.fxy = 0.123456f;
        CustomDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Customize Composition"));
        d.entryform();
        QCOMPARE(child(&d, "fxytxt")->text(), QString("0.12346"));
        typeInto(&d, {{"fxtxt", "1"}, {"fyztxt", "-2.5"}});
        QTest::mouseClick(child<QPushButton>(&d, button.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.fx, 1.0f);
        QCOMPARE(wb.ws.fyz, -2.5f);
        QCOMPARE(wb.ws.fxy, 0.12346f);
        QCOMPARE(QString::fromStdString(wb.ws.quantitykey), key);
        QCOMPARE(wb.pictures, button == "okbt" ? 0 : 1);
    }

    // --- Layout ---
    void noCaptionIsClipped() {
        FakeWorkbench wb;
        OptionDialog option(wb);
        PrinterSettingDialog printer(wb);
        VisualDialog visual(wb);
        FieldDialog field(wb);
        CffDialog cff(wb);
        CustomDialog custom(wb);
        AboutBox about(wb);
        WelcomeWindow welcome(wb);
        option.entrysetfileform();
        printer.entry();
        visual.entryvisualform();
        field.entryfieldform();
        cff.entrycffform();
        custom.entryform();
        about.entryaboutform();
        welcome.show();
        const QString out = qEnvironmentVariable("CRUSTEX_TEST_OUTPUT");
        if (!out.isEmpty()) QDir().mkpath(out);
        for (QWidget* w : std::initializer_list<QWidget*>{&option, &printer, &visual, &field, &cff,
                                                          &custom, &about, &welcome}) {
            QVERIFY(w->isVisible());
            for (QWidget* c : w->findChildren<QWidget*>()) {
                if (!c->isVisible()) continue;
                if (!qobject_cast<QLabel*>(c) && !qobject_cast<QAbstractButton*>(c)) continue;
                const QString what =
                    w->objectName() + ": " +
                    (qobject_cast<QLabel*>(c) ? qobject_cast<QLabel*>(c)->text()
                                              : qobject_cast<QAbstractButton*>(c)->text());
                QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(what));
                QVERIFY2(c->height() >= c->minimumSizeHint().height(), qPrintable(what));
            }
            if (!out.isEmpty()) w->grab().save(out + "/" + w->objectName() + ".png");
        }
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
