#include "ui/fitdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "model/inputcheck.h"
#include "model/numtext.h"
#include "ui/dialogkit.h"
#include "ui/inputerror.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

constexpr const char* kTitle = "Fit to Observations";
constexpr const char* kNoFit = "The fit cannot be made: ";
constexpr int kDefaultStarts = 8;
// The window gets a turn of events at most this often (ms): the iterations
// of a small fit take far less.
constexpr qint64 kTurnInterval = 50;

constexpr FitParam kAllParams[] = {FitParam::East,    FitParam::North, FitParam::Depth,
                                   FitParam::Strike,  FitParam::Dip,   FitParam::Rake,
                                   FitParam::Length,  FitParam::Width, FitParam::Slip,
                                   FitParam::Opening, FitParam::Volume};

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

// The decimals that show two digits of a 1 sigma (3 without one).
int sigmadecimals(double sigma) {
    if (!std::isfinite(sigma) || sigma <= 0) return 3;
    return std::clamp(1 - static_cast<int>(std::floor(std::log10(sigma))), 0, 6);
}

QString mm(double v) { return QString::number(v, 'g', 3) + " mm"; }

QString misfit(double before, double after, int components) {
    return "RMS " + mm(before) + " before, " + mm(after) + " after (" +
           QString::number(components) + " components)";
}

}  // namespace

FitDialog::FitDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("fitform");
    setWindowTitle(kTitle);

    progressbar_ = new QProgressBar(this);
    progressbar_->setObjectName("fitprogress");
    progressbar_->setRange(0, 1);
    progressbar_->setValue(0);
    cancelbt_ = makeButton(this, "Cancel", "cancelbt");
    auto* run = new QHBoxLayout;
    run->addWidget(progressbar_, 1);
    run->addWidget(cancelbt_);
    resultlbl_ = makeCaption(this, "");
    resultlbl_->setObjectName("resultlbl");
    resultlbl_->setWordWrap(true);
    resultlbl_->setMinimumHeight(2 * resultlbl_->fontMetrics().lineSpacing() + 4);

    applybt_ = makeButton(this, "Apply", "applybt");
    revertbt_ = makeButton(this, "Revert", "revertbt");
    closebt_ = makeButton(this, "Close", "closebt");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSourceFrame());
    layout->addWidget(buildSlipFrame());
    layout->addLayout(run);
    layout->addWidget(resultlbl_);
    layout->addLayout(buttonRow({applybt_, revertbt_, closebt_}));

    connect(fitbt_, &QPushButton::clicked, this, &FitDialog::fitClicked);
    connect(invertbt_, &QPushButton::clicked, this, &FitDialog::invertClicked);
    connect(applybt_, &QPushButton::clicked, this, &FitDialog::applyClicked);
    connect(revertbt_, &QPushButton::clicked, this, &FitDialog::revertClicked);
    connect(cancelbt_, &QPushButton::clicked, this, &FitDialog::cancelClicked);
    connect(closebt_, &QPushButton::clicked, this, &FitDialog::reject);
    // Ctrl-Q asks to abort, as during the other long work.
    connect(new QShortcut(QKeySequence("Ctrl+Q"), this), &QShortcut::activated, this, [this] {
        if (running()) wb_.state().abortflag = true;
    });
    updateButtons();
}

QWidget* FitDialog::buildSourceFrame() {
    auto* sources = new QGroupBox("Source Parameters", this);
    sourceframe_ = sources;
    sources->setObjectName("sourceframe");
    auto* sg = new QVBoxLayout(sources);
    table_ = new QTableWidget(0, Columns, sources);
    table_->setObjectName("paramtable");
    table_->setHorizontalHeaderLabels({"Source", "Parameter", "Unit", "Value", "Free", "Lower",
                                       "Upper", "Fitted", QString::fromUtf8("\u00b1 1\u03c3")});
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setMinimumSize(640, 300);
    sg->addWidget(table_);
    auto* starts = new QHBoxLayout;
    starts->addWidget(makeCaption(sources, "Bounds left empty are the fit's own.   Starts"));
    startsbox_ = new QSpinBox(sources);
    startsbox_->setObjectName("startsbox");
    startsbox_->setRange(1, 64);
    startsbox_->setValue(kDefaultStarts);
    starts->addWidget(startsbox_);
    starts->addStretch(1);
    fitbt_ = makeButton(sources, "Fit", "fitbt");
    starts->addWidget(fitbt_);
    sg->addLayout(starts);
    return sources;
}

