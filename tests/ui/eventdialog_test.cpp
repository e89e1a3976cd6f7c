// The "Event Parameters" dialog through its widgets: the texts it opens
// with, the checks of OK in their order with the box that gets the focus,
// and Cancel storing nothing.
#include "ui/eventdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "fakeworkbench.h"

using namespace crustex;
using crustex::test::FakeWorkbench;

namespace {

// Types "box=text;..." into the dialog's boxes.
void type(EventDialog& d, const char* steps) {
    for (const QString& step : QString(steps).split(';'))
        d.box(step.section('=', 0, 0).toStdString())->setText(step.section('=', 1));
}

}  // namespace

class EventDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheSelectionAndStoresOk() {
        FakeWorkbench wb;
        wb.ws.eventend = {2011, 3, 11, 14, 46, 0};
        wb.ws.mag0 = 2.5f;
        EventDialog d(wb);
        QCOMPARE(d.windowTitle(), QString("Event Parameters"));
        d.entryeventform();
        for (const auto& [box, text] : {std::pair{"yr0", "1995"},
                                        {"mon1", "03"},
                                        {"min1", "46"},
                                        {"dep1", "100.0"},
                                        {"mag0", "2.5"}})
            QCOMPARE(d.box(box)->text(), QString(text));
        QSignalSpy stored(&d, &EventDialog::stored);
        type(d, "yr0=2004;mon0=10;day0=23;hr0=17;min0=56;dep0=3.5;mag1=7.25");
        QTest::mouseClick(d.findChild<QPushButton*>("okbt"), Qt::LeftButton);
        QCOMPARE(stored.count(), 1);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.ws.eventstart, (DateTime{2004, 10, 23, 17, 56, 0}));
        QCOMPARE(wb.ws.eventend, (DateTime{2011, 3, 11, 14, 46, 0}));
        QCOMPARE(wb.ws.dep0, 3.5f);
        QCOMPARE(wb.ws.mag1, 7.25f);
        QCOMPARE(wb.inputErrors(), 0);
    }

    void rejectsInOrderAndFocusesTheBadBox() {
        const struct {
            const char* steps;  // field=text pairs
            const char* focused;
        } cases[] = {
            {"dep1=1000.5;mag0=-6;yr0=1995;day0=32", "dep1"},
            {"mag0=-6;day0=32", "mag0"},
            {"mag1=abc", "mag1"},
            {"day0=32;mon1=13", "yr0"},
            {"mon0=2;day0=29", "yr0"},  // 1995 is no leap year
            {"hr1=24", "yr1"},
            {"min1=6.5", "yr1"},
        };
        for (const auto& c : cases) {
            FakeWorkbench wb;
            const std::string before = wb.stored();
            EventDialog d(wb);
            d.entryeventform();
            type(d, c.steps);
            QVERIFY(!d.okClicked());
            QCOMPARE(wb.inputErrors(), 1);
            QLineEdit* bad = d.box(c.focused);
            QTRY_VERIFY2(bad->hasFocus(), c.steps);
            QCOMPARE(bad->selectedText(), bad->text());
            QVERIFY(d.isVisible());
            QCOMPARE(wb.stored(), before);
        }
    }

    void cancelStoresNothingAndAcceptsAnEndBeforeTheStart() {
        FakeWorkbench wb;
        const std::string before = wb.stored();
        EventDialog d(wb);
        d.entryeventform();
        type(d, "yr0=2020");
        QTest::mouseClick(d.findChild<QPushButton*>("cancelbt"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(wb.stored(), before);

        d.entryeventform();
        QCOMPARE(d.box("yr0")->text(), QString("1995"));
        type(d, "yr0=2020");
        QVERIFY(d.okClicked());
        QCOMPARE(wb.ws.eventstart.year, int16_t{2020});
    }
};

QTEST_MAIN(EventDialogTest)
#include "eventdialog_test.moc"
