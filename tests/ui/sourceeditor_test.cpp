// The source editor's list of sources and its geographic assistants, driven
// through their real widgets against a fake main window. Its OK, Apply and
// Cancel are checked with the other dialogs' buttons.
#include "ui/sourceeditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

#include "fakeworkbench.h"
#include "model/numtext.h"
#include "ui/locationassistants.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::FakeWorkbench;

namespace {

QStringList entries(const SourceEditor& e) {
    QStringList out;
    for (int k = 0; k < e.sourceList()->count(); ++k) out << e.sourceList()->itemText(k);
    return out;
}

QPushButton* button(QWidget* w, const char* name) {
    auto* b = w->findChild<QPushButton*>(name);
    if (!b) qFatal("no button %s", name);
    return b;
}
void click(QWidget* w, const char* name) { QTest::mouseClick(button(w, name), Qt::LeftButton); }
float boxValue(const SourceEditor& e, const char* field) { return e.box(field)->text().toFloat(); }
void choosePoint(SourceEditor& e) { e.findChild<QRadioButton*>("OptPoint")->setChecked(true); }

// Operations drawn in the highlight colour since the last clear.
int highlighted(const FakeWorkbench& wb) {
    int n = 0;
    for (const RecordedOp& op : wb.surface.sincecls()) n += op.color == SourceEditor::kHighlight;
    return n;
}

faultrec pointSource(float x, float y) {
    faultrec f = defaultSource();
    f.sourcetype = 1;
    f.px = x;
    f.py = y;
    return f;
}

const QStringList kSingle{"Single Fault", "Single Point"};
QStringList multi(int n) {
    QStringList out;
    for (int k = 1; k <= n; ++k) out << QString("Multi-Source%1").arg(k);
    return out;
}

}  // namespace

