// The menu tree, the enabling rules evaluated when a top menu opens, the
// lock of the five top menus and the dispatch of every command.
#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "app/mainwindow.h"
#include "geo/mapdatacheck.h"
#include "model/fsutil.h"

namespace crustex {

namespace {

constexpr const char* kLockedMenus[] = {"File", "Edit", "Execute", "Parameter", "Tool"};

// A directory text joined with a file name ('/' added when missing).
QString injoin(const std::string& dir, const char* name) {
    QString d = QString::fromStdString(dir);
    if (d.isEmpty()) return QString();
    if (!d.endsWith('/')) d += '/';
    return d + name;
}

// The quantity key of each "Execute" item.
struct QuantityItem {
    const char* name;
    const char* key;
};
constexpr QuantityItem kQuantityItems[] = {
    {"cffmenu", "cffpara"},
    {"cffoopmenu", "cffoop"},
    {"uxmenu", "ux"},
    {"uymenu", "uy"},
    {"uzmenu", "uz"},
    {"cmpdisplmenu", "cmpdispl"},
    {"arealmenu", "arealstrain"},
    {"volmenu", "volstrain"},
    {"maxshearmenu", "maxshear"},
    {"sxxmenu", "sxx"},
    {"syymenu", "syy"},
    {"szzmenu", "szz"},
    {"sxymenu", "sxy"},
    {"syzmenu", "syz"},
    {"szxmenu", "szx"},
    {"cmpstrainmenu", "cmpstrain"},
    {"displmenu", "displacement"},
    {"tilt1menu", "tilt1"},
    {"tilt2menu", "tilt2"},
    {"principalmenu", "principal"},
    {"losdisplmenu", "los"},
    {"fringesmenu", "fringes"},
};

}  // namespace

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
        connect(m, &QMenu::aboutToShow, this, [this] { updateMenus(); });
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
    addItem(file, "openslipmenu", "Open Slip Model...");
    addItem(file, "exportslipmenu", "Export Slip Model...");
    addItem(file, "clearslipmenu", "Clear Slip Model");
    file->addSeparator();
    addItem(file, "storefltmenu", "Store Source...");
    addItem(file, "storemapmenu", "Store Source with Map....");
    addItem(file, "storestrmenu", "Store Strains....");
    addItem(file, "storeobsmenu", "Store Strains (Obs. site)...");
    addItem(file, "exportgridmenu", "Export Grid...");
    file->addSeparator();
    addItem(file, "setprnmenu", "Printer Setting...");
    addItem(file, "printmenu", "Print....", QKeySequence("Ctrl+P"));
    addItem(file, "exportpicmenu", "Export Picture...");
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
    addItem(contour, "cffoopmenu", "delta CFF (optimal planes)");
    addItem(contour, "oopticksmenu", "Strikes of Optimal Planes")->setCheckable(true);
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
    addItem(contour, "losdisplmenu", "LOS Displacement");
    contour->addSeparator();
    addItem(contour, "custommenu", "Customize Composition...");
    QMenu* vector = sub(exec, "Vector", "vectormenu");
    addItem(vector, "displmenu", "Horizontal Displacement", QKeySequence("F9"));
    addItem(vector, "tilt1menu", "Tilt (du/dz, dv/dz)");
    addItem(vector, "tilt2menu", "Tilt (dw/dx, dw/dy)");
    addItem(exec, "principalmenu", "Principal Strains", QKeySequence("F11"));
    addItem(exec, "fringesmenu", "Wrapped Fringes");

    QMenu* param = top("Parameter", "parammenu");
    addItem(param, "sourcemenu", "Source...");
    addItem(param, "fieldmenu", "Field...");
    addItem(param, "visualmenu", "Visual...");
    addItem(param, "cffparamenu", "CFF...");
    addItem(param, "regionalmenu", "Regional Stress...");
    addItem(param, "mapmenu", "Map...");
    addItem(param, "losparamenu", "Line of Sight...");

    QMenu* tool = top("Tool", "toolmenu");
    QMenu* area = sub(tool, "Area", "areamenu");
    addItem(area, "selareamenu", "Select Area");
    addItem(area, "exportareamenu", "Export Area Data...");
    addItem(area, "clearareamenu", "Clear Area");
    tool->addSeparator();
    addItem(tool, "resizemenu", "Resize Picture");
    addItem(tool, "redrawmenu", "Redraw Picture", QKeySequence("Ctrl+R"));
    tool->addSeparator();
    addItem(tool, "sectionmenu", "Cross Section...");
    tool->addSeparator();
    QMenu* obs = sub(tool, "Observation Site", "obssitemenu");
    addItem(obs, "showobsmenu", "Show Obs. Sites Data")->setCheckable(true);
    addItem(obs, "showgridmenu", "Show Grid Data")->setCheckable(true);
    obs->addSeparator();
    addItem(obs, "exportobsmenu", "Export Obs. Sites Data...");
    addItem(obs, "clearobsmenu", "Clear Obs. Sites");
    buildReceiverMenu(sub(tool, "Receivers", "receiversmenu"));
    addItem(tool, "fitmenu", "Fit to Observations...");
    tool->addSeparator();
    addItem(tool, "pubstylemenu", "Publication Style")->setCheckable(true);
    addItem(tool, "optionmenu", "Option...");

    QMenu* help = top("Help", "helpmenu");
    addItem(help, "aboutmenu", "About CRUSTEX...");
}

