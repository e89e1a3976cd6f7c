// CRUSTEX: the elastic source deformation workbench.
#include <QApplication>

#include "app/mainwindow.h"
#include "model/workstate.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("CRUSTEX");
    crustex::WorkState ws;
    crustex::MainWindow window(ws);
    window.show();
    return app.exec();
}
