// The line-of-sight dialog against a fake main window, and "Fit to
// Observations" in the main window on the synthetic site example and on the
// example slip model: fitting, Apply and Revert, Cancel, refusals.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "app/windowhost.h"
#include "engine/siteeval.h"
#include "fakeworkbench.h"
#include "siteexample.h"
#include "ui/fitdialog.h"
#include "ui/losdialog.h"

using namespace crustex;

namespace {

// A bad box of the line-of-sight dialog and the words that explain it.
struct BadLos {
    const char* name;
    const char* field;
    const char* text;
    const char* why;  // "" for a text that is no number
};
const BadLos kBadLos[] = {{"heading", "losheading", "400", "heading 400 is not within -360..360"},
                          {"incidence", "losincidence", "90", "incidence 90 is not within 0..90"},
                          {"wavelength", "loswavelength", "0", "wavelength 0 is not within"},
                          {"no number", "losincidence", "3x", ""}};

QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }

// Observations of the work's own model at 6 x 5 sites around the slip model.
void observeOwnModel(WorkState& ws) {
    float x0 = 1e9f, x1 = -1e9f, y0 = 1e9f, y1 = -1e9f;
    for (const SlipPatch& p : ws.slipmodel.patches) {
        x0 = std::min({x0, p.x0, p.x1});
        x1 = std::max({x1, p.x0, p.x1});
        y0 = std::min({y0, p.y0, p.y1});
        y1 = std::max({y1, p.y0, p.y1});
    }
    ws.obskind = "displacement3";
    ws.nsite = 0;
    for (int j = 0; j < 5; ++j) {
        for (int i = 0; i < 6; ++i) {
            siterec& s = ws.site[static_cast<std::size_t>(++ws.nsite)];
            s = siterec{};
            s.x = x0 - 15 + (x1 - x0 + 30) * static_cast<float>(i) / 5;
            s.y = y0 - 15 + (y1 - y0 + 30) * static_cast<float>(j) / 4;
            const PointValues v = calcsitestrain(ws, s.x, s.y, 0);
            s.obsdx = v[0];
            s.obsdy = v[1];
            s.obsdz = v[2];
        }
    }
}

}  // namespace

