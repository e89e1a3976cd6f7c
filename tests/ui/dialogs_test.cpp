// The parameter and option dialogs, the printer setting, the source editor
// with its geographic assistants, the "Event Parameters" dialog, the about
// box and the welcome window, the map dialog with its preview, named ranges
// and layer controls, driven through their real widgets against a fake main
// window; and the report of a rejected box.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "fakeworkbench.h"
#include "files/arealist.h"
#include "model/numtext.h"
#include "ui/aboutbox.h"
#include "ui/cffdialog.h"
#include "ui/customdialog.h"
#include "ui/eventdialog.h"
#include "ui/fielddialog.h"
#include "ui/inputerror.h"
#include "ui/locationassistants.h"
#include "ui/mapdialog.h"
#include "ui/mappreview.h"
#include "ui/optiondialog.h"
#include "ui/printersetting.h"
#include "ui/receiverdialog.h"
#include "ui/regionalstressdialog.h"
#include "ui/sourceeditor.h"
#include "ui/visualdialog.h"
#include "ui/welcomewindow.h"
#include "windowtestkit.h"

using namespace crustex;
using namespace crustex::test;

namespace {

QStringList entries(const SourceEditor& e) {
    QStringList out;
    for (int k = 0; k < e.sourceList()->count(); ++k) out << e.sourceList()->itemText(k);
    return out;
}
const QStringList kSingle{"Single Fault", "Single Point"};
QStringList multi(int n) {
    QStringList out;
    for (int k = 1; k <= n; ++k) out << QString("Multi-Source%1").arg(k);
    return out;
}

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

enum Dialog { Printer, Visual, Field, Cff, Custom, Source, Option, Event, Regional, Receivers };

// The receiver dialog's choice, new for every dialog made.
ReceiverChoice receiverChoice;

std::unique_ptr<QDialog> make(Dialog kind, FakeWorkbench& wb) {
    switch (kind) {
        case Printer: return std::make_unique<PrinterSettingDialog>(wb);
        case Visual: return std::make_unique<VisualDialog>(wb);
        case Field: return std::make_unique<FieldDialog>(wb);
        case Cff: return std::make_unique<CffDialog>(wb);
        case Custom: return std::make_unique<CustomDialog>(wb);
        case Source: return std::make_unique<SourceEditor>(wb);
        case Option: return std::make_unique<OptionDialog>(wb);
        case Event: return std::make_unique<EventDialog>(wb);
        case Regional: return std::make_unique<RegionalStressDialog>(wb);
        case Receivers:
            receiverChoice = {};
            return std::make_unique<ReceiverDialog>(wb, receiverChoice);
    }
    return {};
}
void open(QDialog* d) {
    if (auto* p = qobject_cast<PrinterSettingDialog*>(d)) p->entry();
    if (auto* v = qobject_cast<VisualDialog*>(d)) v->entryvisualform();
    if (auto* f = qobject_cast<FieldDialog*>(d)) f->entryfieldform();
    if (auto* c = qobject_cast<CffDialog*>(d)) c->entrycffform();
    if (auto* c = qobject_cast<CustomDialog*>(d)) c->entryform();
    if (auto* s = qobject_cast<SourceEditor*>(d)) s->entryfaultform();
    if (auto* o = qobject_cast<OptionDialog*>(d)) o->entrysetfileform();
    if (auto* e = qobject_cast<EventDialog*>(d)) e->entryeventform();
    if (auto* g = qobject_cast<RegionalStressDialog*>(d)) g->entry();
    if (auto* r = qobject_cast<ReceiverDialog*>(d)) r->entry();
}

// One press of a dialog's button after the steps `typed`, on a state whose
// results are current and whose shown quantity is `key`. A rejected row
// names the box that must be reported; an accepted row tells what the dialog
// shows when it is opened again and what the press did: "grid" and "cff"
// (results marked stale), "picture", "overlay" (redraws), "frame" (the plot
// frame fits the width), "key=<quantity>".
struct Press {
    const char* name;
    Dialog dialog;
    const char* typed;
    const char* button;
    const char* bad = "";
    const char* reopened = "";
    const char* effects = "";
    const char* key = "";
};

const Press kPresses[] = {
    {"printer: horizontal above 100", Printer, "xmargin=101;ymargin=5", "okbt", "xmargin"},
    {"printer: stored", Printer, "xmargin=0;ymargin=100;@bnwchk", "okbt", "",
     "xmargin=0;ymargin=100;bnwchk=on"},
    {"printer: cancel", Printer, "xmargin=50;@bnwchk", "cancelbt"},
    {"visual: zero interval in a disabled box", Visual, "cline=0;rdispl=5", "okbt", "cline"},
    {"visual: strain cross", Visual, "rstrain=0", "okbt", "rstrain"},
    {"visual: min value switched off by the scale", Visual, "cminval=0;@linearobt", "okbt",
     "cminval"},
    {"visual: stored", Visual, "cline=2.5;nsubline=4;fsize=9;rtilt=0.5;@linearobt;@peakvaluechk",
     "okbt", "", "cline=2.5;nsubline=4;fsize=9.;rtilt=0.5;linearobt=on;peakvaluechk=off"},
    {"visual: cancel", Visual, "cline=7", "cancelbt", "", "", "overlay"},
    {"field: width 0", Field, "obsdepth=5;rwidth=0", "okbt", "rwidth"},
    {"field: SW east of NE", Field, "obsdepth=5;xview0=170", "applybt", "xview0"},
    {"field: grid text", Field, "ygrid=abc", "applybt", "ygrid"},
    {"field: apply", Field, "rwidth=320;xgrid=30;xview1=200", "applybt", "",
     "rwidth=320;xgrid=30;xview1=200", "grid cff picture frame"},
    {"field: OK", Field, "obsdepth=5", "okbt", "", "obsdepth=5", "grid cff overlay"},
    {"field: cancel", Field, "rwidth=100", "cancelbt", "", "", "overlay"},
    {"cff: dip above 90", Cff, "cffstrike=10;cffdip=91;friction=0.4", "okbt", "cffdip"},
    {"cff: friction above 1", Cff, "friction=1.5", "applybt", "friction", "", "", "cffpara"},
    {"cff: apply", Cff, "cffstrike=30;cffdip=60;friction=0.6;faulttypelist=Normal", "applybt", "",
     "cffstrike=30.;cffdip=60.;cffrake=-90.;friction=0.6", "cff picture", "cffpara"},
    {"cff: OK", Cff, "cffdip=45", "okbt", "", "cffdip=45.", "cff overlay"},
    {"cff: cancel", Cff, "cffdip=45", "cancelbt", "", "", "overlay"},
    {"custom: OK, strain weight", Custom, "fy=2;fzz=abc", "okbt", "fzz"},
    {"custom: Exec. displacement", Custom, "fy=2;fzz=abc", "execdbt", "fzz"},
    {"custom: Exec. strain", Custom, "fy=2;fzz=abc", "execsbt", "fzz"},
    {"custom: Exec. displacement draws", Custom, "fx=1;fyz=-2.5", "execdbt", "", "fx=1.;fyz=-2.5",
     "picture key=cmpdispl"},
    {"custom: Exec. strain draws", Custom, "fx=1", "execsbt", "", "fx=1.", "picture key=cmpstrain"},
    {"custom: OK keeps the quantity", Custom, "fx=1", "okbt", "", "fx=1.", "key=uz", "uz"},
    {"source: OK with coincident edges", Source, "fx1=85;fy1=100;slip=9", "okbt", "fx0"},
    {"source: Apply with coincident edges", Source, "fx1=85;fy1=100;slip=9", "applybt", "fx0", "",
     "", "uz"},
    {"source: OK", Source, "slip=2.5;rakeangle=-90", "okbt", "", "slip=2.5;rakeangle=-90.",
     "grid cff overlay"},
    {"source: Apply", Source, "fdepth=3", "applybt", "", "fdepth=3.", "grid cff picture", "uz"},
    {"source: cancel", Source, "slip=7", "cancelbt", "", "", "overlay"},
    // Directories get a trailing '/'; the catalogue is a file, taken as typed.
    {"option: paths", Option,
     "mappath=/data/maps;areapath=maps;seispath=/s/;vhyppath=/d/cat.ep;@optStrformat2", "okbt", "",
     "mappath=/data/maps/;areapath=maps/;seispath=/s/;vhyppath=/d/cat.ep;optStrformat2=on"},
    {"option: empty paths stay empty", Option, "mappath=;vhyppath=", "okbt", "",
     "mappath=;vhyppath=;optStrformat1=on"},
    {"option: cancel", Option, "mappath=/elsewhere;@optStrformat2", "cancelbt"},
    // A new medium changes the solutions; a new unit only redraws.
    {"option: moduli and unit", Option, "young=7e5;poisson=0.3;@unitbarobt", "okbt", "",
     "young=700000;poisson=0.3;unitbarobt=on", "grid cff picture", "uz"},
    {"option: unit", Option, "@unitmpaobt", "okbt", "", "unitmpaobt=on", "overlay"},
    {"option: Poisson's ratio 0.5", Option, "poisson=0.5;@unitbarobt", "okbt", "poisson"},
    {"option: Young's modulus 0", Option, "young=0", "okbt", "young"},
    {"regional: stored", Regional,
     "@givenchk;s1azimuth=30;s1surface=100;s2azimuth=120;s2plunge=2;s2surface=50;s3plunge=88;"
     "s3surface=10;s3gradient=2.5",
     "okbt", "", "givenchk=on;s1azimuth=30;s2plunge=2;s3gradient=2.5", "overlay"},
    {"regional: axes not perpendicular", Regional,
     "@givenchk;s1azimuth=30;s2azimuth=100;s3plunge=90", "okbt", "s1azimuth"},
    {"regional: plunge above 90", Regional, "@givenchk;s2plunge=91", "okbt", "s2plunge"},
    {"receivers: stored", Receivers, "@cffrakechk;receiverrake=45;receiveralong=2;receiverdown=3",
     "okbt", "", "receiverrake=45.;receiveralong=2;receiverdown=3;cffrakechk=off", "picture"},
    {"receivers: no patch down dip", Receivers, "receiverdown=0", "okbt", "receiverdown"},
    {"receivers: rake above 180", Receivers, "@cffrakechk;receiverrake=181", "okbt",
     "receiverrake"},
    // Two-digit date parts; the end may lie before the start.
    {"event: stored", Event, "yr0=2004;mon0=3;hr0=7;min0=56;dep0=3.5;mag1=7.5", "okbt", "",
     "yr0=2004;mon0=03;hr0=07;min0=56;mon1=12;min1=59;dep0=3.5;dep1=100.0;mag1=7.5"},
    {"event: end before the start", Event, "yr0=2020", "okbt", "", "yr0=2020"},
    {"event: cancel", Event, "yr0=2020;dep0=7", "cancelbt"},
    // The ranges first, in their order; then the start and the end as dates.
    {"event: depth before the rest", Event, "dep1=1000.5;mag0=-6;day0=32", "okbt", "dep1"},
    {"event: magnitude before the dates", Event, "mag0=-6;day0=32", "okbt", "mag0"},
    {"event: start before end", Event, "day0=32;mon1=13", "okbt", "yr0"},
    {"event: no leap day in 1995", Event, "mon0=2;day0=29", "okbt", "yr0"},
    {"event: hour 24", Event, "hr1=24", "okbt", "yr1"},
    {"event: minute not whole", Event, "min1=6.5", "okbt", "yr1"},
};

// An option dialog's "Refer...." button: the message first shown, the file
// dialog's title and filter, the file chosen and the box's text after it.
struct Refer {
    const char* name;
    int row;
    const char* message;
    const char* asked;
    const char* chosen;
    const char* box;
};
const Refer kReferRows[] = {
    {"map", 0, "Choose 'japanv.map' to Decide the Directory",
     "Choose 'Japanv map'|Map File (*.map)", "/d/map/japanv.map", "/d/map/"},
    {"vhyp", 3, "", "Choose VHYP File|VHYP File (*.hyp *.ep)", "/d/data/cat.ep", "/d/data/cat.ep"},
};

// A fake main window whose map dialog counts the main window's steps.
struct Rig {
    FakeWorkbench wb;
    QTemporaryDir dir;
    MapDialog d{wb};
    QStringList steps;
    Rig() {
        wb.ws.mappath = dir.filePath("map").toStdString() + "/";
        wb.ws.areapath = dir.filePath("area").toStdString() + "/";
        QDir(dir.path()).mkpath("map");
        touch("map/JAPANV.MAP");
        d.hooks.drawBackground = [this] { steps << "draw"; };
        d.hooks.clearBackground = [this](bool pasted) {
            steps << (pasted ? "clear all" : "clear");
        };
        d.hooks.rebuildSourceList = [this] { steps << "list"; };
    }
    void touch(const QString& name) { QVERIFY(test::writeFile(dir.filePath(name))); }
};

// Drags on the preview from one frame point to another.
void drag(MapPreview* p, QPointF from, QPointF to) {
    const QPoint a = p->toPixel(from).toPoint(), b = p->toPixel(to).toPoint();
    QTest::mousePress(p, Qt::LeftButton, {}, a);
    QTest::mouseMove(p, (a + b) / 2);
    QTest::mouseMove(p, b);
    QTest::mouseRelease(p, Qt::LeftButton, {}, b);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void pressButton_data() { test::addRows(kPresses); }
    void pressButton() {
        QFETCH(int, row);
        const Press& p = kPresses[row];
        FakeWorkbench wb;
        wb.ws.quantitykey = p.key;
        wb.ws.gridstale = wb.ws.cffstale = false;
        const auto d = make(p.dialog, wb);
        open(d.get());
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        act(d.get(), p.typed);
        const std::string before = wb.stored();
        QString focused;  // the focused box and its selection when a message is shown
        wb.scripted.onMessage = [&](const test::RecordedMessage&) {
            if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                focused = box->objectName() + ":" + box->selectedText();
        };
        click(d.get(), p.button);
        const QStringList effects = QString(p.effects).split(' ');
        QCOMPARE(wb.pictures, int(effects.contains("picture")));
        QCOMPARE(wb.overlays, int(effects.contains("overlay")));
        QCOMPARE(d->isVisible(), *p.bad || QString(p.button) == "applybt");
        QCOMPARE(wb.inputErrors(), *p.bad ? 1 : 0);
        if (*p.bad) {
            // Reported: the box has the focus with its whole text selected
            // before the message is shown.
            QLineEdit* box = child(d.get(), QString(p.bad) + "txt");
            QVERIFY(box->isEnabled() && box->hasFocus());
            QCOMPARE(focused, box->objectName() + ":" + box->text());
        }
        if (*p.bad || QString(p.button) == "cancelbt") {
            QCOMPARE(QString::fromStdString(wb.stored()), QString::fromStdString(before));
            return;
        }
        QCOMPARE(wb.ws.gridstale, effects.contains("grid"));
        QCOMPARE(wb.ws.cffstale, effects.contains("cff"));
        const QString key = effects.filter("key=").value(0).mid(4);
        QCOMPARE(QString::fromStdString(wb.ws.quantitykey), key.isEmpty() ? p.key : key);
        if (effects.contains("frame")) {
            QCOMPARE(wb.ctx.frame.fieldwidth, wb.ws.rwidth);
            QCOMPARE(wb.ctx.frame.fieldheight, wb.ws.rwidth * 51 / 64);
        }
        open(d.get());
        expectShown(d.get(), p.reopened);
    }
    void inputErrorWithoutABoxStillSaysSo() {
        FakeWorkbench wb;
        inputerror(nullptr, wb.scripted);
        QCOMPARE(wb.inputErrors(), 1);
        const auto& m = wb.scripted.messages.back();
        QVERIFY(m.icon == MsgIcon::Critical && m.buttons == MsgButtons::Ok);
    }

    void visualEnablesBoxesPerScale() {
        // Enabled "Main Contour", "Min. Value", "No. of Sub-Contour" per type.
        const bool enabled[3][3] = {{true, false, true}, {false, true, false}, {false, true, true}};
        for (int scale = 0; scale < 3; ++scale) {
            for (bool chosen : {false, true}) {  // stored at opening, or chosen
                FakeWorkbench wb;
                wb.ws.scaletype = static_cast<int16_t>(chosen ? (scale + 1) % 3 : scale);
                VisualDialog d(wb);
                d.entryvisualform();
                if (chosen) QTest::mouseClick(d.scaleButton(scale), Qt::LeftButton);
                QCOMPARE(wb.ws.scaletype, int16_t(scale));
                QVERIFY(d.scaleButton(scale)->isChecked());
                QCOMPARE(d.box("cline")->isEnabled(), enabled[scale][0]);
                QCOMPARE(d.box("cminval")->isEnabled(), enabled[scale][1]);
                QCOMPARE(d.box("nsubline")->isEnabled(), enabled[scale][2]);
            }
        }
    }

    // The list shows the type of the stored rake; the blank entry keeps what
    // was typed, and nothing is stored before OK. Apply is offered only while
    // delta CFF is shown.
    void cffFaultTypeListAndApply() {
        FakeWorkbench wb;
        wb.ws.cffrake = 180;
        CffDialog d(wb);
        d.entrycffform();
        QCOMPARE(d.faultTypeList()->currentText(), QString("Right lateral"));
        d.box("cffrake")->setText("12.5");
        choose(d.faultTypeList(), " ");
        QCOMPARE(d.box("cffrake")->text(), QString("12.5"));
        QCOMPARE(wb.ws.cffrake, 180.0f);
        QVERIFY(!child<QPushButton>(&d, "applybt")->isEnabled());
        wb.ws.quantitykey = "cffpara";
        d.entrycffform();
        QVERIFY(child<QPushButton>(&d, "applybt")->isEnabled());
    }

    void fieldInclinedReferenceAndMapScale() {
        FakeWorkbench wb;
        FieldDialog d(wb);
        d.entryfieldform();
        QVERIFY(d.box("obsdepth")->isEnabled());
        d.inclinedBox()->click();
        QVERIFY(!d.box("obsdepth")->isEnabled());
        click(&d, "okbt");
        QVERIFY(wb.ws.inclined);
        d.entryfieldform();
        QVERIFY(d.inclinedBox()->isChecked() && !d.box("obsdepth")->isEnabled());
        // The reference assistant, refused for a bad box, then used.
        d.box("obsincx")->setText("-5");
        click(&d, "assistbt");
        QCOMPARE(wb.inputErrors(), 1);
        QTRY_VERIFY(d.box("obsincx")->hasFocus());
        QVERIFY(!d.referenceAssistant()->isVisible());
        d.box("obsincx")->setText("90");
        click(&d, "assistbt");
        QVERIFY(d.referenceAssistant()->isVisible());
        click(d.referenceAssistant(), "okbt");
        QVERIFY(!d.referenceAssistant()->isVisible());
        QVERIFY(std::fabs(d.box("obsincx")->text().toFloat() - 90) < 0.05f);
        QVERIFY(std::fabs(d.box("obsincy")->text().toFloat() - 100) < 0.05f);
        // On the map, OK fits the width to the map's scale.
        QVERIFY(setprojection(wb.proj, wb.ws));
        wb.ws.needmap = true;
        d.entryfieldform();
        click(&d, "okbt");
        QCOMPARE(wb.ws.rwidth, 640 * wb.proj.s);
        QCOMPARE(wb.ctx.frame.fieldwidth, 640 * wb.proj.s);
    }

    // --- Option dialog ---
    void optionReferButtons_data() { test::addRows(kReferRows); }
    void optionReferButtons() {
        QFETCH(int, row);
        const Refer& refer = kReferRows[row];
        const QString message = refer.message, box = refer.box;
        FakeWorkbench wb;
        OptionDialog d(wb);
        d.entrysetfileform();
        QString asked, answer = refer.chosen;
        d.chooseFile = [&](const QString& t, const QString& f, const QString&) {
            asked = t + "|" + f;
            return answer;
        };
        const auto r = static_cast<OptionDialog::Row>(refer.row);
        QTest::mouseClick(d.referButton(r), Qt::LeftButton);
        QCOMPARE(wb.scripted.messages.size(), size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(wb.scripted.messages[0].text), message);
            QCOMPARE(wb.scripted.messages[0].title, std::string("Information"));
        }
        QCOMPARE(asked, QString(refer.asked));
        QCOMPARE(d.pathBox(r)->text(), box);
        // A cancelled file dialog leaves the box as it was.
        answer.clear();
        QTest::mouseClick(d.referButton(r), Qt::LeftButton);
        QCOMPARE(d.pathBox(r)->text(), box);
    }

