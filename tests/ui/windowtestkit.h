// Helpers for the main-window tests: a program directory of its own, and
// answering the message boxes a command shows.
#pragma once

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/mainwindow.h"

namespace crustex::test {

// A main window over its own work state, with its program files in a fresh
// temporary directory.
struct WindowRig {
    QTemporaryDir dir;
    WorkState ws;
    std::unique_ptr<MainWindow> w;

    WindowRig() { w = std::make_unique<MainWindow>(ws, dir.path()); }
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
};

// What a scheduled answer saw.
struct SeenBox {
    QString text;
    QString title;
    bool seen = false;
};

// Answers the next message box with `button` as soon as it is shown (polled
// every 20 ms, given up after 5 s); what it showed lands in *seen.
inline void answerNextBox(QMessageBox::StandardButton button, std::shared_ptr<SeenBox> seen = {}) {
    auto timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, button, seen, clock] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            if (seen) {
                seen->text = box->text();
                seen->title = box->windowTitle();
                seen->seen = true;
            }
            QAbstractButton* b = box->button(button);
            if (b != nullptr) {
                QTest::mouseClick(b, Qt::LeftButton);
            } else {
                box->reject();
            }
            timer->deleteLater();
            timer->stop();
        } else if (clock->elapsed() > 5000) {
            timer->deleteLater();
            timer->stop();
        }
    });
    timer->start(20);
}

}  // namespace crustex::test
