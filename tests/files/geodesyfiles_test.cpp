// The geodesy records of the files: the uncertainty blocks of a site file
// and the line of sight of a work file.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "files/sitefile.h"
#include "files/sitesigma.h"
#include "files/workfile.h"
#include "files/worklos.h"
#include "filetestutil.h"

namespace crustex {
namespace {

TEST(SiteSigma, CovarianceTurnsIntoTheFieldAxes) {
    // A quarter turn: X is north, Y south.
    const HorizontalSigma quarter = sigmatofieldaxes(3, 1, 0.5f, std::numbers::pi_v<float> / 2);
    EXPECT_FLOAT_EQ(quarter.x, 1);
    EXPECT_FLOAT_EQ(quarter.y, 3);
    EXPECT_FLOAT_EQ(quarter.corr, -0.5f);
    // Any turn keeps the trace and the determinant of the covariance.
    const HorizontalSigma t = sigmatofieldaxes(3, 1, 0.5f, 0.3f);
    EXPECT_NEAR(t.x * t.x + t.y * t.y, 10, 1e-5);
    EXPECT_NEAR(t.x * t.x * t.y * t.y * (1 - t.corr * t.corr), 6.75, 1e-4);
    // One sigma alone is no horizontal uncertainty.
    EXPECT_EQ(sigmatofieldaxes(3, 0, 0.5f, 0.3f).x, 0);
}

// The map on over the default range (conic, central meridian 135.5 E), so
// that sites at 134 and 137 E see meridian angles of either sign.
struct SigmaBlocks : test::FileFixture {
    // A, a site left out for its height, B; then their uncertainties.
    const std::string obd3 =
        "\"obd3\",3\r\n\"A\",35,134,0,1,2,3\r\n\"C\",35,135,20,1,1,1\r\n\"B\",35.5,137,0,-4,5,"
        "6\r\n";
    const std::string sigma3 = "\"obsig3\",3\r\n3,1,5,.5\r\n9,9,9,0\r\n2,4,NaN,-.25\r\n";
    void SetUp() override {
        test::FileFixture::SetUp();
        ws.needmap = true;
        ASSERT_TRUE(setprojection(proj, ws));
    }
    SiteReadResult read(const std::string& text) { return readsitetext(ws, host, geo(), text); }
};

TEST_F(SigmaBlocks, ReadIntoTheSitesOfTheBlockBeforeAndSkippedByOlderReaders) {
    read(obd3 + sigma3);
    ASSERT_EQ(ws.nsite, 2);
    const HorizontalSigma a = sigmatofieldaxes(3, 1, 0.5f, meridianangle(proj, 134));
    const HorizontalSigma b = sigmatofieldaxes(2, 4, -0.25f, meridianangle(proj, 137));
    EXPECT_NE(a.corr, 0.5f);  // turned
    const WorkState with = ws;
    const siterec& A = with.site[1];
    const siterec& B = with.site[2];
    EXPECT_EQ(std::tie(A.name, A.sigdx, A.sigdy, A.sigdz, A.corrdxdy),
              std::make_tuple("A", a.x, a.y, 5.0f, a.corr));
    // B takes the third record: the left-out site's is passed over.
    EXPECT_EQ(std::tie(B.name, B.sigdx, B.sigdy, B.sigdz, B.corrdxdy),
              std::make_tuple("B", b.x, b.y, 0.0f, b.corr));

    // An older reader meets "obsig3" as a keyword it does not know, like
    // "obnew3" here, followed by numbers only: the same sites and messages
    // (the left-out site's "Input Error"), without the sigmas.
    const std::vector<std::string> messages = texts();
    host.messages.clear();
    std::string unknown = sigma3;
    unknown.replace(1, 6, "obnew3");
    read(obd3 + unknown);
    EXPECT_EQ(texts(), messages);
    ASSERT_EQ(ws.nsite, 2);
    for (std::size_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(std::tie(ws.site[i].name, ws.site[i].obsdx, ws.site[i].obsdz),
                  std::tie(with.site[i].name, with.site[i].obsdx, with.site[i].obsdz));
        EXPECT_EQ(ws.site[i].sigdx, 0);
    }
}

TEST_F(SigmaBlocks, RefusedWholeWhenTheyDoNotFit) {
    const std::string good = "\"obd\",2\r\n\"A\",35,134,0,1,2\r\n\"B\",35.5,137,0,-4,5\r\n";
    for (const std::string& text : {
             good + "\"obsig\",3\r\n1,1,0\r\n1,1,0\r\n1,1,0\r\n",  // count of another block
             good + "\"obsig3\",2\r\n1,1,1,0\r\n1,1,1,0\r\n",      // no up in "obd"
             good + "\"obsig\",2\r\n1,1,0\r\n-1,1,0\r\n",          // negative sigma
             good + "\"obsig\",2\r\n1,1,0\r\n1,1,1.5\r\n",         // correlation beyond 1
             "\"obsig\",2\r\n1,1,0\r\n1,1,0\r\n" + good,           // before its block
         }) {
        setdefaults(ws, "");
        ws.needmap = true;
        host.messages.clear();
        const SiteReadResult r = read(text);
        EXPECT_TRUE(r.inputerror) << text;
        EXPECT_EQ(ws.nsite, 2) << text;
        EXPECT_EQ(ws.site[1].sigdx, 0) << text;
        EXPECT_EQ(ws.site[2].sigdy, 0) << text;
    }
}

TEST_F(SigmaBlocks, LineOfSightInAWorkFile) {
    const auto read = [this](WorkState& into, const std::string& text) {
        return readworktext(into, host, proj, frame, text, [](WorkState&) { return true; });
    };
    const std::string plain = workfiletext(ws, geo());  // the start-up geometry: no record
    ws.losheading = 190;
    ws.losincidence = 20.5f;
    ws.loswavelength = 236;
    const std::string text = workfiletext(ws, geo());
    EXPECT_EQ(text.size(), plain.size() + std::string("\"losparam\",190,20.5,236\r\n").size());
    WorkState back;
    setdefaults(back, "");
    read(back, text);
    EXPECT_EQ(std::tie(back.losheading, back.losincidence, back.loswavelength),
              std::tie(ws.losheading, ws.losincidence, ws.loswavelength));
    // A file without the record means the start-up geometry; one the
    // program cannot use is passed over.
    read(back, plain);
    EXPECT_EQ(std::make_pair(back.losheading, back.loswavelength), std::make_pair(350.0f, 55.5f));
    std::string bad = text;
    EXPECT_TRUE(read(back, bad.replace(bad.find("20.5"), 4, "95")).inputerror);
    EXPECT_EQ(back.losincidence, 34);
}

}  // namespace
}  // namespace crustex
