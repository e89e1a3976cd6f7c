#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

#include "engine/siteeval.h"
#include "files/sitefile.h"
#include "files/workfile.h"
#include "model/fsutil.h"
#include "sites/misfit.h"
#include "support/scriptedhost.h"
#include "tools/examplesites.h"
#include "tools/gnssconvert.h"

namespace crustex::tools {
namespace {

// Surroundings of a site file read with the map on over the default range.
struct MapOn {
    WorkState ws;
    Projection proj;
    PlotFrame frame;
    test::ScriptedHost host;
    MapOn() {
        setdefaults(ws, "");
        ws.needmap = true;
        setplotframe(frame, ws.rwidth);
        setprojection(proj, ws);
    }
    void readsites(const std::string& text) { readsitetext(ws, host, GeoFrame{proj, frame}, text); }
};

TEST(GmtVelocity, LinesToAnObdBlockTheProgramReads) {
    const std::string text =
        "# lon lat ve vn se sn corr name\n"
        "> a header\n"
        "135.5 35.0 -12.5 3.25 0.5 0.6 0.01 950215\r\n"
        "226.0 34.5 1 2 0.5 0.5 0 Mt  Two\n"
        "135 35 1 2 0.5 0.5\n"
        "135.5 35.2 nan 4 0.5 0.5 0.1\n";
    const GnssField f = parsegmtvelocity(text, false);
    ASSERT_EQ(f.sites.size(), 3u);
    EXPECT_EQ(f.problems, std::vector<std::string>{"line 5: fewer than 7 numbers at its start"});
    EXPECT_EQ(f.sites[0].name, "950215");
    EXPECT_EQ(f.sites[1].name, "Mt Two");
    EXPECT_EQ(f.sites[1].lon, -134);
    EXPECT_EQ(f.sites[2].name, "S6");

    const std::string file = gnsssitefile(f, false, "field.vel");
    EXPECT_EQ(file.substr(0, 1), "\"");
    EXPECT_NE(file.find("\r\n\"obd\",3\r\n\"950215\",35,135.5,0,-12.5,3.25\r\n"),
              std::string::npos);
    MapOn m;
    m.readsites(file);
    EXPECT_TRUE(m.host.messages.empty());
    ASSERT_EQ(m.ws.nsite, 3);
    EXPECT_EQ(m.ws.obskind, "displacement");
    EXPECT_EQ(m.ws.site[1].obsdx, -12.5f);  // on the central meridian
    EXPECT_EQ(m.ws.site[3].obsdx, kNoValue);

    const GnssField up =
        parsegmtvelocity("135.5 35 1 2 0.5 0.5 0.1 -7.5 0.9 A B\n135 35 1 2 .5 .5 0 A\n", true);
    ASSERT_EQ(up.sites.size(), 1u);
    EXPECT_EQ(up.sites[0].up, -7.5f);
    EXPECT_EQ(up.sites[0].name, "A B");
    m.readsites(gnsssitefile(up, true, "field.vel"));
    EXPECT_EQ(m.ws.obskind, "displacement3");
    EXPECT_EQ(m.ws.site[1].obsdz, -7.5f);
}

// The example's observations are the model's values plus the stated noise:
// read back as the program reads them, the misfit is that noise.
TEST(ExampleSites, ObservedMinusComputedIsTheStatedNoise) {
    const ExampleFiles files = examplesitefiles();
    EXPECT_EQ(files.sites.substr(0, 20), "\"Synthetic example -");
    // The shipped files are what the generator makes now.
    const std::filesystem::path examples =
        std::filesystem::path(__FILE__).parent_path() / "../../examples";
    for (const auto& [name, text] :
         {std::pair{kExampleWorkName, &files.work}, std::pair{kExampleSitesName, &files.sites}}) {
        std::string shipped;
        EXPECT_TRUE(readwholefile((examples / name).string(), shipped));
        EXPECT_EQ(shipped, *text) << name << ": run tools/make-example-sites.sh";
    }
    MapOn m;
    setdefaults(m.ws, "");
    const WorkReadResult w =
        readworktext(m.ws, m.host, m.proj, m.frame, files.work, [](WorkState&) { return true; });
    ASSERT_FALSE(w.inputerror);
    ASSERT_TRUE(m.ws.needmap);
    m.readsites(files.sites);
    ASSERT_EQ(m.ws.nsite, 30);
    SiteResults res;
    calcobsdata(m.ws, m.host, res);
    const auto misfit = computemisfit(m.ws, res);
    ASSERT_TRUE(misfit);
    EXPECT_EQ(misfit->nsites, 30);
    for (int c : {0, 1}) {
        EXPECT_GT(misfit->rms[static_cast<std::size_t>(c)], 0.6 * kExampleHorizontalNoise);
        EXPECT_LT(misfit->rms[static_cast<std::size_t>(c)], 1.5 * kExampleHorizontalNoise);
    }
    EXPECT_GT(misfit->rms[2], 0.6 * kExampleVerticalNoise);
    EXPECT_LT(misfit->rms[2], 1.5 * kExampleVerticalNoise);
    // The model moves the sites far more than the noise.
    float largest = 0;
    for (std::size_t i = 1; i <= 30; ++i) largest = std::max(largest, std::fabs(res.ux[i]));
    EXPECT_GT(largest, 50 * kExampleHorizontalNoise);
}

}  // namespace
}  // namespace crustex::tools
