#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/mainwindow.h"

using namespace crustex;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionAndTopMenus() {
        WorkState ws;
        setdefaults(ws, QDir::currentPath().toStdString());
        MainWindow w(ws);
        QCOMPARE(w.windowTitle(), QString("CRUSTEX"));
        QStringList captions;
        for (QAction* a : w.menuBar()->actions()) captions << a->text();
        QCOMPARE(captions, (QStringList{"File", "Edit", "Execute", "Parameter", "Tool", "Help"}));
    }
    void shortcutsOfTheMenuTree() {
        WorkState ws;
        MainWindow w(ws);
        QCOMPARE(w.action("openfltmenu")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(w.action("cffmenu")->shortcut(), QKeySequence("F5"));
        QCOMPARE(w.action("principalmenu")->shortcut(), QKeySequence("F11"));
        QCOMPARE(w.action("redrawmenu")->text(), QString("Redraw Picture"));
        QVERIFY(w.action("showobsmenu")->isCheckable());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