QWidget* FitDialog::buildSlipFrame() {
    auto* frame = new QGroupBox("Slip Model", this);
    frame->setObjectName("slipframe");
    auto* g = new QGridLayout(frame);
    rakebox_ = addBoxRow(g, 0, "Rake", "raketxt", "degrees");
    tworakes_ = new QCheckBox(QString::fromUtf8("Two Rakes (\u00b145\u00b0)"), frame);
    tworakes_->setObjectName("tworakescbx");
    g->addWidget(tworakes_, 0, 3);
    smoothingbox_ = addBoxRow(g, 1, "Smoothing Weight", "smoothingtxt", "");
    invertbt_ = makeButton(frame, "Invert Slip", "invertbt");
    g->addWidget(invertbt_, 1, 3);
    g->setColumnStretch(4, 1);
    slipframe_ = frame;
    return frame;
}

void FitDialog::entryfitform() {
    const WorkState& ws = wb_.state();
    if (ws.nsite == 0) {
        wb_.host().messageBox(
            "The fit needs observation sites: open a site file with displacements first "
            "(File - Open Obs. Sites....).",
            kTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    fit_.reset();
    inversion_.reset();
    saved_.reset();
    applied_ = false;
    resultlbl_->clear();
    progressbar_->setValue(0);
    fillTable();
    sourceframe_->setVisible(!rows_.empty());
    slipframe_->setEnabled(!ws.slipmodel.empty());
    rakebox_->setText(
        ws.slipmodel.empty()
            ? "90"
            : qstr(generalform(std::round(ws.slipmodel.patches.front().rake * 10) / 10)));
    smoothingbox_->setText("0");
    updateButtons();
    adjustSize();
    showModal(this);
}

void FitDialog::fillTable() {
    const WorkState& ws = wb_.state();
    rows_.clear();
    table_->setRowCount(0);
    for (int k = 1; k <= ws.nfault && k <= kMaxSources; ++k) {
        const FitSource s = fitsourceof(ws.fault[static_cast<std::size_t>(k)]);
        const QString source =
            QString::number(k) + (s.shape == FitSource::Shape::Point ? " point" : " fault");
        for (FitParam p : kAllParams) {
            if (!s.has(p)) continue;
            const int r = table_->rowCount();
            table_->insertRow(r);
            rows_.emplace_back(k, p);
            table_->setItem(r, Source, fixedItem(source));
            table_->setItem(r, Parameter, fixedItem(qstr(std::string(fitparamname(p)))));
            table_->setItem(r, Unit, fixedItem(qstr(std::string(fitparamunit(p)))));
            table_->setItem(r, Value, fixedItem(QString::number(s[p], 'g', 6)));
            auto* free = new QTableWidgetItem;
            free->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            free->setCheckState(Qt::Unchecked);
            table_->setItem(r, Free, free);
            table_->setItem(r, Lower, new QTableWidgetItem);
            table_->setItem(r, Upper, new QTableWidgetItem);
            table_->setItem(r, Fitted, fixedItem(""));
            table_->setItem(r, Sigma, fixedItem(""));
        }
    }
    fitColumns();
}

void FitDialog::fitColumns() {
    table_->resizeColumnsToContents();
    // Room to type the bounds.
    for (int column : {Lower, Upper}) table_->setColumnWidth(column, 90);
}

int FitDialog::row(int source, FitParam p) const {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r] == std::make_pair(source, p)) return static_cast<int>(r);
    }
    return -1;
}

bool FitDialog::setFree(int source, FitParam p, bool free, const QString& lower,
                        const QString& upper) {
    const int r = row(source, p);
    if (r < 0) return false;
    table_->item(r, Free)->setCheckState(free ? Qt::Checked : Qt::Unchecked);
    table_->item(r, Lower)->setText(lower);
    table_->item(r, Upper)->setText(upper);
    return true;
}