class GeodesyTest : public QObject {
    Q_OBJECT
private slots:
    void losPresetFillsAndOkStores() {
        test::FakeWorkbench wb;
        LosDialog d(wb);
        d.entrylosform();
        QCOMPARE(d.presetList()->currentText(), QString("Ascending"));
        QCOMPARE(d.box("losheading")->text(), QString("350"));
        d.box("loswavelength")->setText("236.2");
        d.presetList()->setCurrentIndex(1);
        emit d.presetList()->activated(1);
        QCOMPARE(d.box("losheading")->text(), QString("190"));
        QCOMPARE(d.box("losincidence")->text(), QString("34"));
        // OK redraws the picture only when it shows the line of sight.
        for (const char* key : {"uz", "fringes"}) {
            wb.ws.quantitykey = key;
            d.entrylosform();
            d.box("loswavelength")->setText("236.2");
            emit d.presetList()->activated(1);
            QVERIFY(d.okClicked());
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(std::tie(wb.ws.losheading, wb.ws.losincidence, wb.ws.loswavelength),
                 std::make_tuple(190.0f, 34.0f, 236.2f));
        QCOMPARE(std::make_pair(wb.pictures, wb.overlays), std::make_pair(1, 1));
        // Values matching no preset leave the list without an entry.
        wb.ws.losincidence = 41;
        d.entrylosform();
        QCOMPARE(d.presetList()->currentIndex(), -1);
    }
    void losBadValueIsRefusedWithItsReason_data() { test::addRows(kBadLos); }
    void losBadValueIsRefusedWithItsReason() {
        QFETCH(int, row);
        const BadLos& bad = kBadLos[row];
        test::FakeWorkbench wb;
        LosDialog d(wb);
        d.entrylosform();
        const std::string before = wb.stored();
        d.box(bad.field)->setText(bad.text);
        QVERIFY(!d.okClicked());
        QCOMPARE(wb.inputErrors(), 1);
        QCOMPARE(d.box(bad.field)->selectedText(), QString(bad.text));
        QVERIFY2(QString::fromStdString(wb.scripted.lastStatus()).contains(bad.why),
                 wb.scripted.lastStatus().c_str());
        QCOMPARE(wb.stored(), before);
    }
    void losMenuThenFitApplyRevertCancelAndSlipInversion() {
        test::WindowRig r;
        MainWindow& w = *r.w;
        QVERIFY(r.shown());
        QVERIFY(w.runCommand("losparamenu"));
        QVERIFY(w.losDialog()->isVisible());
        button(w.losDialog(), "cancelbt")->click();
        QVERIFY(!w.losDialog()->isVisible());
        // Without sites the fit says what it needs and stays closed.
        const auto needs = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(w.runCommand("fitmenu"));
        QVERIFY(needs->text.contains("observation sites") && !w.fitDialog()->isVisible());

        QVERIFY(test::openSiteExample(r));
        QVERIFY(w.runCommand("uzmenu"));
        r.ws.fault[1].slip = 1500;  // mm; the sites were made with 3000
        r.ws.fault[1].rakeangle = 40;
        markgridstale(r.ws);
        const FaultTable start = r.ws.fault;
        QVERIFY(w.runCommand("fitmenu"));
        FitDialog& d = *w.fitDialog();
        QVERIFY(d.isVisible());
        QCOMPARE(d.paramTable()->rowCount(), 10);
        d.findChild<QSpinBox*>("startsbox")->setValue(2);
        QVERIFY(d.setFree(1, FitParam::Slip, true));
        QVERIFY(d.setFree(1, FitParam::Rake, true, "-90", "90"));

        // Cancel, or Ctrl-Q confirmed, at the first turn of events: no
        // result, nothing changed.
        for (bool ctrlq : {false, true}) {
            const auto seen =
                ctrlq ? test::answerNextBox(QMessageBox::Ok) : std::make_shared<test::SeenBox>();
            w.windowHost().beforeProcessEvents = [&](int) {
                if (!d.running()) return;
                if (ctrlq)
                    r.ws.abortflag = true;
                else
                    QTest::mouseClick(button(&d, "cancelbt"), Qt::LeftButton);
            };
            QVERIFY(!d.fitClicked());
            w.windowHost().beforeProcessEvents = nullptr;
            QCOMPARE(seen->text, QString(ctrlq ? kAbortQuestion : ""));
            QVERIFY(!d.fitResult() && !button(&d, "applybt")->isEnabled());
            QVERIFY(d.resultLine()->text().startsWith("Cancelled"));
            QVERIFY(r.ws.fault == start && !r.ws.abortflag);
        }

        QVERIFY(d.fitClicked());
        QVERIFY(!d.running() && button(&d, "applybt")->isEnabled());
        const FitResult& fit = *d.fitResult();
        QCOMPARE(fit.params.size(), std::size_t(2));  // the two set free
        QVERIFY(
            !d.paramTable()->item(d.row(1, FitParam::Slip), FitDialog::Fitted)->text().isEmpty());
        QVERIFY(d.resultLine()->text().startsWith("RMS"));
        QVERIFY(r.ws.fault == start);  // Fit alone changes nothing

        QVERIFY(d.applyClicked());  // near the truth the sites were made with
        QVERIFY(std::fabs(r.ws.fault[1].slip - 3000) < 100 &&
                std::fabs(r.ws.fault[1].rakeangle) < 5);
        QVERIFY(r.ws.fault[1].fx0 == start[1].fx0);  // a fixed parameter stays
        QVERIFY(!r.ws.gridstale);                    // drawn again
        QVERIFY(!button(&d, "applybt")->isEnabled() && button(&d, "revertbt")->isEnabled());
        QCOMPARE(d.paramTable()->item(d.row(1, FitParam::Slip), FitDialog::Value)->text(),
                 QString::number(r.ws.fault[1].slip / 1000.0, 'g', 6));
        d.revertClicked();
        QVERIFY(r.ws.fault == start);
        QVERIFY(button(&d, "applybt")->isEnabled() && !button(&d, "revertbt")->isEnabled());

        // A bound that is no number stops before the fit (the last result
        // stays); a fit the core refuses shows why and leaves no result.
        QVERIFY(d.setFree(1, FitParam::Dip, true, "1O", "80"));
        auto seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(!d.fitClicked());
        QCOMPARE(seen->text, QString("Input Error"));
        QVERIFY(d.fitResult().has_value());
        QVERIFY(d.setFree(1, FitParam::Dip, true, "-10", "80"));
        seen = test::answerNextBox(QMessageBox::Ok);
        QVERIFY(!d.fitClicked());
        QVERIFY2(seen->text.contains("source 1 dip: bounds -10..80"), qPrintable(seen->text));
        QVERIFY(!d.fitResult() && r.ws.fault == start);
        button(&d, "closebt")->click();

        // The slip of the example slip model inverted from its own sites.
        QVERIFY(test::runWithFile(w, "openfltmenu", test::exampleFile("slip-example.inp")));
        QVERIFY(r.ws.slipmodel.size() > 100);
        observeOwnModel(r.ws);
        for (SlipPatch& p : r.ws.slipmodel.patches) p.slip *= 0.5f;
        const std::vector<SlipPatch> patches = r.ws.slipmodel.patches;
        QVERIFY(w.runCommand("fitmenu"));
        QVERIFY(d.findChild<QWidget*>("slipframe")->isEnabled());
        d.findChild<QLineEdit*>("smoothingtxt")->setText("0.01");
        QVERIFY(d.invertClicked());
        const SlipInversionResult& inv = *d.inversionResult();
        QVERIFY2(inv.rmsafter < 0.05 * inv.rmsbefore,
                 qPrintable(QString("%1 -> %2").arg(inv.rmsbefore).arg(inv.rmsafter)));
        QVERIFY(d.resultLine()->text().contains("Mw"));
        QVERIFY(d.applyClicked());
        QVERIFY(r.ws.slipmodel.patches != patches);
        d.revertClicked();
        QVERIFY(r.ws.slipmodel.patches == patches);
        button(&d, "closebt")->click();
    }
};

QTEST_MAIN(GeodesyTest)
#include "geodesy_test.moc"
