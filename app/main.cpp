#include <QApplication>
#include <QDir>

#include "app/mainwindow.h"
#include "model/workstate.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("CRUSTEX");
    crustex::WorkState ws;
    crustex::setdefaults(ws, QDir::currentPath().toStdString());
    crustex::MainWindow window(ws);
    window.show();
    return app.exec();
}