bool FitDialog::readFree(std::vector<FreeParam>& free) {
    for (int r = 0; r < table_->rowCount(); ++r) {
        if (table_->item(r, Free)->checkState() != Qt::Checked) continue;
        const auto [source, param] = rows_[static_cast<std::size_t>(r)];
        FreeParam f{{FitTarget::Kind::Source, source}, param, {}, {}};
        for (int column : {Lower, Upper}) {
            const QString text = table_->item(r, column)->text().trimmed();
            if (text.isEmpty()) continue;
            float v = 0;
            if (!parsenumber(sstr(text), v)) {
                table_->setCurrentCell(r, column);
                wb_.host().explain(
                    explanation("Input Error", "",
                                "the " + std::string(column == Lower ? "lower" : "upper") +
                                    " bound of " + std::to_string(source) + " " +
                                    std::string(fitparamname(param)) + " is no number"));
                inputerror(nullptr, wb_.host());
                return false;
            }
            (column == Lower ? f.lower : f.upper) = v;
        }
        free.push_back(f);
    }
    return true;
}

void FitDialog::setRunning(std::atomic<bool>* cancel) {
    cancel_ = cancel;
    updateButtons();
}

void FitDialog::updateButtons() {
    const bool idle = !running();
    const bool result = fit_ || inversion_;
    table_->setEnabled(idle);
    startsbox_->setEnabled(idle);
    fitbt_->setEnabled(idle);
    invertbt_->setEnabled(idle);
    applybt_->setEnabled(idle && result && !applied_);
    revertbt_->setEnabled(idle && saved_.has_value());
    closebt_->setEnabled(idle);
    cancelbt_->setEnabled(!idle);
}

template <class Run>
auto FitDialog::runWithProgress(const std::string& what, const std::string& refusal, Run run) {
    WorkState& ws = wb_.state();
    Host& host = wb_.host();
    std::atomic<bool> cancel{false};
    fit_.reset();
    inversion_.reset();
    applied_ = false;
    resultlbl_->setText(qstr(what + "..."));
    progressbar_->setRange(0, 1);
    progressbar_->setValue(0);
    host.setStatus(what);
    ws.abortflag = false;
    lastTurn_ = -1;
    setRunning(&cancel);
    const auto result = run(&cancel, [this](const FitProgress& p) { progress(p); });
    setRunning(nullptr);
    ws.abortflag = false;
    host.setStatus("");
    progressbar_->setValue(progressbar_->maximum());
    if (!result.ok) {
        resultlbl_->setText(cancel.load() ? "Cancelled: the model is unchanged."
                                          : qstr("No result: " + result.message));
        if (!cancel.load()) refuse(refusal + result.message);
    }
    return result;
}

void FitDialog::progress(const FitProgress& p) {
    if (lastTurn_ < 0) turnClock_.start();
    const qint64 now = turnClock_.elapsed();
    if (lastTurn_ >= 0 && now - lastTurn_ < kTurnInterval) return;
    lastTurn_ = now;
    progressbar_->setRange(0, p.starts);
    progressbar_->setValue(p.start - 1);
    Host& host = wb_.host();
    host.showProgress(p.start - 1, p.starts);
    if (abortrequested(host, wb_.state().abortflag) && cancel_) cancel_->store(true);
}

void FitDialog::cancelClicked() {
    if (cancel_) cancel_->store(true);
}

void FitDialog::refuse(const std::string& text) {
    wb_.host().messageBox(text + ".", kTitle, MsgIcon::Exclamation, MsgButtons::Ok);
}

bool FitDialog::fitClicked() {
    if (running()) return false;
    FitRequest req;
    if (!readFree(req.free)) return false;
    if (req.free.empty()) {
        refuse(kNoFit + std::string("no parameter is free (tick Free beside those to fit)"));
        return false;
    }
    req.starts = startsbox_->value();
    const std::string what = "Fitting " + std::to_string(req.free.size()) + " parameters from " +
                             std::to_string(req.starts) + " starts";
    FitResult r = runWithProgress(what, kNoFit, [&](std::atomic<bool>* cancel, auto progress) {
        req.cancel = cancel;
        req.progress = progress;
        return fitsources(wb_.state(), req);
    });
    for (int k = 0; k < table_->rowCount(); ++k) {
        table_->item(k, Fitted)->setText("");
        table_->item(k, Sigma)->setText("");
    }
    if (r.ok) {
        fit_ = std::move(r);
        showFitResult();
    }
    updateButtons();
    return fit_.has_value();
}

