// The main window: the plot picture, the information strip, the position
// read-out and the menu through which every command is reached.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <memory>

#include "model/host.h"
#include "model/workstate.h"

class QAction;
class QLabel;
class QMenu;

namespace crustex {
class QtHost;



class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WorkState& ws, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The menu item with the given program name (for example "uzmenu").
    QAction* action(const QString& name) const { return actions_.value(name); }
    QMenu* topMenu(const QString& caption) const { return topMenus_.value(caption); }
    QLabel* infoStrip() const { return infopbx_; }
    QLabel* locationStrip() const { return locpbx_; }
    QWidget* plotArea() const { return graphpbx_; }
    Host& host();

private:
    void buildMenus();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& key = {});

    WorkState& ws_;
    QWidget* graphpbx_ = nullptr;
    QLabel* infopbx_ = nullptr;
    QLabel* locpbx_ = nullptr;
    std::unique_ptr<QtHost> host_;
    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> topMenus_;
};

}  // namespace crustex