class SourceEditorTest : public QObject {
    Q_OBJECT
private slots:
    void listEntries() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        // First creation: the fixed entries are written without a blank.
        QCOMPARE(entries(e), (QStringList{"SingleFault", "SinglePoint"}));
        // A later rebuild writes them with a blank, and lists several sources.
        wb.ws.nfault = 3;
        wb.ws.fault[2] = wb.ws.fault[1];
        wb.ws.fault[3] = pointSource(50, 60);
        e.rebuildList();
        QCOMPARE(entries(e), kSingle + multi(3));
        QCOMPARE(e.sourceList()->currentIndex(), 2);
        QCOMPARE(e.currentSource(), 1);
        // One point source: its own entry is selected.
        wb.ws.nfault = 1;
        wb.ws.fault[1] = pointSource(70, 80);
        e.rebuildList();
        QCOMPARE(entries(e), kSingle);
        QCOMPARE(e.sourceList()->currentText(), QString("Single Point"));
    }

    void entryShowsTheFramesOfTheCurrentKind() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        QVERIFY(e.box("fx0")->isVisible() && !e.box("px")->isVisible());
        QVERIFY(!button(&e, "delbt")->isEnabled());
        QVERIFY(!button(&e, "applybt")->isEnabled());  // nothing displayed yet
        QVERIFY(highlighted(wb) > 0);                  // the current source in blue
        e.hide();
        wb.ws.quantitykey = "uz";
        wb.ws.fault[1] = pointSource(70, 80);
        e.rebuildList();
        e.entryfaultform();
        QVERIFY(button(&e, "applybt")->isEnabled());
        QVERIFY(e.box("px")->isVisible() && !e.box("fx0")->isVisible());
        QCOMPARE(e.box("px")->text(), QString("70."));
        QVERIFY(e.findChild<QRadioButton*>("OptPoint")->isChecked());
    }

    void addShiftsTheCopyByOneHundredthOfTheWidth_data() {
        QTest::addColumn<int>("entry");   // "Single Fault" / "Single Point"
        QTest::addColumn<bool>("point");  // the kind chosen for the next source
        QTest::newRow("from Single Fault") << 0 << false;
        QTest::newRow("from Single Point") << 1 << true;
        QTest::newRow("Inflation chosen for the next") << 0 << true;
    }
    void addShiftsTheCopyByOneHundredthOfTheWidth() {
        QFETCH(int, entry);
        QFETCH(bool, point);
        FakeWorkbench wb;
        wb.ws.rwidth = 300;  // shift 3 km
        SourceEditor e(wb);
        e.entryfaultform();
        e.sourceList()->setCurrentIndex(entry);
        if (point) choosePoint(e);
        const faultrec first = e.workingRecord(1);
        click(&e, "addbt");
        QCOMPARE(entries(e), QStringList({"SingleFault", "SinglePoint"}) + multi(2));
        QCOMPARE(e.currentSource(), 2);
        QCOMPARE(e.sourceList()->currentText(), QString("Multi-Source2"));
        QVERIFY(button(&e, "delbt")->isEnabled());
        // The existing source keeps the kind of the entry it was selected by.
        QCOMPARE(int(e.workingRecord(1).sourcetype), entry);
        const faultrec& added = e.workingRecord(2);
        QCOMPARE(int(added.sourcetype), int(point));
        if (!point) {  // east and south
            QCOMPARE(added.fx0, first.fx0 + 3);
            QCOMPARE(added.fx1, first.fx1 + 3);
            QCOMPARE(added.fy0, first.fy0 - 3);
            QCOMPARE(added.fy1, first.fy1 - 3);
            QCOMPARE(added.rakeangle, first.rakeangle);
        } else {  // east and north, rake set to 90
            QCOMPARE(added.px, first.px + 3);
            QCOMPARE(added.py, first.py + 3);
            QCOMPARE(added.fx0, first.fx0);
            QCOMPARE(added.rakeangle, 90.0f);
        }
        // The boxes show the new source, and it is drawn in blue.
        QCOMPARE(e.box(point ? "px" : "fx0")->text(),
                 QString::fromStdString(formatnumber(point ? added.px : added.fx0, "0.##")));
        QVERIFY(highlighted(wb) > 0);
        // The model is untouched until OK or Apply.
        QCOMPARE(wb.ws.nfault, int16_t(1));
    }

    void addAtTwentySourcesShowsTheLimit() {
        FakeWorkbench wb;
        wb.ws.nfault = 20;
        for (int k = 2; k <= 20; ++k) wb.ws.fault[k] = wb.ws.fault[1];
        SourceEditor e(wb);
        e.entryfaultform();
        e.box("slip")->setText("abc");  // the limit is told before any box is checked
        click(&e, "addbt");
        QCOMPARE(wb.scripted.messages.size(), size_t(1));
        QCOMPARE(wb.scripted.messages[0].text, std::string("You can Take only 20 sources"));
        QCOMPARE(wb.scripted.messages[0].title, std::string("Warning"));
        QCOMPARE(wb.scripted.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(e.sourceCount(), 20);
        QCOMPARE(e.sourceList()->count(), 22);
    }
    void addStopsOnARejectedBox() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        e.box("fdipangle")->setText("181");
        click(&e, "addbt");
        QCOMPARE(wb.inputErrors(), 1);
        QCOMPARE(e.sourceCount(), 1);
        QCOMPARE(e.sourceList()->count(), 2);
        QTRY_VERIFY(e.box("fdipangle")->hasFocus());
    }

    void cancelAfterThreeAddsKeepsTheModel() {
        FakeWorkbench wb;
        const std::string before = wb.stored();
        SourceEditor e(wb);
        e.entryfaultform();
        e.box("slip")->setText("7");
        for (int k = 0; k < 3; ++k) click(&e, "addbt");
        QCOMPARE(e.sourceCount(), 4);
        click(&e, "cancelbt");
        QCOMPARE(QString::fromStdString(wb.stored()), QString::fromStdString(before));
        QCOMPARE(entries(e), kSingle);
        QCOMPARE(e.sourceCount(), 1);
        // Reopening shows the model's source, not the discarded edit.
        e.entryfaultform();
        QCOMPARE(e.box("slip")->text(), QString("1."));
    }

    void deleteMovesLaterSourcesDownAndStopsAtOne() {
        FakeWorkbench wb;
        wb.ws.nfault = 3;
        wb.ws.fault[2] = pointSource(40, 41);
        wb.ws.fault[3] = pointSource(50, 51);
        SourceEditor e(wb);
        e.rebuildList();
        e.entryfaultform();
        e.sourceList()->setCurrentIndex(3);  // Multi-Source2
        click(&e, "delbt");
        QCOMPARE(e.sourceCount(), 2);
        QCOMPARE(e.workingRecord(2).px, 50.0f);  // record 3 moved down
        QCOMPARE(entries(e), kSingle + multi(2));
        QCOMPARE(e.currentSource(), 2);
        QCOMPARE(e.box("px")->text(), QString("50."));
        click(&e, "delbt");  // the last one
        QCOMPARE(e.sourceCount(), 1);
        // One fault is left: the list drops "Multi-Source1" and chooses its entry.
        QCOMPARE(entries(e), kSingle);
        QCOMPARE(e.sourceList()->currentText(), QString("Single Fault"));
        QVERIFY(!button(&e, "delbt")->isEnabled());
        QVERIFY(e.box("fx0")->isVisible());
    }
    void deleteTheLastLeavingOnePointSource() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        choosePoint(e);
        click(&e, "addbt");
        click(&e, "addbt");
        click(&e, "delbt");  // the last one
        QCOMPARE(e.sourceCount(), 2);
        QCOMPARE(e.currentSource(), 2);
        QCOMPARE(e.sourceList()->count(), 4);
        e.sourceList()->setCurrentIndex(2);  // Multi-Source1, the fault
        click(&e, "delbt");
        QCOMPARE(entries(e), (QStringList{"SingleFault", "SinglePoint"}));
        QCOMPARE(e.sourceList()->currentText(), QString("SinglePoint"));
        QCOMPARE(int(e.workingRecord(1).sourcetype), 1);
        QVERIFY(e.box("px")->isVisible());
    }

    void okStoresEveryWorkingSource() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        e.box("slip")->setText("2.5");
        click(&e, "addbt");
        e.box("rakeangle")->setText("-90");
        click(&e, "okbt");
        QCOMPARE(wb.ws.nfault, int16_t(2));
        QCOMPARE(wb.ws.fault[1].slip, 2.5f);
        QCOMPARE(wb.ws.fault[2].slip, 2.5f);
        QCOMPARE(wb.ws.fault[2].rakeangle, -90.0f);
        QCOMPARE(wb.ws.fault[2].fx0, 85.0f + 2.4f);
        QCOMPARE(e.sourceList()->count(), 4);  // the multi-source list stays
    }
    void okWithASingleEntryMakesOneSource() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        click(&e, "addbt");
        click(&e, "addbt");
        e.sourceList()->setCurrentIndex(1);  // "Single Point"
        QCOMPARE(e.currentSource(), 1);
        click(&e, "okbt");
        QCOMPARE(wb.ws.nfault, int16_t(1));
        QCOMPARE(int(wb.ws.fault[1].sourcetype), 1);
        QCOMPARE(entries(e), kSingle);
        QCOMPARE(e.sourceList()->currentIndex(), 1);
    }

    void selectingAnEntryStoresTheBoxesFirst() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        click(&e, "addbt");  // current: source 2
        e.box("slip")->setText("5");
        e.sourceList()->setCurrentIndex(2);  // Multi-Source1
        QCOMPARE(e.workingRecord(2).slip, 5.0f);
        QCOMPARE(e.currentSource(), 1);
        QCOMPARE(e.box("slip")->text(), QString("1."));
        // The plot shows both sources, the current one in blue.
        const auto ops = wb.surface.sincecls();
        QVERIFY(highlighted(wb) > 0);
        QVERIFY(std::any_of(ops.begin(), ops.end(), [&](const RecordedOp& op) {
            return op.color == wb.ctx.palette.source;
        }));
        // A rejected box stops the selection where it was.
        e.box("slip")->setText("-1");
        e.sourceList()->setCurrentIndex(3);
        QCOMPARE(wb.inputErrors(), 1);
        QCOMPARE(e.currentSource(), 1);
        QCOMPARE(e.sourceList()->currentIndex(), 2);
    }

    void pointingButtonsStoreHideAndStartTheMode_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("fault") << "mousebt" << 1 << " Drag Mouse to Point out Fault....";
        QTest::newRow("point") << "mousebt2" << 9 << " Click Left Bottun to Point out Point....";
    }
    void pointingButtonsStoreHideAndStartTheMode() {
        QFETCH(QString, button);
        QFETCH(int, mode);
        QFETCH(QString, prompt);
        FakeWorkbench wb;
        wb.ws.fault[1].sourcetype = mode == 9 ? 1 : 0;
        SourceEditor e(wb);
        e.rebuildList();
        e.entryfaultform();
        e.box("tensile")->setText("x");
        click(&e, qPrintable(button));
        QCOMPARE(wb.inputErrors(), 1);
        QVERIFY(wb.pointing.empty() && e.isVisible());
        e.box("tensile")->setText("4");
        click(&e, qPrintable(button));
        QVERIFY(!e.isVisible());
        QCOMPARE(wb.pointing, (std::vector<std::pair<int, QString>>{{mode, prompt}}));
        QCOMPARE(e.currentRecord().tensile, 4.0f);
        // The main window gives the result back and shows the editor again.
        e.setEdges(10.26f, 20.0f, 30.04f, 40.55f);
        e.setPointSource(1.25f, 2.0f);
        const int overlays = wb.overlays;
        e.returnfaultform();
        QVERIFY(e.isVisible());
        QCOMPARE(wb.overlays, overlays + 1);
        const QStringList shown{"10.3", "20.", "30.", "40.6", "1.3"};
        int k = 0;
        for (const char* f : {"fx0", "fy0", "fx1", "fy1", "px"})
            QCOMPARE(e.box(f)->text(), shown[k++]);
    }

    void noCaptionIsClipped() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        auto check = [&](QWidget* w, const QString& shot) {
            QVERIFY(w->isVisible());
            const QStringList cut = test::clippedCaptions(w);
            QVERIFY2(cut.isEmpty(), qPrintable(shot + ": " + cut.join(", ")));
            w->grab().save(test::outputDir() + "/" + shot + ".png");
        };
        e.entryfaultform();
        check(&e, "faultform-fault");
        choosePoint(e);
        click(&e, "addbt");
        check(&e, "faultform-point");
        click(&e, "assistbt2");
        check(e.pointAssistant(), "assist2form");
        e.pointAssistant()->hide();
        e.sourceList()->setCurrentIndex(2);
        click(&e, "assistbt");
        check(e.faultAssistant(), "assistform");
    }

    // --- Geographic assistants ---

    void faultAssistantPutsTheOtherEdgeAlongTheStrike() {
        FakeWorkbench wb;
        wb.ws.projection = kMercator;  // meridians run straight up everywhere
        QVERIFY(setprojection(wb.proj, wb.ws));
        SourceEditor e(wb);
        e.entryfaultform();
        click(&e, "assistbt");
        FaultAssistant* a = e.faultAssistant();
        QCOMPARE(a->box("strike")->text(), QString("90."));
        QCOMPARE(a->box("length")->text(), QString("20."));
        a->box("strike")->setText("0");
        a->box("length")->setText("10");
        click(a, "okbt");
        QVERIFY(!a->isVisible());
        const float fy0 = boxValue(e, "fy0");
        QVERIFY(std::fabs(boxValue(e, "fx0") - 85) < 0.05f);
        QVERIFY(std::fabs(fy0 - 100) < 0.05f);
        QCOMPARE(e.box("fx1")->text(), e.box("fx0")->text());
        QVERIFY(std::fabs(boxValue(e, "fy1") - (fy0 + 10)) < 0.006f);
    }
    void faultAssistantRejectsAndCancels_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("latitude") << "lattxt"
                                  << "90.5";
        QTest::newRow("longitude") << "lontxt"
                                   << "-181";
        QTest::newRow("strike") << "striketxt"
                                << "361";
        QTest::newRow("length") << "lengthtxt"
                                << "0";
    }
    void faultAssistantRejectsAndCancels() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        FakeWorkbench wb;  // the projection is set up on first use
        SourceEditor e(wb);
        e.entryfaultform();
        click(&e, "assistbt");
        FaultAssistant* a = e.faultAssistant();
        QVERIFY(a->isVisible());
        auto* b = a->findChild<QLineEdit*>(box);
        b->setText(text);
        click(a, "okbt");
        QCOMPARE(wb.inputErrors(), 1);
        QVERIFY(a->isVisible());
        QTRY_VERIFY(b->hasFocus());
        QCOMPARE(b->selectedText(), text);
        click(a, "cancelbt");
        QVERIFY(!a->isVisible());
        QCOMPARE(e.box("fx0")->text(), QString("85."));
        QCOMPARE(e.box("fy1")->text(), QString("100."));
    }
    void pointAssistantRoundTrip() {
        FakeWorkbench wb;
        wb.ws.fault[1] = pointSource(120, 90);
        SourceEditor e(wb);
        e.rebuildList();
        e.entryfaultform();
        click(&e, "assistbt2");
        PointAssistant* a = e.pointAssistant();
        const float lat = a->box("latitude")->text().toFloat();
        QVERIFY(lat > 30 && lat < 40);  // inside the default map range
        click(a, "okbt");
        QVERIFY(std::fabs(boxValue(e, "px") - 120) < 0.05f);
        QVERIFY(std::fabs(boxValue(e, "py") - 90) < 0.05f);
    }
};

QTEST_MAIN(SourceEditorTest)
#include "sourceeditor_test.moc"