void FitDialog::showFitResult() {
    const FitResult& r = *fit_;
    for (const FittedParam& p : r.params) {
        const int k = row(p.target.index, p.param);
        if (k < 0) continue;
        const int decimals = sigmadecimals(p.sigma);
        table_->item(k, Fitted)->setText(QString::number(p.value, 'f', decimals) +
                                         (p.atbound ? " (bound)" : ""));
        table_->item(k, Sigma)->setText(QString::number(p.sigma, 'f', decimals));
    }
    fitColumns();
    QString text = misfit(r.rmsbefore, r.rmsafter, r.observations) + "; reduced chi-square " +
                   QString::number(r.chi2reduced, 'g', 3) + "; " + QString::number(r.iterations) +
                   " iterations (best of " + QString::number(r.starts) + " starts)";
    if (!r.sigmasgiven) text += QString::fromUtf8("; 1\u03c3 scaled by the reduced chi-square");
    resultlbl_->setText(text + ".");
}

bool FitDialog::invertClicked() {
    if (running()) return false;
    const WorkState& ws = wb_.state();
    SlipInversionRequest req;
    float rake = 0, smoothing = 0;
    for (auto [box, value] : {std::pair{rakebox_, &rake}, std::pair{smoothingbox_, &smoothing}}) {
        if (!parsenumber(sstr(box->text()), *value)) {
            inputerror(box, wb_.host());
            return false;
        }
    }
    req.rake = rake;
    req.smoothing = smoothing;
    req.tworakes = tworakes_->isChecked();
    const std::string what = "Inverting the slip of " + std::to_string(ws.slipmodel.size()) +
                             (ws.slipmodel.size() == 1 ? " patch" : " patches");
    SlipInversionResult r = runWithProgress(
        what, "The slip cannot be inverted: ", [&](std::atomic<bool>* cancel, auto progress) {
            req.cancel = cancel;
            req.progress = progress;
            return invertslip(ws, req);
        });
    if (r.ok) {
        inversion_ = std::move(r);
        showInversionResult();
    }
    updateButtons();
    return inversion_.has_value();
}

void FitDialog::showInversionResult() {
    const SlipInversionResult& r = *inversion_;
    QString text = "Slip of " + QString::number(r.inverted) +
                   " patches: " + misfit(r.rmsbefore, r.rmsafter, r.observations) + "; moment " +
                   QString::number(r.moment, 'g', 3) + " N m";
    if (std::isfinite(r.mw)) text += " (Mw " + QString::number(r.mw, 'f', 2) + ")";
    resultlbl_->setText(text + "; " + QString::number(r.iterations) + " iterations.");
}

bool FitDialog::applyClicked() {
    if (running() || applied_ || !(fit_ || inversion_)) return false;
    WorkState& ws = wb_.state();
    Saved before{ws.fault, ws.nfault, ws.slipmodel};
    const std::string why = fit_ ? applyfit(ws, *fit_) : applyslipinversion(ws, *inversion_);
    if (!why.empty()) {
        refuse("The result cannot be applied: " + why);
        return false;
    }
    saved_ = std::move(before);
    applied_ = true;
    redraw();
    return true;
}

void FitDialog::revertClicked() {
    if (running() || !saved_) return;
    WorkState& ws = wb_.state();
    ws.fault = saved_->fault;
    ws.nfault = saved_->nfault;
    ws.slipmodel = std::move(saved_->slipmodel);
    saved_.reset();
    applied_ = false;
    markgridstale(ws);
    redraw();
}

void FitDialog::redraw() {
    const WorkState& ws = wb_.state();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const auto [k, p] = rows_[r];
        const double v = fitsourceof(ws.fault[static_cast<std::size_t>(k)])[p];
        table_->item(static_cast<int>(r), Value)->setText(QString::number(v, 'g', 6));
    }
    updateButtons();
    if (ws.quantitykey.empty())
        wb_.drawOverlay();
    else
        wb_.drawPicture();
}

void FitDialog::reject() {
    if (running()) {
        cancelClicked();
        return;
    }
    QDialog::reject();
    wb_.drawOverlay();
}

}  // namespace crustex
