// The Qt side of the core's host interface: message boxes, the information
// strip, the wait cursor, event processing and the top-menu lock.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

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
    // The status text with " (37%)" after it; shown again only when the
    // whole percentage changes.
    void showProgress(int done, int total) override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void enableMenus(bool enabled) override;

private:
    QPointer<QWidget> parent_;
    QPointer<QLabel> status_;
    std::function<void(bool)> menus_;
    std::string statusText_;  // the text last set, without a percentage
    int percent_ = -1;        // the percentage shown after it, or -1
    int busyDepth_ = 0;
};

}  // namespace crustex
