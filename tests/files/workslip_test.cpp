// The "slipmodel" record of work files: the model's file named relative to
// the work file with the km it was moved by, read back in place; a missing
// file (or one that is no plain file) is shown and the rest of the work
// still loads; a work of a slip model without sources reads back as such.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "files/workfile.h"
#include "support/scratchdir.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

struct Work {
    test::ScratchDir dir;
    test::ScriptedHost host;
    Projection proj;
    PlotFrame frame;
    std::string model, work;

    Work() {
        dir.mkdir("models");
        dir.mkdir("work");
        model = dir.file("models/m.csv");
        work = dir.file("work/w.wrk.txt");
        test::writefile(model,
                        std::string(kPatchCsvKmHeader) +
                            "\n61.5,42.25,6,30,45,90,8,5,1.5,0\n70,44,9,210,60,0,4,3,0.5,0\n");
    }
    WorkState read() {
        WorkState ws;
        setdefaults(ws, dir.str());
        readworkfile(ws, host, proj, frame, work);
        return ws;
    }
};

TEST(WorkSlip, RecordNamesTheModelRelativeToTheWorkFileAndReadsItBackInPlace) {
    Work w;
    WorkState ws;
    setdefaults(ws, w.dir.str());
    std::string summary;
    ASSERT_TRUE(loadslipfile(ws, nullptr, w.model, summary)) << summary;
    for (SlipPatch& p : ws.slipmodel.patches) {
        p.x0 += 12.5f;
        p.x1 += 12.5f;
        p.y0 -= 3;
        p.y1 -= 3;
    }
    ws.slipmodel.xshift = 12.5f;
    ws.slipmodel.yshift = -3;
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    EXPECT_NE(test::readfile(w.work).find("\"slipmodel\",\"../models/m.csv\",12.5,-3\r\n"),
              std::string::npos);

    WorkState back = w.read();
    EXPECT_EQ(back.nfault, 1);
    ASSERT_EQ(back.slipmodel.size(), 2u);
    EXPECT_EQ(back.slipmodel.patches, ws.slipmodel.patches);
    EXPECT_EQ(back.slipmodel.xshift, 12.5f);
    EXPECT_EQ(back.slipmodel.yshift, -3.0f);
    EXPECT_TRUE(w.host.messages.empty());

    // The model's file gone: shown, and the sources still load.
    std::filesystem::rename(w.model, w.dir.file("models/gone.csv"));
    back = w.read();
    EXPECT_EQ(back.nfault, 1);
    EXPECT_TRUE(back.slipmodel.empty());
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_EQ(w.host.messages[0].text.rfind("Slip Model not Read: ", 0), 0u)
        << w.host.messages[0].text;
    EXPECT_NE(w.host.messages[0].text.find("no such file"), std::string::npos);

    // A pipe of that name is not read (it could never end).
    ASSERT_EQ(::mkfifo(w.model.c_str(), 0600), 0);
    w.host.messages.clear();
    back = w.read();
    EXPECT_TRUE(back.slipmodel.empty());
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_NE(w.host.messages[0].text.find("not a plain file"), std::string::npos);
    std::filesystem::remove(w.model);

    // A model without sources: no "No Fault", none of the sources counts.
    std::filesystem::rename(w.dir.file("models/gone.csv"), w.model);
    ws.nfault = 0;
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    w.host.messages.clear();
    back = w.read();
    EXPECT_TRUE(w.host.messages.empty());
    EXPECT_EQ(back.nfault, 0);
    EXPECT_EQ(back.slipmodel.patches, ws.slipmodel.patches);
}

}  // namespace
}  // namespace crustex
