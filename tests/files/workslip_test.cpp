// The "slipmodel" record of work files: the model's file named relative to
// the work file with the km it was moved by, read back in place; a missing
// file is shown and the rest of the work still loads; a work of a slip
// model without sources reads back as such; the user's medium and regional
// stress hold over a .inp model's own.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "files/patchcsv.h"
#include "files/slipfile.h"
#include "files/workfile.h"
#include "files/workstressmodel.h"
#include "support/scratchdir.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// The element table of the made-up .inp models below, with its first element.
const std::string kElements =
    "  #  X-start Y-start X-fin Y-fin Kode rt.lat reverse dip angle top bot\n"
    "xxx xxx xxx xxx xxx xxx xxx xxx xxx xxx xxx\n"
    "  1  -12.0  4.0  8.0  6.0  100  1.5  0.5  60.0  1.0  9.0\n";

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
    // The start-up state with the model of `file` loaded.
    WorkState loaded(const std::string& file) {
        WorkState ws;
        setdefaults(ws, dir.str());
        std::string summary;
        EXPECT_TRUE(loadslipfile(ws, nullptr, file, summary)) << summary;
        return ws;
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
    WorkState ws = w.loaded(w.model);
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

TEST(WorkSlip, TheUsersMediumAndRegionalStressHoldOverTheModelFiles) {
    Work w;
    // A made-up model with a medium and a regional stress of its own.
    const std::string inp = w.dir.file("models/m.inp");
    test::writefile(inp,
                    "title\ntitle\n PR1= 0.30 E1= 0.7E+06\nFRIC= 0.4\n"
                    "S1DR= 30 S1DP= 0 S1IN= 100 S1GD= 0\n"
                    "S2DR= 0 S2DP= 90 S2IN= 50 S2GD= 0\n"
                    "S3DR= 120 S3DP= 0 S3IN= 10 S3GD= 0\n\n" +
                        kElements);
    WorkState ws = w.loaded(inp);
    ASSERT_EQ(ws.medium.poisson, 0.3f);
    ASSERT_TRUE(ws.regionalstress.given);
    ws.medium = {0.27f, 6.5e5f};
    ws.regionalstress.axis = {PrincipalStress{35, 2, 120, 1.5f}, PrincipalStress{305, 1, 60, 0.5f},
                              PrincipalStress{212, 88, 20, 0.25f}};
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    WorkState back = w.read();
    EXPECT_EQ(back.slipmodel.size(), 1u);
    EXPECT_EQ(back.medium, ws.medium);
    EXPECT_EQ(back.regionalstress, ws.regionalstress);

    // Taken away by the user, the model's regional stress stays away.
    ws.regionalstress.given = false;
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    EXPECT_FALSE(w.read().regionalstress.given);

    // Without a model file only values other than a new work's are written;
    // an unusable value refuses its record.
    ws.slipmodel.clear();
    ws.medium = Medium{};
    ws.regionalstress = RegionalStress{};
    EXPECT_EQ(workfiletext(ws, GeoFrame{w.proj, w.frame}).find("\"medium\""), std::string::npos);
    EXPECT_EQ(workfiletext(ws, GeoFrame{w.proj, w.frame}).find("\"regional"), std::string::npos);
    Medium m;
    RecordReader bad("7e5,0.5\r\n#TRUE#,0,0,1,0,0,0,1,0,90,0,1,0\r\n");
    EXPECT_EQ(readmedium(bad, m), RecordRead::Refused);
    RegionalStress s;
    EXPECT_EQ(readregionalstress(bad, s), RecordRead::Refused);
    EXPECT_EQ(m, Medium{});
    EXPECT_FALSE(s.given);
}

TEST(WorkSlip, ReceiversComeBackAsTheUserLeftThem) {
    Work w;
    const std::string inp = w.dir.file("models/r.inp");
    test::writefile(inp,
                    "title\ntitle\n PR1= 0.25 E1= 0.8E+06\nFRIC= 0.4\n\n" + kElements +
                        "  2    -3.0    7.0    5.0   -2.0  100   0.0   0.0   45.0   2.0   6.0\n");
    WorkState ws = w.loaded(inp);
    ASSERT_EQ(ws.receivers.size(), 1u);
    // Receivers of the user's own in place of the model's, one placed from
    // degrees, one with a rake and a name with a quote.
    ws.receivers = {
        {-4.5f, 2.25f, 7, -1.5f, 1.5f, 9.75f, 63, std::nanf(""), "north \"A\"", {}},
        {3, 8.5f, -6, 11, 0, 4.5f, 90, -35, "", GeoEdge{35.25f, 135.5f, 35.5f, 135.75f}}};
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    WorkState back = w.read();
    ASSERT_EQ(back.receivers.size(), 2u);
    EXPECT_TRUE(std::isnan(back.receivers[0].rake));
    back.receivers[0].rake = ws.receivers[0].rake = 0;
    EXPECT_EQ(back.receivers, ws.receivers);
    // Cleared by the user, the model's receiver stays away.
    ws.receivers.clear();
    ASSERT_TRUE(storework(ws, w.host, GeoFrame{w.proj, w.frame}, w.work));
    EXPECT_TRUE(w.read().receivers.empty());
    // A receiver without width refuses the record but not the others; a
    // list cut short keeps what was read.
    std::vector<ReceiverFault> got;
    RecordReader bad(
        "2\r\n0,0,5,0,1,0,45,#FALSE#,0,\"\",#FALSE#,0,0,0,0\r\n"
        "0,0,5,1,1,3,45,#FALSE#,0,\"b\",#FALSE#,0,0,0,0\r\n");
    EXPECT_EQ(readreceivers(bad, got), RecordRead::Refused);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name, "b");
    RecordReader cut("3\r\n0,0,5,1,1,3,45,#TRUE#,90,\"c\",#FALSE#,0,0,0,0\r\n");
    EXPECT_EQ(readreceivers(cut, got), RecordRead::Cut);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].rake, 90);
}

}  // namespace
}  // namespace crustex
