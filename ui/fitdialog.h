// "Fit to Observations": every parameter of the model's sources in a table,
// each with a Free box and bounds (empty: the fit's own), fitted to the
// displacements observed at the loaded sites by Fit; with a slip model, the
// slips of its patches inverted along a rake by Invert Slip. The result
// (best values with 1 sigma, the misfit before and after, the iterations)
// shows in the dialog; Apply puts it into the model, Revert takes back the
// last Apply exactly. The fit runs in the window's thread and lets pending
// events run after every iteration, so that Cancel (or Ctrl-Q) stops it; a
// stopped, refused or failed fit changes nothing.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <atomic>
#include <optional>

#include "fit/slipinversion.h"
#include "fit/sourcefit.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace crustex {

class Workbench;

class FitDialog : public QDialog {
    Q_OBJECT
public:
    FitDialog(Workbench& wb, QWidget* parent = nullptr);

    // Without observation sites says so and stays closed; else lists the
    // sources' parameters (none free, no result) and shows the dialog.
    void entryfitform();

    // --- Buttons ---
    // Fits the checked parameters: false (nothing to apply) when the fit is
    // refused, fails or is cancelled.
    bool fitClicked();
    bool invertClicked();  // the slip model's slips
    // Puts the last result into the model and redraws; false when the core
    // refuses it.
    bool applyClicked();
    void revertClicked();
    void cancelClicked();  // stops a running fit

    // --- For the window and tests ---
    // The table row of a source's parameter, or -1.
    int row(int source, FitParam p) const;
    // Ticks the Free box of a parameter and sets its bounds ("" for the
    // fit's own); false when the table has no such row.
    bool setFree(int source, FitParam p, bool free, const QString& lower = {},
                 const QString& upper = {});
    QTableWidget* paramTable() const { return table_; }
    QLabel* resultLine() const { return resultlbl_; }
    bool running() const { return cancel_ != nullptr; }
    const std::optional<FitResult>& fitResult() const { return fit_; }
    const std::optional<SlipInversionResult>& inversionResult() const { return inversion_; }

    enum Column { Source, Parameter, Unit, Value, Free, Lower, Upper, Fitted, Sigma, Columns };

protected:
    // Closing the window stops a running fit first.
    void reject() override;

private:
    QWidget* buildSourceFrame();
    QWidget* buildSlipFrame();
    void fillTable();
    void fitColumns();
    // The checked rows as free parameters; false (after the input error)
    // when a bound is no number.
    bool readFree(std::vector<FreeParam>& free);
    // Runs a fit or inversion with the progress and abort turn; without a
    // result (and not cancelled) shows `refusal` and the core's words.
    template <class Run>
    auto runWithProgress(const std::string& what, const std::string& refusal, Run run);
    void progress(const FitProgress& p);
    void setRunning(std::atomic<bool>* cancel);
    void showFitResult();
    void showInversionResult();
    void refuse(const std::string& text);  // a message box
    void redraw();
    void updateButtons();

    Workbench& wb_;
    QTableWidget* table_ = nullptr;
    QSpinBox* startsbox_ = nullptr;
    QWidget* sourceframe_ = nullptr;
    QWidget* slipframe_ = nullptr;
    QLineEdit* rakebox_ = nullptr;
    QLineEdit* smoothingbox_ = nullptr;
    QCheckBox* tworakes_ = nullptr;
    QProgressBar* progressbar_ = nullptr;
    QLabel* resultlbl_ = nullptr;
    QPushButton *fitbt_ = nullptr, *invertbt_ = nullptr, *applybt_ = nullptr, *revertbt_ = nullptr,
                *cancelbt_ = nullptr, *closebt_ = nullptr;

    // The source (1..) and parameter of each table row.
    std::vector<std::pair<int, FitParam>> rows_;
    // The last result (at most one of the two), whether it is in the model,
    // and the model before the last Apply (until Revert).
    std::optional<FitResult> fit_;
    std::optional<SlipInversionResult> inversion_;
    bool applied_ = false;
    struct Saved {
        FaultTable fault{};
        int16_t nfault = 0;
        SlipModel slipmodel;
    };
    std::optional<Saved> saved_;
    std::atomic<bool>* cancel_ = nullptr;  // while a fit runs
    QElapsedTimer turnClock_;              // since the fit began
    qint64 lastTurn_ = -1;                 // ms of the last event turn
};

}  // namespace crustex
