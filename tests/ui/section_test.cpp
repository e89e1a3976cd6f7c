// The cross-section dialog against a fake main window (the proposal, the
// refused boxes, a typed line in km and in degrees) and, in the main window,
// the line dragged on the plot, the section window's picture, its note for
// a quantity without contours, its update after an edit and its exports.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/windowhost.h"
#include "fakeworkbench.h"
#include "ui/qpaintersurface.h"
#include "ui/sectiondialog.h"
#include "ui/sectionwindow.h"
#include "windowtestkit.h"

using namespace crustex;
using crustex::test::FakeWorkbench;

namespace {

using test::act;
using test::expectShown;
QLineEdit* box(QWidget* w, const char* name) { return test::child(w, name); }

// Boxes typed over the proposal and the box that must be refused.
struct Refusal {
    const char* name;
    const char* steps;
    const char* refused;
};
const Refusal kRefusals[] = {
    {"not a number", "x1=7a", "x1txt"},
    {"no length", "x0=40;y0=35;x1=40;y1=35", "x1txt"},
    {"upside down", "top=12;bottom=3", "bottomtxt"},
    {"above the surface", "top=-1", "toptxt"},
    {"no spacing", "step=0", "steptxt"},
    {"too many points", "step=0.001", "steptxt"},
    {"negative distance", "within=-2", "withintxt"},
};

}  // namespace

class SectionTest : public QObject {
    Q_OBJECT
private slots:
    void dialogRefusesBadBoxes_data() { test::addRows(kRefusals); }
    void dialogRefusesBadBoxes() {
        QFETCH(int, row);
        const Refusal& r = kRefusals[row];
        FakeWorkbench wb;
        SectionDialog d(wb);
        int accepted = 0;
        d.onAccepted = [&accepted](const SectionChoice&) { ++accepted; };
        d.entry();
        act(&d, r.steps);
        QVERIFY(!d.okClicked());
        QCOMPARE(wb.inputErrors(), 1);
        QLineEdit* refused = box(&d, r.refused);  // its text selected for typing over
        QVERIFY(!refused->text().isEmpty() && refused->selectedText() == refused->text());
        QVERIFY(d.isVisible());
        QCOMPARE(accepted, 0);
        QVERIFY(!d.last());
    }

    void dialogProposesAndAcceptsATypedLine() {
        FakeWorkbench wb;
        SectionDialog d(wb);
        d.entry();
        // Across the middle of the field, every grid spacing.
        expectShown(&d, "x0=20;y0=95;x1=170;y1=95;step=7.5;bottom=20");
        std::optional<SectionChoice> got;
        d.onAccepted = [&got](const SectionChoice& c) { got = c; };
        act(&d, "x0=31.5;y0=140;x1=122;y1=47.25;top=2;bottom=17;step=0.75;within=4.5");
        QVERIFY(d.okClicked());
        QVERIFY(!d.isVisible());
        QVERIFY(got);
        const SectionSpec want{31.5f, 140, 122, 47.25f, 2, 17, 0.75f, 0.75f};
        QVERIFY(got->spec == want);
        QCOMPARE(got->eventwithin, 4.5f);
        // The next opening proposes the last section; a model file's line
        // only comes before the centre line.
        wb.ws.sectiondefault = {true, 1, 2, 3, 4, 0.5f, 9, 0.5f};
        d.entry();
        QCOMPARE(box(&d, "y1txt")->text(), QString("47.25"));
        QCOMPARE(proposesection(wb.ws, std::nullopt).spec,
                 (SectionSpec{1, 2, 3, 4, 0, 9, 0.5f, 0.5f}));
    }

    void dialogTakesDegreesWhileTheMapIsOn() {
        FakeWorkbench wb;
        QVERIFY(setprojection(wb.proj, wb.ws));
        wb.ws.needmap = true;
        SectionDialog d(wb);
        d.entry();
        QVERIFY(box(&d, "x0txt")->text().toFloat() > 30);  // a latitude
        std::optional<SectionChoice> got;
        d.onAccepted = [&got](const SectionChoice& c) { got = c; };
        QVERIFY(d.okClicked());
        QVERIFY(got);
        // The proposal's points through four decimals of a degree and back.
        QVERIFY(std::abs(got->spec.x0 - 20) < 0.02f && std::abs(got->spec.x1 - 170) < 0.02f);
        QVERIFY(std::abs(got->spec.y0 - 95) < 0.02f && std::abs(got->spec.y1 - 95) < 0.02f);
        d.entry();
        act(&d, "x0=91");  // a latitude out of range
        QVERIFY(!d.okClicked());
        QCOMPARE(wb.inputErrors(), 1);
    }

