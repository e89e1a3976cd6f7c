#include "app/mainwindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/qthost.h"

namespace crustex {

MainWindow::MainWindow(WorkState& ws, QWidget* parent) : QMainWindow(parent), ws_(ws) {
    setWindowTitle("CRUSTEX");
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    graphpbx_ = new QWidget(central);
    graphpbx_->setObjectName("graphpbx");
    graphpbx_->setAutoFillBackground(true);
    QPalette pal = graphpbx_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    graphpbx_->setPalette(pal);
    graphpbx_->setMinimumSize(320, 255);
    layout->addWidget(graphpbx_, 1);

    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(2, 2, 2, 2);
    infopbx_ = new QLabel(central);
    infopbx_->setObjectName("infopbx");
    infopbx_->setFrameShape(QFrame::Panel);
    infopbx_->setFrameShadow(QFrame::Sunken);
    locpbx_ = new QLabel(central);
    locpbx_->setObjectName("locpbx");
    locpbx_->setFrameShape(QFrame::Panel);
    locpbx_->setFrameShadow(QFrame::Sunken);
    locpbx_->setFixedWidth(170);
    strip->addWidget(infopbx_, 1);
    strip->addWidget(locpbx_);
    layout->addLayout(strip);
    setCentralWidget(central);

    host_ = std::make_unique<QtHost>(this, infopbx_, [this](bool on) {
        for (const char* caption : {"File", "Edit", "Execute", "Parameter", "Tool"}) {
            if (QMenu* m = topMenus_.value(caption)) m->menuAction()->setEnabled(on);
        }
    });
    buildMenus();
    resize(900, 760);
}

MainWindow::~MainWindow() = default;

Host& MainWindow::host() { return *host_; }

QAction* MainWindow::addItem(QMenu* menu, const QString& name, const QString& caption,
                             const QKeySequence& key) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    actions_.insert(name, a);
    return a;
}

void MainWindow::buildMenus() {
    auto top = [this](const QString& caption, const QString& name) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        topMenus_.insert(caption, m);
        return m;
    };
    auto sub = [this](QMenu* parent, const QString& caption, const QString& name) {
        QMenu* m = parent->addMenu(caption);
        m->setObjectName(name);
        actions_.insert(name, m->menuAction());
        return m;
    };

    QMenu* file = top("File", "filemenu");
    addItem(file, "openfltmenu", "Open Source....", QKeySequence("Ctrl+O"));
    addItem(file, "openobsmenu", "Open Obs. Sites....");
    file->addSeparator();
    addItem(file, "storefltmenu", "Store Source...");
    addItem(file, "storemapmenu", "Store Source with Map....");
    addItem(file, "storestrmenu", "Store Strains....");
    addItem(file, "storeobsmenu", "Store Strains (Obs. site)...");
    file->addSeparator();
    addItem(file, "setprnmenu", "Printer Setting...");
    addItem(file, "printmenu", "Print....", QKeySequence("Ctrl+P"));
    file->addSeparator();
    addItem(file, "resumemenu", "Resume Last Work...", QKeySequence("Ctrl+L"));
    file->addSeparator();
    addItem(file, "quitmenu", "Quit");

    QMenu* edit = top("Edit", "editmenu");
    addItem(edit, "copymenu", "Copy Picture", QKeySequence("Ctrl+C"));
    addItem(edit, "pastemenu", "Paste Background", QKeySequence("Ctrl+V"));
    addItem(edit, "clearmenu", "Clear Picture", QKeySequence("Ctrl+X"));

    QMenu* exec = top("Execute", "execmenu");
    QMenu* contour = sub(exec, "Contour", "contourmenu");
    addItem(contour, "cffmenu", "delta CFF", QKeySequence("F5"));
    contour->addSeparator();
    addItem(contour, "uxmenu", "Displacement X");
    addItem(contour, "uymenu", "Displacement Y");
    addItem(contour, "uzmenu", "Displacement Z");
    addItem(contour, "cmpdisplmenu", "Composite Displacement");
    contour->addSeparator();
    addItem(contour, "arealmenu", "Dilatant Strain", QKeySequence("F7"));
    addItem(contour, "volmenu", "Vol. Strain", QKeySequence("F8"));
    addItem(contour, "maxshearmenu", "Maximum Shear");
    contour->addSeparator();
    addItem(contour, "sxxmenu", "Strain XX");
    addItem(contour, "syymenu", "Strain YY");
    addItem(contour, "szzmenu", "Strain ZZ");
    addItem(contour, "sxymenu", "Strain XY");
    addItem(contour, "syzmenu", "Strain YZ");
    addItem(contour, "szxmenu", "Strain ZX");
    addItem(contour, "cmpstrainmenu", "Composite Strain");
    contour->addSeparator();
    addItem(contour, "custommenu", "Customize Composition...");
    QMenu* vector = sub(exec, "Vector", "vectormenu");
    addItem(vector, "displmenu", "Horizontal Displacement", QKeySequence("F9"));
    addItem(vector, "tilt1menu", "Tilt (du/dz, dv/dz)");
    addItem(vector, "tilt2menu", "Tilt (dw/dx, dw/dy)");
    addItem(exec, "principalmenu", "Principal Strains", QKeySequence("F11"));

    QMenu* param = top("Parameter", "parammenu");
    addItem(param, "sourcemenu", "Source...");
    addItem(param, "fieldmenu", "Field...");
    addItem(param, "visualmenu", "Visual...");
    addItem(param, "cffparamenu", "CFF...");
    addItem(param, "mapmenu", "Map...");

    QMenu* tool = top("Tool", "toolmenu");
    QMenu* area = sub(tool, "Area", "areamenu");
    addItem(area, "selareamenu", "Select Area");
    addItem(area, "exportareamenu", "Export Area Data...");
    addItem(area, "clearareamenu", "Clear Area");
    tool->addSeparator();
    addItem(tool, "resizemenu", "Resize Picture");
    addItem(tool, "redrawmenu", "Redraw Picture", QKeySequence("Ctrl+R"));
    tool->addSeparator();
    QMenu* obs = sub(tool, "Observation Site", "obssitemenu");
    addItem(obs, "showobsmenu", "Show Obs. Sites Data")->setCheckable(true);
    addItem(obs, "showgridmenu", "Show Grid Data")->setCheckable(true);
    obs->addSeparator();
    addItem(obs, "exportobsmenu", "Export Obs. Sites Data...");
    addItem(obs, "clearobsmenu", "Clear Obs. Sites");
    tool->addSeparator();
    addItem(tool, "optionmenu", "Option...");

    QMenu* help = top("Help", "helpmenu");
    addItem(help, "aboutmenu", "About CRUSTEX...");
}

}  // namespace crustex
