// The dialogs of the main window: made once at start-up, opened by their
// commands, and given the results of the plot's pointing modes.
#include <QAction>

#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "ui/aboutbox.h"
#include "ui/optiondialog.h"
#include "ui/welcomewindow.h"

#if __has_include("ui/sourceeditor.h")
#include "ui/sourceeditor.h"
#define CRUSTEX_HAVE_SOURCEEDITOR 1
#endif
#if __has_include("ui/fielddialog.h")
#include "ui/fielddialog.h"
#define CRUSTEX_HAVE_FIELDDIALOG 1
#endif
#if __has_include("ui/cffdialog.h")
#include "ui/cffdialog.h"
#define CRUSTEX_HAVE_CFFDIALOG 1
#endif
#if __has_include("ui/visualdialog.h")
#include "ui/visualdialog.h"
#define CRUSTEX_HAVE_VISUALDIALOG 1
#endif
#if __has_include("ui/customdialog.h")
#include "ui/customdialog.h"
#define CRUSTEX_HAVE_CUSTOMDIALOG 1
#endif
#if __has_include("ui/printersetting.h")
#include "ui/printersetting.h"
#define CRUSTEX_HAVE_PRINTERSETTING 1
#endif

namespace crustex {

void MainWindow::buildDialogs() {
    welcome_ = new WelcomeWindow(*this, nullptr);
    welcome_->setAttribute(Qt::WA_DeleteOnClose);
    optionDialog_ = new OptionDialog(*this, this);
    aboutBox_ = new AboutBox(*this, this);
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_ = new SourceEditor(*this, this);
    placedWindows_.insert("faultform", sourceEditor_);
#endif
#ifdef CRUSTEX_HAVE_FIELDDIALOG
    fieldDialog_ = new FieldDialog(*this, this);
    placedWindows_.insert("fieldform", fieldDialog_);
#endif
#ifdef CRUSTEX_HAVE_CFFDIALOG
    cffDialog_ = new CffDialog(*this, this);
    placedWindows_.insert("cffform", cffDialog_);
#endif
#ifdef CRUSTEX_HAVE_VISUALDIALOG
    visualDialog_ = new VisualDialog(*this, this);
    placedWindows_.insert("visualform", visualDialog_);
#endif
#ifdef CRUSTEX_HAVE_CUSTOMDIALOG
    customDialog_ = new CustomDialog(*this, this);
    placedWindows_.insert("customform", customDialog_);
#endif
#ifdef CRUSTEX_HAVE_PRINTERSETTING
    printerDialog_ = new PrinterSettingDialog(*this, this);
    placedWindows_.insert("setprnform", printerDialog_);
#endif

    placedWindows_.insert("setfileform", optionDialog_);
    auto on = [this](const char* name, std::function<void()> command) {
        QAction* a = actions_.value(name);
        if (a == nullptr) return;
        const QString n = QString::fromLatin1(name);
        connect(a, &QAction::triggered, this, [this, n, command] {
            if (menusLocked_ && n != "aboutmenu") return;
            command();
        });
    };
    on("sourcemenu", [this] {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
        sourceEditor_->entryfaultform();
#endif
    });
    on("fieldmenu", [this] {
#ifdef CRUSTEX_HAVE_FIELDDIALOG
        fieldDialog_->entryfieldform();
#endif
    });
    on("cffparamenu", [this] {
#ifdef CRUSTEX_HAVE_CFFDIALOG
        cffDialog_->entrycffform();
#endif
    });
    on("custommenu", [this] {
#ifdef CRUSTEX_HAVE_CUSTOMDIALOG
        customDialog_->entryform();
#endif
    });
    on("optionmenu", [this] { optionDialog_->entrysetfileform(); });
    on("aboutmenu", [this] { aboutBox_->entryaboutform(); });
}

void MainWindow::openVisualDialog() {
#ifdef CRUSTEX_HAVE_VISUALDIALOG
    visualDialog_->entryvisualform();
#endif
}

void MainWindow::printerSetting() {
#ifdef CRUSTEX_HAVE_PRINTERSETTING
    printerDialog_->entry();
#endif
}

// --- Results of the pointing modes ---

const faultrec& MainWindow::currentSource() {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    return sourceEditor_->currentRecord();
#else
    return noSource_;
#endif
}

void MainWindow::setFirstEdge(float x, float y) {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_->setFirstEdge(x, y);
#else
    (void)x, (void)y;
#endif
}

void MainWindow::setSecondEdge(float x, float y) {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_->setSecondEdge(x, y);
#else
    (void)x, (void)y;
#endif
}

void MainWindow::setEdges(float x0, float y0, float x1, float y1) {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_->setEdges(x0, y0, x1, y1);
#else
    (void)x0, (void)y0, (void)x1, (void)y1;
#endif
}

void MainWindow::setPointSource(float x, float y) {
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_->setPointSource(x, y);
#else
    (void)x, (void)y;
#endif
}

void MainWindow::returnSourceEditor() {
    graphpbx_->unsetCursor();
#ifdef CRUSTEX_HAVE_SOURCEEDITOR
    sourceEditor_->returnfaultform();
#endif
}

void MainWindow::setFieldRect(const FieldRect& r) {
#ifdef CRUSTEX_HAVE_FIELDDIALOG
    fieldDialog_->setFieldRect(r.x0, r.y0, r.x1, r.y1);
#else
    (void)r;
#endif
}

void MainWindow::setInclinedReference(float x, float y) {
#ifdef CRUSTEX_HAVE_FIELDDIALOG
    fieldDialog_->setInclinedReference(x, y);
#else
    (void)x, (void)y;
#endif
}

void MainWindow::setInclinedStrike(float degrees) {
#ifdef CRUSTEX_HAVE_FIELDDIALOG
    fieldDialog_->setInclinedStrike(degrees);
#else
    (void)degrees;
#endif
}

void MainWindow::returnFieldDialog() {
    graphpbx_->unsetCursor();
#ifdef CRUSTEX_HAVE_FIELDDIALOG
    fieldDialog_->returnfieldform();
#endif
}

void MainWindow::setCffStrike(float degrees) {
#ifdef CRUSTEX_HAVE_CFFDIALOG
    cffDialog_->setStrike(degrees);
#else
    (void)degrees;
#endif
}

void MainWindow::returnCffDialog() {
    graphpbx_->unsetCursor();
#ifdef CRUSTEX_HAVE_CFFDIALOG
    cffDialog_->returncffform();
#endif
}

}  // namespace crustex
