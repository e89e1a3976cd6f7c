// "Cross Section...": the dialog that chooses a vertical section (its line
// typed or dragged on the plot) and the window that shows it, kept up to
// date with the model and the shown quantity.
#include "app/mainwindow.h"
#include "app/plotwidget.h"
#include "ui/sectiondialog.h"
#include "ui/sectionwindow.h"

namespace crustex {

static_assert(kSectionPickMode == kModeSectionLine);

void MainWindow::buildSectionTools() {
    sectionDialog_ = new SectionDialog(*this, this);
    sectionWindow_ = new SectionWindow(*this, this);
    sectionDialog_->onAccepted = [this](const SectionChoice& c) { sectionWindow_->showSection(c); };
    sectionWindow_->longWork = [this](bool begin) { return beginWork(begin); };
    sectionWindow_->askSaveFile = [this](const QString& title, const QString& filter) {
        const QString name = askFile(true, title, filter);
        if (!name.isEmpty()) rememberFolder(WindowPlaces::Strain, name);
        return name;
    };
}

void MainWindow::openSectionDialog() { sectionDialog_->entry(); }

void MainWindow::updateSection(bool modelchanged) {
    if (sectionWindow_ != nullptr) sectionWindow_->refresh(modelchanged);
}

void MainWindow::setSectionLine(float x0, float y0, float x1, float y1) {
    sectionDialog_->setLine(x0, y0, x1, y1);
}

void MainWindow::returnSectionDialog() {
    graphpbx_->unsetCursor();
    sectionDialog_->returnForm();
}

}  // namespace crustex
