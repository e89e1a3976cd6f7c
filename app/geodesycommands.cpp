// The line-of-sight dialog ("Parameter" menu) and the fit to the observation
// sites ("Tool" menu).
#include <QAction>

#include "app/mainwindow.h"
#include "ui/fitdialog.h"
#include "ui/losdialog.h"

namespace crustex {

void MainWindow::buildGeodesyDialogs() {
    losDialog_ = new LosDialog(*this, this);
    fitDialog_ = new FitDialog(*this, this);
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"losparamenu", [this] { losDialog_->entrylosform(); }},
        {"fitmenu", [this] { fitDialog_->entryfitform(); }}};
    for (const auto& [name, command] : commands) {
        QAction* a = actions_.value(name);
        if (a == nullptr) continue;
        connect(a, &QAction::triggered, this, [this, command] {
            if (menusLocked_) return;
            command();
            updateMenus();
        });
    }
}

}  // namespace crustex
