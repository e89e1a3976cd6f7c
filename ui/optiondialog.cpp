#include "ui/optiondialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/host.h"
#include "model/inputcheck.h"
#include "model/numtext.h"
#include "ui/dialogkit.h"
#include "ui/workbench.h"

namespace crustex {

namespace {

struct RowText {
    const char* caption;
    const char* boxname;
    const char* message;  // shown before the file dialog; null for none
    const char* title;
    const char* filter;
    bool directory;  // the box takes the chosen file's directory
};

constexpr RowText kRows[4] = {
    {"Map File Directory", "mappathtxt", "Choose 'japanv.map' to Decide the Directory",
     "Choose 'Japanv map'", "Map File(*.map)|*.map", true},
    {"Area File Directory", "areapathtxt", "Choose 'fixarea.lst' to Decide the Directory",
     "Choose 'fixarea.lst'", "Map File(*.lst)|*.lst", true},
    {"Seis-PC Directory", "seispathtxt", "Choose 'seis95.exe' to Decide the Directory",
     "Choose 'seis95.exe'", "Execute File(*.exe)|*.exe", true},
    {"VHYP File Path", "vhyppathtxt", nullptr, "Choose VHYP File",
     "VHYP File(*.hyp;*.ep)|*.hyp;*.ep", false},
};

}  // namespace

QString withtrailingslash(const QString& dir) {
    if (dir.isEmpty() || dir.endsWith('/')) return dir;
    return dir + '/';
}

OptionDialog::OptionDialog(Workbench& wb, QWidget* parent) : QDialog(parent), wb_(wb) {
    setObjectName("setfileform");
    setWindowTitle("Option");
    chooseFile = [this](const QString& title, const QString& filter, const QString& dir) {
        return QFileDialog::getOpenFileName(this, title, dir, filter);
    };

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("TabStrip1");

    // Paths page.
    auto* pathsPage = new QWidget(tabs_);
    pathsPage->setObjectName("PathFrame");
    auto* grid = new QGridLayout(pathsPage);
    grid->setColumnStretch(1, 1);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(makeCaption(pathsPage, kRows[r].caption), r, 0);
        auto* box = new QLineEdit(pathsPage);
        box->setObjectName(kRows[r].boxname);
        box->setMinimumWidth(320);
        grid->addWidget(box, r, 1);
        QPushButton* b = makeButton(pathsPage, "Refer....", QString("cmdRefer%1").arg(r));
        grid->addWidget(b, r, 2);
        paths_[r] = box;
        refer_[r] = b;
        connect(b, &QPushButton::clicked, this, [this, r] { referClicked(static_cast<Row>(r)); });
    }
    grid->setRowStretch(4, 1);
    tabs_->addTab(pathsPage, "Directories");

    // Options page.
    auto* optionsPage = new QWidget(tabs_);
    auto* optionsLayout = new QVBoxLayout(optionsPage);
    auto* frame =
        new QGroupBox("File Format put out by [File]-[Store Strains...] command", optionsPage);
    frame->setObjectName("OptionFrame");
    auto* frameLayout = new QVBoxLayout(frame);
    format9_ = new QRadioButton("Nine Strain Components", frame);
    format9_->setObjectName("optStrformat1");
    format4_ = new QRadioButton("Dilatant, Volumetric and Maximum Shear Strain, delta_CFF", frame);
    format4_->setObjectName("optStrformat2");
    frameLayout->addWidget(format9_);
    frameLayout->addWidget(format4_);
    optionsLayout->addWidget(frame);
    optionsLayout->addStretch(1);
    tabs_->addTab(optionsPage, "Options");
    tabs_->addTab(buildStressPage(), "Stress");