    // --- Source editor ---
    // The list's entries and the frames of the current source's kind.
    void sourceListAndEntryFrames() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        // First creation: the fixed entries are written without a blank.
        QCOMPARE(entries(e), (QStringList{"SingleFault", "SinglePoint"}));
        e.entryfaultform();
        QVERIFY(e.box("fx0")->isVisible() && !e.box("px")->isVisible());
        QVERIFY(!child<QPushButton>(&e, "delbt")->isEnabled());
        QVERIFY(!child<QPushButton>(&e, "applybt")->isEnabled());  // nothing displayed yet
        QVERIFY(highlighted(wb) > 0);                              // the current source in blue
        // A later rebuild writes them with a blank, and lists several sources.
        wb.ws.nfault = 3;
        wb.ws.fault[2] = wb.ws.fault[1];
        wb.ws.fault[3] = pointSource(50, 60);
        e.rebuildList();
        QCOMPARE(entries(e), kSingle + multi(3));
        QCOMPARE(e.sourceList()->currentIndex(), 2);
        QCOMPARE(e.currentSource(), 1);
        // One point source: its own entry is selected, its frame shown.
        wb.ws.quantitykey = "uz";
        wb.ws.nfault = 1;
        wb.ws.fault[1] = pointSource(70, 80);
        e.rebuildList();
        QCOMPARE(entries(e), kSingle);
        e.entryfaultform();
        QVERIFY(child<QPushButton>(&e, "applybt")->isEnabled());
        QVERIFY(e.box("px")->isVisible() && !e.box("fx0")->isVisible());
        expectShown(&e, "faultlist=Single Point;px=70.;OptPoint=on");
    }
    void sourceAddShiftsTheCopyByOneHundredthOfTheWidth_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("point");  // the kind of the added source
        QTest::newRow("from Single Fault") << "faultlist=SingleFault" << false;
        QTest::newRow("from Single Point") << "faultlist=SinglePoint" << true;
        QTest::newRow("Inflation chosen for the next") << "@OptPoint" << true;
    }
    void sourceAddShiftsTheCopyByOneHundredthOfTheWidth() {
        QFETCH(QString, steps);
        QFETCH(bool, point);
        FakeWorkbench wb;
        wb.ws.rwidth = 300;  // shift 3 km
        wb.ws.fault[1].rakeangle = 30;
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, qPrintable(steps));
        const faultrec first = e.workingRecord(1);
        act(&e, "@addbt");
        QCOMPARE(entries(e), QStringList({"SingleFault", "SinglePoint"}) + multi(2));
        QCOMPARE(e.currentSource(), 2);
        expectShown(&e, "faultlist=Multi-Source2");
        QVERIFY(child<QPushButton>(&e, "delbt")->isEnabled());
        // The existing source keeps the kind of the entry it was selected by.
        QCOMPARE(e.workingRecord(1).sourcetype, first.sourcetype);
        // A copy of the current source moved east and south (a fault) or
        // east and north with the rake set to 90 (a point source).
        faultrec want = first;
        want.sourcetype = point ? 1 : 0;
        if (point) {
            want.px += 3, want.py += 3, want.rakeangle = 90;
        } else {
            want.fx0 += 3, want.fx1 += 3, want.fy0 -= 3, want.fy1 -= 3;
        }
        const faultrec& added = e.workingRecord(2);
        QVERIFY(added == want);
        // The boxes show the new source, and it is drawn in blue.
        QCOMPARE(e.box(point ? "px" : "fx0")->text(),
                 QString::fromStdString(formatnumber(point ? added.px : added.fx0, "0.##")));
        QVERIFY(highlighted(wb) > 0);
        QCOMPARE(wb.ws.nfault, int16_t(1));  // the model waits for OK or Apply
    }
    // In the publication style Add redraws over the style's axes, the other
    // sources in black instead of the screen style's colour.
    void sourceAddKeepsThePublicationStyle() {
        FakeWorkbench wb;
        wb.ws.publicationstyle = true;
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, "@addbt");
        QVERIFY(wb.surface.findtext("X (km)") != nullptr);
        QVERIFY(wb.surface.linesofcolor(wb.ctx.palette.source).empty());
        QVERIFY(highlighted(wb) > 0);
    }
    void sourceAddRefusedAtTwentySourcesAndOnARejectedBox() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, "fdipangle=181;@addbt");
        QCOMPARE(wb.inputErrors(), 1);
        QCOMPARE(e.sourceCount(), 1);
        QTRY_VERIFY(e.box("fdipangle")->hasFocus());
        // The twentieth source is added, the twenty-first refused.
        wb.ws.nfault = 19;
        for (int k = 2; k <= 19; ++k) wb.ws.fault[k] = wb.ws.fault[1];
        e.rebuildList();
        e.entryfaultform();
        act(&e, "@addbt;slip=abc;@addbt");  // the limit is told before any box is checked
        QCOMPARE(wb.scripted.messages.size(), size_t(2));
        const test::RecordedMessage& m = wb.scripted.messages[1];
        QCOMPARE(m.text, std::string("You can Take only 20 sources"));
        QCOMPARE(m.title, std::string("Warning"));
        QVERIFY(m.icon == MsgIcon::Exclamation && m.buttons == MsgButtons::Ok);
        QCOMPARE(e.sourceCount(), 20);
        QCOMPARE(e.sourceList()->count(), 22);
    }
    void sourceCancelDropsTheAddsAndOkStoresTheWorkingCopy() {
        FakeWorkbench wb;
        const std::string before = wb.stored();
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, "slip=7;@addbt;@addbt;@addbt");
        QCOMPARE(e.sourceCount(), 4);
        act(&e, "@cancelbt");
        QCOMPARE(QString::fromStdString(wb.stored()), QString::fromStdString(before));
        QCOMPARE(entries(e), kSingle);
        QCOMPARE(e.sourceCount(), 1);
        e.entryfaultform();  // the model's source, not the discarded edit
        expectShown(&e, "slip=1.");
        // OK stores the working copy.
        act(&e, "slip=2.5;@addbt;rakeangle=-90;@okbt");
        QCOMPARE(wb.ws.nfault, int16_t(2));
        QCOMPARE(wb.ws.fault[1].slip, 2.5f);
        QCOMPARE(wb.ws.fault[2].slip, 2.5f);
        QCOMPARE(wb.ws.fault[2].rakeangle, -90.0f);
        QCOMPARE(wb.ws.fault[2].fx0, 85.0f + 2.4f);
        QCOMPARE(e.sourceList()->count(), 4);  // the multi-source list stays
        // With a single entry chosen, OK makes one source of it.
        e.entryfaultform();
        act(&e, "@addbt;faultlist=Single Point;@okbt");
        QCOMPARE(wb.ws.nfault, int16_t(1));
        QCOMPARE(int(wb.ws.fault[1].sourcetype), 1);
        QCOMPARE(entries(e), kSingle);
        expectShown(&e, "faultlist=Single Point");
    }
    void sourceDeleteMovesLaterSourcesDownAndStopsAtOne() {
        FakeWorkbench wb;
        wb.ws.nfault = 3;
        wb.ws.fault[2] = pointSource(40, 41);
        wb.ws.fault[3] = pointSource(50, 51);
        SourceEditor e(wb);
        e.rebuildList();
        e.entryfaultform();
        act(&e, "faultlist=Multi-Source2;@delbt");
        QCOMPARE(e.sourceCount(), 2);
        QCOMPARE(e.workingRecord(2).px, 50.0f);  // record 3 moved down
        QCOMPARE(entries(e), kSingle + multi(2));
        QCOMPARE(e.currentSource(), 2);
        expectShown(&e, "px=50.");
        act(&e, "@delbt");  // the last one
        // One fault is left: "Multi-Source1" goes and its entry is chosen.
        QCOMPARE(e.sourceCount(), 1);
        QCOMPARE(entries(e), kSingle);
        expectShown(&e, "faultlist=Single Fault");
        QVERIFY(!child<QPushButton>(&e, "delbt")->isEnabled());
        QVERIFY(e.box("fx0")->isVisible());
        // The same down to one point source.
        SourceEditor p(wb);
        p.rebuildList();
        p.entryfaultform();
        act(&p, "faultlist=Multi-Source1;@delbt;@delbt");
        QCOMPARE(entries(p), kSingle);
        expectShown(&p, "faultlist=Single Point");
        QVERIFY(p.box("px")->isVisible());
    }
    void sourceSelectingAnEntryStoresTheBoxesFirst() {
        FakeWorkbench wb;
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, "@addbt;slip=5;faultlist=Multi-Source1");
        QCOMPARE(e.workingRecord(2).slip, 5.0f);
        QCOMPARE(e.currentSource(), 1);
        expectShown(&e, "slip=1.");
        // The plot shows both sources, the current one in blue.
        const auto ops = wb.surface.sincecls();
        QVERIFY(highlighted(wb) > 0);
        QVERIFY(std::any_of(ops.begin(), ops.end(), [&](const RecordedOp& op) {
            return op.color == wb.ctx.palette.source;
        }));
        // A rejected box stops the selection where it was.
        act(&e, "slip=-1;faultlist=Multi-Source2");
        QCOMPARE(wb.inputErrors(), 1);
        QCOMPARE(e.currentSource(), 1);
        expectShown(&e, "faultlist=Multi-Source1");
    }
    void sourcePointingButtonsStoreHideAndStartTheMode() {
        for (const int mode : {1, 9}) {
            FakeWorkbench wb;
            wb.ws.fault[1].sourcetype = mode == 9;
            SourceEditor e(wb);
            e.rebuildList();
            e.entryfaultform();
            const char* button = mode == 1 ? "@mousebt" : "@mousebt2";
            act(&e, "tensile=x");
            act(&e, button);
            QCOMPARE(wb.inputErrors(), 1);
            QVERIFY(wb.pointing.empty() && e.isVisible());
            act(&e, "tensile=4");
            act(&e, button);
            QVERIFY(!e.isVisible());
            QCOMPARE(wb.pointing.at(0).first, mode);
            QCOMPARE(wb.pointing[0].second,
                     QString(mode == 1 ? " Drag Mouse to Point out Fault...."
                                       : " Click Left Bottun to Point out Point...."));
            QCOMPARE(e.currentRecord().tensile, 4.0f);
            // The main window gives the result back and shows the editor again.
            e.setEdges(10.26f, 20.0f, 30.04f, 40.55f);
            e.setPointSource(1.25f, 2.0f);
            e.returnfaultform();
            QVERIFY(e.isVisible());
            QCOMPARE(wb.overlays, 1);
            expectShown(&e, "fx0=10.3;fy0=20.;fx1=30.;fy1=40.6;px=1.3");
        }
    }
    void sourceFaultAssistantPutsTheOtherEdgeAlongTheStrike() {
        FakeWorkbench wb;
        wb.ws.projection = kMercator;  // meridians run straight up everywhere
        QVERIFY(setprojection(wb.proj, wb.ws));
        SourceEditor e(wb);
        e.entryfaultform();
        act(&e, "@assistbt");
        FaultAssistant* a = e.faultAssistant();
        QCOMPARE(a->box("strike")->text(), QString("90."));
        QCOMPARE(a->box("length")->text(), QString("20."));
        act(a, "strike=0;length=10;@okbt");
        QVERIFY(!a->isVisible());
        const float fy0 = e.box("fy0")->text().toFloat();
        QVERIFY(std::fabs(e.box("fx0")->text().toFloat() - 85) < 0.05f);
        QVERIFY(std::fabs(fy0 - 100) < 0.05f);
        QCOMPARE(e.box("fx1")->text(), e.box("fx0")->text());
        QVERIFY(std::fabs(e.box("fy1")->text().toFloat() - (fy0 + 10)) < 0.006f);
    }
    void sourceAssistantsRejectCancelAndReturn() {
        for (const char* typed : {"lat=90.5", "lon=-181", "strike=361", "length=0"}) {
            FakeWorkbench wb;  // the projection is set up on first use
            SourceEditor e(wb);
            e.entryfaultform();
            act(&e, "@assistbt");
            FaultAssistant* a = e.faultAssistant();
            act(a, typed);
            act(a, "@okbt");
            QCOMPARE(wb.inputErrors(), 1);
            QVERIFY(a->isVisible());
            QLineEdit* b = child(a, QString(typed).section('=', 0, 0) + "txt");
            QTRY_VERIFY(b->hasFocus());
            QCOMPARE(b->selectedText(), b->text());
            act(a, "@cancelbt");
            QVERIFY(!a->isVisible());
            expectShown(&e, "fx0=85.;fy1=100.");
        }
        // The point assistant gives back the position it was opened with.
        FakeWorkbench wb;
        wb.ws.fault[1] = pointSource(120, 90);
        SourceEditor e(wb);
        e.rebuildList();
        e.entryfaultform();
        act(&e, "@assistbt2");
        const float lat = e.pointAssistant()->box("latitude")->text().toFloat();
        QVERIFY(lat > 30 && lat < 40);  // inside the default map range
        act(e.pointAssistant(), "@okbt");
        QVERIFY(std::fabs(e.box("px")->text().toFloat() - 120) < 0.05f);
        QVERIFY(std::fabs(e.box("py")->text().toFloat() - 90) < 0.05f);
    }

    // --- Layout, the about box and the welcome window ---
    void noCaptionIsClippedAndTheAboutBoxAndWelcomeWindowClose() {
        FakeWorkbench wb;
        auto check = [](QWidget* w, const QString& shot) {
            QVERIFY(w->isVisible());
            const QStringList cut = test::clippedCaptions(w);
            QVERIFY2(cut.isEmpty(), qPrintable(shot + ": " + cut.join(", ")));
            w->grab().save(test::outputDir() + "/" + shot + ".png");
        };
        for (Dialog kind :
             {Printer, Visual, Field, Cff, Custom, Option, Event, Regional, Receivers}) {
            const auto d = make(kind, wb);
            open(d.get());
            check(d.get(), d->objectName());
        }
        QCOMPARE(make(Event, wb)->windowTitle(), QString("Event Parameters"));
        // The about box and the welcome window close on a click on a
        // caption; the about box also on one on itself.
        AboutBox about(wb);
        about.entryaboutform();
        check(&about, about.objectName());
        QTest::mouseClick(about.findChildren<QLabel*>().first(), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        about.entryaboutform();
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!about.isVisible());
        WelcomeWindow welcome(wb);
        welcome.show();
        check(&welcome, welcome.objectName());
        QTest::mouseClick(child<QLabel>(&welcome, "versionlbl"), Qt::LeftButton);
        QVERIFY(!welcome.isVisible());
        // The source editor on both pages, and its assistants.
        SourceEditor e(wb);
        e.entryfaultform();
        check(&e, "faultform-fault");
        act(&e, "@OptPoint;@addbt");
        check(&e, "faultform-point");
        act(&e, "@assistbt2");
        check(e.pointAssistant(), "assist2form");
        e.pointAssistant()->hide();
        act(&e, "faultlist=Multi-Source1;@assistbt");
        check(e.faultAssistant(), "assistform");
    }

    void okRefusesAnEmptyRangeThenDrawsRebasesTheFieldAndLeavesOneSource() {
        Rig r;
        r.wb.ws.nfault = 3;
        r.wb.ws.gridstale = false;
        r.d.entrymapform();
        act(&r.d, "@needmapcbx;flat2=34");
        const std::string before = r.wb.stored();
        QVERIFY(!r.d.okClicked());
        QCOMPARE(r.wb.inputErrors(), 1);
        QTRY_VERIFY(r.d.box("flat1")->hasFocus());
        QVERIFY(r.d.isVisible());
        QCOMPARE(QString::fromStdString(r.wb.stored()), QString::fromStdString(before));
        QVERIFY(r.steps.isEmpty());
        act(&r.d, "@Projec1;flat1=33.5;flat2=36;flon2=136.25");
        QVERIFY(r.d.okClicked());
        QVERIFY(!r.d.isVisible());
        const WorkState& ws = r.wb.ws;
        QCOMPARE(r.steps.join(","), QString("clear all,draw,list"));
        QVERIFY(ws.needmap && ws.gridstale);
        QCOMPARE(ws.nfault, int16_t(1));
        QCOMPARE(ws.projection, kMercator);
        QCOMPARE(r.wb.ctx.colormode, std::string("map"));
        QCOMPARE(r.wb.overlays, 1);
        // The field spans the map: the whole window is 640 frame units of the
        // map's scale and the data area's edges lie on the map's edges.
        const Projection& p = r.wb.proj;
        QCOMPARE(p.lat1, 33.5f);
        QCOMPARE(ws.rwidth, 640 * p.s);
        QCOMPARE(r.wb.ctx.frame.fieldwidth, ws.rwidth);
        float lat, lon;
        kmtogeo(p, r.wb.ctx.frame, ws.xview0, ws.yview0, lat, lon);
        QVERIFY(std::fabs(lat - 33.5f) < 1e-3 && std::fabs(lon - 134) < 1e-3);
        kmtogeo(p, r.wb.ctx.frame, ws.xview1, ws.yview1, lat, lon);
        QVERIFY(std::fabs(lat - 36) < 1e-3 && std::fabs(lon - 136.25f) < 1e-3);
        // Switched off again: the map goes, the area with it.
        r.wb.ws.areastate = 1;
        r.wb.ws.narea = 4;
        r.d.entrymapform();
        act(&r.d, "@needmapcbx");
        QVERIFY(r.d.okClicked());
        QVERIFY(!ws.needmap && ws.areastate == 0 && ws.narea == 0);
        QCOMPARE(r.wb.ctx.colormode, std::string("nomap"));
        QCOMPARE(r.steps.last(), QString("clear"));
    }
    // Dragged from the south-east: rubberbandrange orders the corners.
    void rubberBandAndNamedRanges() {
        Rig r;
        r.d.entrymapform();
        drag(r.d.preview(), QPointF(400, 300), QPointF(150, 100));
        QStringList v;
        for (const char* f : {"flat1", "flon1", "flat2", "flon2"}) v << r.d.box(f)->text();
        // Inside the previewed range, south-west before north-east, "0.#".
        QVERIFY2(v[0].toFloat() > 34 && v[0].toFloat() < v[2].toFloat() && v[2].toFloat() < 36,
                 qPrintable(v.join(" ")));
        QVERIFY(v[1].toFloat() > 134 && v[1].toFloat() < v[3].toFloat() && v[3].toFloat() < 137);
        for (const QString& t : v) QVERIFY2(t.section('.', 1).size() <= 1, qPrintable(t));
        // Nothing is stored before OK, and a cancelled preview leaves the
        // range alone.
        click(&r.d, "cmdPreview");
        QCOMPARE(r.d.previewProjection().lat1, v[0].toFloat());
        r.d.reject();
        QCOMPARE(r.wb.ws.flat1, 34.0f);
        QCOMPARE(r.wb.proj.s, 0.0f);
        // Named ranges: added, refused when the name exists, chosen, deleted.
        r.d.entrymapform();
        QComboBox* list = r.d.areaList();
        QCOMPARE(list->count(), 1);  // the empty entry only
        QVERIFY(!child<QAbstractButton>(&r.d, "cmdAreaDel")->isEnabled());
        list->setEditText("First");
        act(&r.d, "flat1=34.25;nstep=4;@cmdAreaAdd");
        list->setEditText("Second");
        act(&r.d, "flat1=35");
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);  // adds, keeps the dialog open
        QVERIFY(r.d.isVisible());
        const auto saved = readarealist(r.wb.ws.areapath);
        QCOMPARE(saved.size(), std::size_t(2));
        QCOMPARE(saved[0].flat1, 34.25f);
        QCOMPARE(saved[0].nstep, int16_t(4));
        // A name that exists is refused and cleared.
        list->setEditText("First");
        click(&r.d, "cmdAreaAdd");
        QCOMPARE(r.wb.scripted.messages.back().text, std::string("The Area Name already exists"));
        QCOMPARE(r.wb.scripted.messages.back().title, std::string("Error"));
        QCOMPARE(list->currentText(), QString());
        QCOMPARE(readarealist(r.wb.ws.areapath).size(), std::size_t(2));
        // Choosing an entry shows its range; Del removes it from the file.
        list->setCurrentIndex(1);
        emit list->activated(1);
        expectShown(&r.d, "flat1=34.25;nstep=4");
        click(&r.d, "cmdAreaDel");
        QCOMPARE(list->count(), 2);
        QCOMPARE(readarealist(r.wb.ws.areapath).at(0).name, std::string("Second"));
        QVERIFY(!child<QAbstractButton>(&r.d, "cmdAreaDel")->isEnabled());
    }
    void layerControlsFollowTheDataFiles() {
        Rig r;
        r.wb.ws.faultclass = {true, true, true, true};
        r.wb.ws.needevent = true;
        r.touch("map/vactive2.20");
        r.d.entrymapform();
        for (int k = 0; k < 4; ++k) {
            auto* box = child<QCheckBox>(&r.d, QString("faultcbx%1").arg(k));
            QCOMPARE(box->isEnabled(), k == 1);
            QCOMPARE(box->isChecked(), k == 1);
        }
        for (const char* name :
             {"volcanocbx", "needeventcbx", "setparabt", "chkContour", "chkColor"})
            QVERIFY2(!child<QAbstractButton>(&r.d, name)->isEnabled(), name);
        QVERIFY(child<QAbstractButton>(&r.d, "needmapcbx")->isEnabled());
        // With the catalogue, "Set...." follows the earthquake switch and
        // calls its hook.
        r.touch("catalogue.ep");
        r.wb.ws.vhyppath = r.dir.filePath("catalogue.ep").toStdString();
        int asked = 0;
        r.d.hooks.eventParameters = [&] { ++asked; };
        r.d.entrymapform();
        QVERIFY(child<QAbstractButton>(&r.d, "setparabt")->isEnabled());
        act(&r.d, "@needeventcbx");
        QVERIFY(!child<QAbstractButton>(&r.d, "setparabt")->isEnabled());
        act(&r.d, "@needeventcbx;@setparabt");
        QCOMPARE(asked, 1);
        QFile::remove(r.dir.filePath("map/JAPANV.MAP"));
        r.d.entrymapform();
        QVERIFY(!child<QAbstractButton>(&r.d, "needmapcbx")->isEnabled());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
