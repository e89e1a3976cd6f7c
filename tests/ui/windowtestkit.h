// Helpers for the window tests: a main window with a program directory of its
// own, answering the message boxes and file dialogs a command shows, typing
// into dialogs, counting pixels, finding cut-off captions and the folder that
// pictures for a person to look at go to.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
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
    bool shown() {
        w->show();
        return QTest::qWaitForWindowExposed(w.get());
    }
};

// What a scheduled answer saw.
struct SeenBox {
    QString text;
    QString title;
    bool seen = false;
};

// Answers the next message box with `button` as soon as it is shown (polled
// every 20 ms, given up after 5 s); what it showed lands in the result.
inline std::shared_ptr<SeenBox> answerNextBox(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<SeenBox>();
    auto timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, button, seen, clock] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr && clock->elapsed() <= 5000) return;
        if (box != nullptr) {
            *seen = {box->text(), box->windowTitle(), true};
            QAbstractButton* b = box->button(button);
            if (b != nullptr) {
                QTest::mouseClick(b, Qt::LeftButton);
            } else {
                box->reject();
            }
        }
        timer->deleteLater();
        timer->stop();
    });
    timer->start(20);
    return seen;
}

// Writes a file whole; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& content = {}) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// The whole text of a file; empty when it cannot be read.
inline QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Runs a command whose open or save dialog is answered with `path`.
inline bool runWithFile(MainWindow& w, const char* command, const QString& path) {
    w.openFileDialog = [path](const QString&, const QString&, const QString&) { return path; };
    w.saveFileDialog = w.openFileDialog;
    const bool ran = w.runCommand(command);
    w.openFileDialog = w.saveFileDialog = nullptr;
    return ran;
}

// Whether a menu item is offered now.
inline bool enabled(MainWindow& w, const char* name) {
    w.updateMenus();
    return w.action(name)->isEnabled();
}

// A print dialog that prints to a PDF file at `path` on A4, counting its
// calls; `ok` false: the dialog was cancelled.
inline std::function<bool(QPrinter&)> pdfTo(const QString& path, int* calls = nullptr,
                                            bool ok = true) {
    return [=](QPrinter& printer) {
        if (calls) ++*calls;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return ok;
    };
}

// The pixels of an image for which `test` holds.
template <typename Test>
int countPixels(const QImage& image, Test test) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) n += test(row[x]);
    }
    return n;
}
// The pixels in which two images of one size differ.
inline int countDiffering(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}
// The pixels of an image that are not white.
inline int inked(const QImage& image) {
    return countPixels(image, [](QRgb c) { return (c & 0xffffff) != 0xffffff; });
}

// One data row per entry of a table, named by the entry's `name`; the test
// reads the entry's index from the column "row".
template <typename Row, std::size_t N>
void addRows(const Row (&table)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t k = 0; k < N; ++k) QTest::newRow(table[k].name) << int(k);
}

// A dialog driven through its widgets, found by name.
template <typename T = QLineEdit>
T* child(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no child %s", qPrintable(name));
    return c;
}
inline void click(QWidget* w, const QString& button) {
    QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
}

// Chooses a list entry as the user does: the entry becomes current and the
// list reports it as activated, also when it was current already.
inline void choose(QComboBox* list, const QString& text) {
    if (list->findText(text) < 0) qFatal("no entry %s", qPrintable(text));
    list->setCurrentIndex(list->findText(text));
    emit list->activated(list->currentIndex());
}

// Does what a step list says, "name=text;@name;...": types into the box
// "<name>txt", or chooses the entry of the list `name`; "@name" clicks the
// button or check box `name`.
inline void act(QWidget* d, const char* steps) {
    for (const QString& step : QString(steps).split(';', Qt::SkipEmptyParts)) {
        const QString name = step.section('=', 0, 0), text = step.section('=', 1);
        if (step.startsWith('@')) {
            child<QAbstractButton>(d, name.mid(1))->click();
        } else if (auto* list = d->findChild<QComboBox*>(name)) {
            choose(list, text);
        } else {
            child(d, name + "txt")->setText(text);
        }
    }
}

// Checks what a dialog shows, "name=text;...": the text of the box
// "<name>txt", the entry of the list `name`, or "on"/"off" of a button.
inline void expectShown(QWidget* d, const char* shown) {
    for (const QString& item : QString(shown).split(';', Qt::SkipEmptyParts)) {
        const QString name = item.section('=', 0, 0), want = item.section('=', 1);
        if (auto* list = d->findChild<QComboBox*>(name)) {
            QCOMPARE(list->currentText(), want);
        } else if (auto* b = d->findChild<QAbstractButton*>(name)) {
            QCOMPARE(b->isChecked() ? QString("on") : QString("off"), want);
        } else {
            QCOMPARE(child(d, name + "txt")->text(), want);
        }
    }
}

// A path in the source tree. ctest names the test data directory
// (tests/data); without it the path is taken from this file's own name,
// which a compiler launcher may have made relative to the build directory.
inline QString sourcePath(const QString& relative) {
    const QString data = qEnvironmentVariable("CRUSTEX_TEST_DATA");
    const QString root =
        data.isEmpty() ? QFileInfo(QString(__FILE__)).absolutePath() + "/../.." : data + "/../..";
    return QDir::cleanPath(root + "/" + relative);
}
inline QString exampleFile(const char* name) { return sourcePath(QString("examples/") + name); }

// Where pictures for a person to look at go: the first of the named
// environment variables that is set, else $CRUSTEX_TEST_OUTPUT, else the
// working directory.
inline QString outputDir(const char* preferred = nullptr) {
    QString dir = preferred ? qEnvironmentVariable(preferred) : QString();
    if (dir.isEmpty()) dir = qEnvironmentVariable("CRUSTEX_TEST_OUTPUT");
    if (dir.isEmpty()) dir = QDir::currentPath();
    QDir().mkpath(dir);
    return dir;
}

// The captions (labels and buttons) of a shown window that are cut off:
// narrower than their text or lower than their font by more than `slack`
// pixels.
inline QStringList clippedCaptions(QWidget* top, int slack = 0) {
    QStringList out;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top)) continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (text.isEmpty()) continue;
        if (w->width() + slack < w->sizeHint().width() ||
            w->height() + slack < w->minimumSizeHint().height()) {
            out << top->objectName() + ": " + text;
        }
    }
    return out;
}

}  // namespace crustex::test
