#include "ui/qthost.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

namespace crustex {

QtHost::QtHost(QWidget* parent, QLabel* status, std::function<void(bool)> menus)
    : parent_(parent), status_(status), menus_(std::move(menus)) {}

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // A message box must be answerable even while the busy pointer is up.
    const bool wasBusy = busyDepth_ > 0;
    if (wasBusy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (wasBusy) QApplication::restoreOverrideCursor();
    switch (answer) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        default: return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    }
}

void QtHost::setStatus(const std::string& text) {
    statusText_ = text;
    percent_ = -1;
    if (status_) {
        status_->setText(QString::fromStdString(text));
        status_->repaint();
    }
}

void QtHost::showProgress(int done, int total) {
    if (total <= 0 || done < 0) return;
    const int percent = static_cast<int>(100LL * std::min(done, total) / total);
    if (percent == percent_ || !status_) return;
    percent_ = percent;
    status_->setText(QString::fromStdString(statusText_) + QString(" (%1%)").arg(percent));
    status_->repaint();
}

void QtHost::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        if (--busyDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

void QtHost::processEvents() { QApplication::processEvents(QEventLoop::AllEvents); }

void QtHost::enableMenus(bool enabled) {
    if (menus_) menus_(enabled);
}

}  // namespace crustex
