// The Qt side of the core's host interface: message boxes, the information
// strip, the wait cursor, event processing and the top-menu lock.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "model/host.h"

class QLabel;

namespace crustex {

class QtHost : public Host {
public:
    // parent: the window message boxes belong to; status: the information
    // strip (may be null); menus: called to lock and unlock the top menus.
    QtHost(QWidget* parent, QLabel* status, std::function<void(bool)> menus = {});

    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    void setStatus(const std::string& text) override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void enableMenus(bool enabled) override;

private:
    QPointer<QWidget> parent_;
    QPointer<QLabel> status_;
    std::function<void(bool)> menus_;
    int busyDepth_ = 0;
};

}  // namespace crustex