MenuFacts MainWindow::menuFacts() const {
    MenuFacts f;
    f.lastworkexists = QFileInfo(lastworkReadPath()).isFile();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    f.clipboardhasimage = clip != nullptr && clip->hasImage();
    f.coastfileexists = !findfilenocase(ws_.mappath, kCoastFileName).empty();
    const QString seis = injoin(ws_.seispath, "seis95.exe");
    f.seisprogramexists = !seis.isEmpty() && QFileInfo(seis).isFile();
    return f;
}

void MainWindow::applyEnabling(const MenuEnabling& e) {
    auto set = [this](const char* name, bool on) {
        if (QAction* a = actions_.value(name)) a->setEnabled(on);
    };
    set("printmenu", e.print);
    set("exportpicmenu", e.print);
    set("exportgridmenu", e.storestrains);
    set("storestrmenu", e.storestrains);
    set("storeobsmenu", e.storeobsstrains);
    set("storemapmenu", e.storesourcemap);
    set("openobsmenu", e.openobs);
    set("exportslipmenu", e.slipmodel);
    set("clearslipmenu", e.slipmodel);
    set("resumemenu", e.resume);
    set("pastemenu", e.paste);
    set("mapmenu", e.map);
    set("areamenu", e.area);
    set("exportareamenu", e.exportarea);
    set("clearareamenu", e.cleararea);
    set("obssitemenu", e.obssite);
    set("redrawmenu", e.redraw);
    set("cffoopmenu", e.optimalcff);
    set("oopticksmenu", e.optimalcff);
    set("sourcercvmenu", e.sourcereceivers);
    set("exportrcvmenu", e.receivers);
    set("clearrcvmenu", e.receivers);
    if (QAction* a = actions_.value("oopticksmenu")) a->setChecked(ws_.optimalticks);
    if (QAction* a = actions_.value("showobsmenu")) a->setChecked(ws_.showobsdatachecked);
    if (QAction* a = actions_.value("showgridmenu")) a->setChecked(ws_.showgriddatachecked);
    if (QAction* a = actions_.value("pubstylemenu")) a->setChecked(ws_.publicationstyle);
}

void MainWindow::updateMenus() { applyEnabling(menuenabling(ws_, menuFacts())); }

void MainWindow::lockMenus(bool enabled) {
    menusLocked_ = !enabled;
    for (const char* caption : kLockedMenus) {
        if (QMenu* m = topMenus_.value(caption)) m->menuAction()->setEnabled(enabled);
    }
}

bool MainWindow::runCommand(const QString& name) {
    QAction* a = actions_.value(name);
    if (a == nullptr) return false;
    // A shortcut reaches its item even while its menu is closed or locked:
    // apply the same rules as opening the menu would.
    const bool help = name == "aboutmenu";
    if (menusLocked_ && !help) return false;
    updateMenus();
    if (!a->isEnabled()) return false;
    for (QObject* p = a->parent(); p != nullptr; p = p->parent()) {
        auto* m = qobject_cast<QMenu*>(p);
        if (m == nullptr) break;
        if (!m->menuAction()->isEnabled()) return false;
    }
    a->trigger();
    return true;
}

void MainWindow::connectCommands() {
    auto on = [this](const char* name, std::function<void()> command) {
        QAction* a = actions_.value(name);
        if (a == nullptr) return;
        const QString n = QString::fromLatin1(name);
        connect(a, &QAction::triggered, this, [this, n, a, command] {
            if (menusLocked_ && n != "aboutmenu") return;
            updateMenus();
            if (!a->isEnabled()) return;
            command();
            // Shortcuts reach only enabled items: keep them in step with
            // what the command changed.
            updateMenus();
        });
    };
    // The clipboard decides "Paste Background" (Ctrl+V).
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { updateMenus(); });
    on("openfltmenu", [this] { openSource(); });
    on("storefltmenu", [this] { storeSource(false); });
    on("storemapmenu", [this] { storeSource(true); });
    on("openslipmenu", [this] { openSlipModel(); });
    on("exportslipmenu", [this] { exportSlipModel(); });
    on("clearslipmenu", [this] { clearSlipModel(); });
    on("storestrmenu", [this] { storeStrains(); });
    on("setprnmenu", [this] { printerSetting(); });
    on("printmenu", [this] { printPicture(); });
    on("exportpicmenu", [this] { exportPicture(); });
    on("exportgridmenu", [this] { exportGrid(); });
    on("resumemenu", [this] { resumeLastWork(); });
    on("quitmenu", [this] { quit(); });
    on("copymenu", [this] { copyPicture(); });
    on("pastemenu", [this] { pasteBackground(); });
    on("clearmenu", [this] { clearPicture(); });
    for (const QuantityItem& q : kQuantityItems) {
        const std::string key = q.key;
        on(q.name, [this, key] { showQuantity(key); });
    }
    on("resizemenu", [this] { resizePicture(); });
    on("redrawmenu", [this] { redrawPicture(); });
    on("selareamenu", [this] { selectArea(); });
    on("clearareamenu", [this] { clearArea(); });
    on("exportareamenu", [this] { exportArea(); });
    on("showobsmenu", [this] { toggleShowObs(); });
    on("showgridmenu", [this] { toggleShowGrid(); });
    on("clearobsmenu", [this] { clearObsSites(); });
    on("visualmenu", [this] { visualCommand(); });
    on("sectionmenu", [this] { openSectionDialog(); });
    on("openobsmenu", [this] { openObsSites(); });
    on("exportobsmenu", [this] { exportObsSites(); });
    on("storeobsmenu", [this] { storeObsStrains(); });
    connectStressCommands(on);
    // Only how the picture is drawn changes: the shown quantity is redrawn.
    on("pubstylemenu", [this] {
        ws_.publicationstyle = !ws_.publicationstyle;
        updateMenus();
        redrawPicture();
    });
}

}  // namespace crustex
