// The dialogs of the main window: made once at start-up, opened by their
// commands, and given the results of the plot's pointing modes.
#include <QAction>

#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "geo/eventlayer.h"
#include "ui/aboutbox.h"
#include "ui/cffdialog.h"
#include "ui/customdialog.h"
#include "ui/eventdialog.h"
#include "ui/fielddialog.h"
#include "ui/locationassistants.h"
#include "ui/mapdialog.h"
#include "ui/optiondialog.h"
#include "ui/printersetting.h"
#include "ui/sitewindow.h"
#include "ui/sourceeditor.h"
#include "ui/visualdialog.h"
#include "ui/welcomewindow.h"

namespace crustex {

void MainWindow::buildDialogs() {
    welcome_ = new WelcomeWindow(*this, nullptr);
    welcome_->setAttribute(Qt::WA_DeleteOnClose);
    optionDialog_ = new OptionDialog(*this, this);
    aboutBox_ = new AboutBox(*this, this);
    sourceEditor_ = new SourceEditor(*this, this);
    placedWindows_.insert("faultform", sourceEditor_);
    fieldDialog_ = new FieldDialog(*this, this);
    placedWindows_.insert("fieldform", fieldDialog_);
    cffDialog_ = new CffDialog(*this, this);
    placedWindows_.insert("cffform", cffDialog_);
    visualDialog_ = new VisualDialog(*this, this);
    placedWindows_.insert("visualform", visualDialog_);
    customDialog_ = new CustomDialog(*this, this);
    placedWindows_.insert("customform", customDialog_);
    printerDialog_ = new PrinterSettingDialog(*this, this);
    placedWindows_.insert("setprnform", printerDialog_);
    mapDialog_ = new MapDialog(*this, this);
    placedWindows_.insert("mapform", mapDialog_);
    // Confirming the map reads the earthquake selection anew; resizing and
    // redrawing draw the events already read.
    mapDialog_->hooks.drawBackground = [this] {
        if (ws_.needevent) reloadevents(ws_, host());
        drawBackgroundLayers();
    };
    mapDialog_->hooks.clearBackground = [this](bool pastedtoo) { dropBackground(pastedtoo); };
    mapDialog_->hooks.rebuildSourceList = [this] { sourceEditor_->rebuildList(); };
    eventDialog_ = new EventDialog(*this, mapDialog_);
    placedWindows_.insert("eventform", eventDialog_);
    mapDialog_->hooks.eventParameters = [this] { eventDialog_->entryeventform(); };
    siteWindow_ = new SiteWindow(*this, sites_, this);
    placedWindows_.insert("obsform", siteWindow_);
    siteWindow_->closed = [this] {
        ws_.showobsdatachecked = false;
        ws_.showgriddatachecked = true;
        updateMenus();
    };

    buildSectionTools();
    buildStressDialogs();
    buildGeodesyDialogs();

    placedWindows_.insert("setfileform", optionDialog_);
    if (sourceEditor_->faultAssistant())
        placedWindows_.insert("assistform", sourceEditor_->faultAssistant());
    if (sourceEditor_->pointAssistant())
        placedWindows_.insert("assist2form", sourceEditor_->pointAssistant());
    if (fieldDialog_->referenceAssistant()) {
        placedWindows_.insert("assist3form", fieldDialog_->referenceAssistant());
    }
    auto on = [this](const char* name, std::function<void()> command) {
        QAction* a = actions_.value(name);
        if (a == nullptr) return;
        const QString n = QString::fromLatin1(name);
        connect(a, &QAction::triggered, this, [this, n, command] {
            if (menusLocked_ && n != "aboutmenu") return;
            command();
            updateMenus();
        });
    };
    on("sourcemenu", [this] { sourceEditor_->entryfaultform(); });
    on("fieldmenu", [this] { fieldDialog_->entryfieldform(); });
    on("cffparamenu", [this] { cffDialog_->entrycffform(); });
    on("custommenu", [this] { customDialog_->entryform(); });
    on("optionmenu", [this] { optionDialog_->entrysetfileform(); });
    on("mapmenu", [this] { mapDialog_->entrymapform(); });
    on("aboutmenu", [this] { aboutBox_->entryaboutform(); });
}

void MainWindow::openVisualDialog() { visualDialog_->entryvisualform(); }

void MainWindow::printerSetting() { printerDialog_->entry(); }

// --- Results of the pointing modes ---

const faultrec& MainWindow::currentSource() { return sourceEditor_->currentRecord(); }

void MainWindow::setFirstEdge(float x, float y) { sourceEditor_->setFirstEdge(x, y); }

void MainWindow::setSecondEdge(float x, float y) { sourceEditor_->setSecondEdge(x, y); }

void MainWindow::setEdges(float x0, float y0, float x1, float y1) {
    sourceEditor_->setEdges(x0, y0, x1, y1);
}

void MainWindow::setPointSource(float x, float y) { sourceEditor_->setPointSource(x, y); }

void MainWindow::returnSourceEditor() {
    graphpbx_->unsetCursor();
    sourceEditor_->returnfaultform();
}

void MainWindow::setFieldRect(const FieldRect& r) {
    fieldDialog_->setFieldRect(r.x0, r.y0, r.x1, r.y1);
}

void MainWindow::setInclinedReference(float x, float y) {
    fieldDialog_->setInclinedReference(x, y);
}

void MainWindow::setInclinedStrike(float degrees) { fieldDialog_->setInclinedStrike(degrees); }

void MainWindow::returnFieldDialog() {
    graphpbx_->unsetCursor();
    fieldDialog_->returnfieldform();
}

void MainWindow::setCffStrike(float degrees) { cffDialog_->setStrike(degrees); }

void MainWindow::returnCffDialog() {
    graphpbx_->unsetCursor();
    cffDialog_->returncffform();
}

}  // namespace crustex