    void lineDraggedOnThePlotAndTheWindow() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        QVERIFY(w.runCommand("sectionmenu"));
        SectionDialog& d = *w.sectionDialog();
        QVERIFY(d.isVisible());
        QTest::mouseClick(d.findChild<QPushButton*>("pickbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(int(r.ws.mousemode), int(kModeSectionLine));
        const PlotFrame& f = w.plot().frame;
        MouseModes& m = w.mouseModes();
        m.press(MouseButton::Left, false, false, toframex(f, 40), toframey(f, 150));
        m.move(toframex(f, 80), toframey(f, 100));
        m.release(MouseButton::Left, toframex(f, 125), toframey(f, 60));
        QVERIFY(d.isVisible());
        QCOMPARE(int(r.ws.mousemode), int(kModeIdle));
        expectShown(&d, "x0=40;y0=150;x1=125;y1=60");
        d.reject();

        // The section window: its picture, its note, its update and exports.
        QVERIFY(w.runCommand("uzmenu"));
        QVERIFY(w.runCommand("sectionmenu"));
        act(&d, "x0=95;y0=70;x1=95;y1=130;top=0;bottom=15;step=1");
        QVERIFY(d.okClicked());
        SectionWindow& s = *w.sectionWindow();
        QVERIFY(s.isVisible());
        QVERIFY(s.section() != nullptr);
        QCOMPARE(s.section()->nodes.distance.size(), std::size_t(61));
        QTRY_VERIFY(test::inked(s.surface().image()) > 2000);
        QVERIFY(s.note()->isHidden());

        // A vector quantity: Displacement Z, and the window says so.
        QVERIFY(w.runCommand("displmenu"));
        QVERIFY(!s.note()->isHidden());
        QVERIFY(s.note()->text().contains("shows Displacement Z"));
        QTRY_VERIFY(test::inked(s.surface().image()) > 2000);

        // An edit evaluates the section again.
        const float before = s.section()->grids.uz(10, 5);
        r.ws.fault[1].slip *= 3;
        r.ws.gridstale = true;
        w.drawOverlay();
        QVERIFY(s.section() != nullptr);
        QVERIFY(before != 0);
        QVERIFY(std::abs(s.section()->grids.uz(10, 5) - 3 * before) <= 1e-5f * std::abs(before));

        // Ctrl-Q during the evaluation leaves no section until the picture
        // is drawn again.
        w.windowHost().beforeProcessEvents = [&r](int) { r.ws.abortflag = true; };
        const auto asked = test::answerNextBox(QMessageBox::Ok);
        r.ws.gridstale = true;
        w.drawOverlay();
        w.windowHost().beforeProcessEvents = nullptr;
        QVERIFY(asked->seen);
        QVERIFY(s.section() == nullptr);
        QVERIFY(s.note()->text().contains("not evaluated"));
        QVERIFY(w.runCommand("redrawmenu"));
        QVERIFY(s.section() != nullptr);

        // The picture (title in the drawing) and the values.
        QString chosen;
        s.askSaveFile = [&chosen](const QString&, const QString&) { return chosen; };
        chosen = r.file("section.svg");
        QVERIFY(s.exportFile());
        QVERIFY(test::readText(chosen).contains("Displacement-Z(UD)"));
        chosen = r.file("section.csv");
        QVERIFY(s.exportFile());
        const QString header = test::readText(chosen).section('\n', 0, 0);
        QVERIFY(header.startsWith("distance_km,depth_km,x_km,y_km,") && header.contains("uz"));
        const QString page = r.file("section.pdf");
        s.printDialog = test::pdfTo(page);
        s.print();
        QVERIFY(QFileInfo(page).size() > 1000);
        s.close();
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(SectionTest)
#include "section_test.moc"
