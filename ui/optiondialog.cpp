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

void OptionDialog::entrysetfileform() {
    const WorkState& ws = wb_.state();
    paths_[MapRow]->setText(qstr(ws.mappath));
    paths_[AreaRow]->setText(qstr(ws.areapath));
    paths_[SeisRow]->setText(qstr(ws.seispath));
    paths_[VhypRow]->setText(qstr(ws.vhyppath));
    (ws.strformat9 ? format9_ : format4_)->setChecked(true);
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

void OptionDialog::okClicked() {
    WorkState& ws = wb_.state();
    for (Row r : {MapRow, AreaRow, SeisRow}) {
        paths_[r]->setText(withtrailingslash(paths_[r]->text()));
    }
    ws.mappath = sstr(paths_[MapRow]->text());
    ws.areapath = sstr(paths_[AreaRow]->text());
    ws.seispath = sstr(paths_[SeisRow]->text());
    ws.vhyppath = sstr(paths_[VhypRow]->text());
    ws.strformat9 = format9_->isChecked();
    hide();
}

}  // namespace crustex
