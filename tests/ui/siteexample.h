// The synthetic site example (examples/sites-example.*) opened in a main
// window as a user would: the work file (the example's model, or another
// work file of examples/) through "Open Source....", then the sites through
// "Open Obs. Sites....". The map directory is the source
// tree's map/ when it holds the coast file, else an empty stand-in whose
// coast file only lets the map be switched on.
#pragma once

#include "model/fsutil.h"
#include "windowtestkit.h"

namespace crustex::test {

// False (with the reason in a warning) when a step did not do what it should.
inline bool openSiteExample(WindowRig& r, const char* work = "sites-example.wrk.txt") {
    MainWindow& w = *r.w;
    const std::string shipped = sourcePath("map").toStdString() + "/";
    if (!findfilenocase(shipped, "japanv.map").empty()) {
        r.ws.mappath = shipped;
    } else {
        writeFile(r.file("japanv.map"));
        r.ws.mappath = r.dir.path().toStdString() + "/";
    }
    if (!runWithFile(w, "openfltmenu", exampleFile(work)) || !r.ws.needmap) {
        qWarning("the example work file did not switch the map on");
        return false;
    }
    // The projection of the map range (the map drawing sets it up too).
    setprojection(w.projection(), r.ws);
    if (!runWithFile(w, "openobsmenu", exampleFile("sites-example.obs.txt")) || r.ws.nsite != 30) {
        qWarning("the example sites were not read");
        return false;
    }
    return true;
}

}  // namespace crustex::test