    QPushButton* ok = makeButton(this, "OK", "okbt");
    QPushButton* cancel = makeButton(this, "Cancel", "cancelbt");
    ok->setDefault(true);
    QHBoxLayout* buttons = buttonRow({ok, cancel});
    connect(ok, &QPushButton::clicked, this, &OptionDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(paths_[0], refer_[0]);
    for (int r = 1; r < 4; ++r) {
        setTabOrder(refer_[r - 1], paths_[r]);
        setTabOrder(paths_[r], refer_[r]);
    }
}

QWidget* OptionDialog::buildStressPage() {
    stressPage_ = new QWidget(tabs_);
    auto* page = new QVBoxLayout(stressPage_);
    auto* units = new QGroupBox("Unit of Stresses (delta CFF, Receivers)", stressPage_);
    auto* unitLayout = new QVBoxLayout(units);
    constexpr const char* kUnits[3][2] = {{"10E-6 (Stress / Rigidity)", "unitrigidityobt"},
                                          {"bar", "unitbarobt"},
                                          {"MPa", "unitmpaobt"}};
    for (std::size_t k = 0; k < unit_.size(); ++k) {
        unit_[k] = new QRadioButton(kUnits[k][0], units);
        unit_[k]->setObjectName(kUnits[k][1]);
        unitLayout->addWidget(unit_[k]);
    }
    page->addWidget(units);
    auto* medium = new QGroupBox("Elastic Medium", stressPage_);
    auto* g = new QGridLayout(medium);
    moduli_.add("young", addBoxRow(g, 0, "Young's Modulus", "youngtxt", "bar"));
    moduli_.add("poisson", addBoxRow(g, 1, "Poisson's Ratio", "poissontxt", ""));
    shear_ = new QLabel(medium);
    shear_->setObjectName("shearlbl");
    g->addWidget(shear_, 2, 0, 1, 3);
    for (const char* field : {"young", "poisson"})
        connect(moduli_.box(field), &QLineEdit::textChanged, this, [this] { showShearModulus(); });
    page->addWidget(medium);
    page->addStretch(1);
    return stressPage_;
}

void OptionDialog::showShearModulus() {
    float young = 0, poisson = 0;
    const bool ok =
        !checkinput(moduli_.text("young"), rulefor(DialogKind::Medium, "young"), young) &&
        !checkinput(moduli_.text("poisson"), rulefor(DialogKind::Medium, "poisson"), poisson);
    // mu = E / (2 (1 + nu)); 1 GPa is 1e4 bar.
    const double mu = ok ? shearmodulus(Medium{poisson, young}) : 0;
    shear_->setText(
        ok ? qstr("Shear Modulus " + generalform(static_cast<float>(mu * 1e-4)) + " GPa")
           : QString("Shear Modulus -"));
}

void OptionDialog::entrysetfileform() {
    const WorkState& ws = wb_.state();
    paths_[MapRow]->setText(qstr(ws.mappath));
    paths_[AreaRow]->setText(qstr(ws.areapath));
    paths_[SeisRow]->setText(qstr(ws.seispath));
    paths_[VhypRow]->setText(qstr(ws.vhyppath));
    (ws.strformat9 ? format9_ : format4_)->setChecked(true);
    unit_[static_cast<std::size_t>(ws.stressunit)]->setChecked(true);
    moduli_.setText("young", generalform(ws.medium.young));
    moduli_.setText("poisson", generalform(ws.medium.poisson));
    tabs_->setCurrentIndex(0);
    showModal(this);
}

void OptionDialog::referClicked(Row row) {
    const RowText& t = kRows[row];
    if (t.message) {
        wb_.host().messageBox(t.message, "Information", MsgIcon::Information, MsgButtons::Ok);
    }
    const QString current = paths_[row]->text();
    const QString startdir = t.directory ? current : QFileInfo(current).absolutePath();
    const QString chosen =
        chooseFile ? chooseFile(t.title, qtfilter(t.filter), startdir) : QString();
    if (chosen.isEmpty()) return;  // cancelled: the box keeps its text
    if (t.directory) {
        paths_[row]->setText(withtrailingslash(QFileInfo(chosen).absolutePath()));
    } else {
        paths_[row]->setText(chosen);
    }
}

bool OptionDialog::okClicked() {
    WorkState& ws = wb_.state();
    FieldValues values;
    const FormCheck check = checkdialog(DialogKind::Medium, moduli_.boxtext(), values);
    if (!check.ok()) {
        tabs_->setCurrentWidget(stressPage_);
        moduli_.rejected(check, wb_.host());
        return false;
    }
    const Medium medium{values.get("poisson"), values.get("young")};
    StressUnit unit = StressUnit::Rigidity;
    for (std::size_t k = 0; k < unit_.size(); ++k)
        if (unit_[k]->isChecked()) unit = static_cast<StressUnit>(k);
    const bool redraw = medium != ws.medium || unit != ws.stressunit;
    // Poisson's ratio enters the solutions themselves.
    if (medium != ws.medium) markgridstale(ws);
    ws.medium = medium;
    ws.stressunit = unit;
    for (Row r : {MapRow, AreaRow, SeisRow}) {
        paths_[r]->setText(withtrailingslash(paths_[r]->text()));
    }
    ws.mappath = sstr(paths_[MapRow]->text());
    ws.areapath = sstr(paths_[AreaRow]->text());
    ws.seispath = sstr(paths_[SeisRow]->text());
    ws.vhyppath = sstr(paths_[VhypRow]->text());
    ws.strformat9 = format9_->isChecked();
    hide();
    if (redraw) ws.quantitykey.empty() ? wb_.drawOverlay() : wb_.drawPicture();
    return true;
}

}  // namespace crustex
