// CRUSTEX: the elastic source deformation workbench.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/mainwindow.h"
#include "export/fieldexport.h"
#include "model/workstate.h"

namespace {

constexpr const char* kUsage =
    "usage: crustex [--help] [--version] [Qt options, e.g. -platform NAME, -display DISPLAY]\n"
    "  Opens the window of the Elastic Source Deformation Workbench; work and source\n"
    "  files are opened from its File menu. crustex-batch writes the same pictures,\n"
    "  grids and contour lines without a window.\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the window system is needed, so both work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("crustex %s\n", crustex::kProgramVersion);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("CRUSTEX");
    crustex::WorkState ws;
    crustex::MainWindow window(ws);
    window.show();
    return app.exec();
}
