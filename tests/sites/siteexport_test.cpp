#include "sites/siteexport.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "files/filetestutil.h"
#include "files/recordio.h"
#include "sites/misfit.h"

namespace crustex {
namespace {

using test::crlflines;

struct SiteExport : test::FileFixture {
    SiteResults res;
    void SetUp() override {
        test::FileFixture::SetUp();
        ws.needmap = true;
        ASSERT_TRUE(setprojection(proj, ws));
        ws.gridstale = ws.cffstale = false;
    }
    void addsite(const char* name, float x, float y) {
        const auto i = static_cast<std::size_t>(++ws.nsite);
        ws.site[i].name = name;
        ws.site[i].x = x;
        ws.site[i].y = y;
    }
};

TEST_F(SiteExport, StrainLineOfSiteA1) {
    EXPECT_EQ(obssitetext(ws, res), "");
    addsite("A1", 10, -5);
    res.areal[1] = 0.00123f;
    res.cff[1] = kNoValue;
    const std::string line = obssitetext(ws, res);
    EXPECT_EQ(line.substr(0, 33), "     1.E+01    -5.E+00   1.23E-03");
    EXPECT_EQ(line.substr(55), "  9.999E+99 A1\r\n");
    EXPECT_EQ(line.size(), 66u + 3 + 2);
}

// The header as the file's own words in UTF-8; a site on the central
// meridian (meridian angle 0) has east = ux / 1000 and north = uy / 1000; a
// missing component is written as the no-value marker.
TEST_F(SiteExport, DisplacementExport) {
    float x = 0, y = 0;
    geotokm(proj, frame, 35, 135.5f, x, y);
    addsite("On,axis", x, y);
    res.ux[1] = 12.5f;
    res.uy[1] = -3;
    res.uz[1] = kNoValue;
    const std::vector<std::string> lines = crlflines(exportobstext(ws, res, geo()));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "1: 観測点の変位 (m)");
    EXPECT_EQ(lines[2], "解析範囲:北緯 34 -- 36  東経 134 -- 137 ");
    EXPECT_TRUE(lines[4].ends_with("Z方向変位\u3000フラグ"));
    const std::string tail =
        "," + recordfloat(12.5f / 1000) + "," + recordfloat(-3.0f / 1000) + ",1E+30,0,0,0,2";
    EXPECT_EQ(lines[5].substr(0, 8), "On axis,");
    EXPECT_EQ(lines[5].substr(lines[5].size() - tail.size()), tail);

    ws.nsite = 0;
    EXPECT_EQ(crlflines(exportobstext(ws, res, geo())).size(), 5u);
}

// Three sites with both values and one without a computed value:
// X residuals 1, 0, 0 and Y residuals 0, 3, -4 give RMS X = sqrt(1/3) =
// 0.5774, Y = sqrt(25/3) = 2.887 and all = sqrt(26/6) = 2.082.
TEST_F(SiteExport, MisfitOfThreeSites) {
    const float obs[][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    const float comp[][2] = {{0, 2}, {3, 1}, {5, 10}, {kNoValue, 0}};
    ws.obskind = "displacement";
    for (std::size_t i = 1; i <= 4; ++i) {
        addsite("S", 0, 0);
        ws.site[i].obsdx = obs[i - 1][0];
        ws.site[i].obsdy = obs[i - 1][1];
        res.ux[i] = comp[i - 1][0];
        res.uy[i] = comp[i - 1][1];
    }
    const auto m = computemisfit(ws, res);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nsites, 3);
    EXPECT_NEAR(m->rms[0], 0.57735, 1e-5);
    EXPECT_NEAR(m->rms[1], 2.88675, 1e-5);
    EXPECT_NEAR(m->overall, 2.08167, 1e-5);
    EXPECT_EQ(misfittext(*m),
              "Misfit (displacement, 3 sites): RMS X 0.5774, Y 2.887, all 2.082 mm");
    // The window's line says what was observed, and when it is not what is shown.
    const std::string rms = "): RMS X 0.5774, Y 2.887, all 2.082 mm";
    for (const char* key : {"", "uy", "displacement"})
        EXPECT_EQ(misfitline(*m, key),
                  "Misfit of the observed horizontal displacements (3 sites" + rms)
            << key;
    for (const char* key : {"uz", "volstrain", "tilt1", "principal"})
        EXPECT_EQ(misfitline(*m, key),
                  "Misfit of the observed horizontal displacements (3 sites; not the quantity "
                  "shown" +
                      rms)
            << key;

    ws.obskind = "";
    EXPECT_FALSE(computemisfit(ws, res));
    EXPECT_EQ(misfitsummarytext(ws, res), "");
}

// The reduced chi-square worked by hand: computed values all 0, so the
// residuals are the observations.
TEST_F(SiteExport, ChiSquareWeightsTheResidualsByTheirSigmas) {
    ws.obskind = "displacement3";
    ws.nsite = 3;
    const std::array<float, 7> sites[] = {
        // observed X, Y, Z; sigma X, Y, Z; rho
        {1, 2, 3, 1, 2, 3, 0.5f},   // X, Y with rho: (1 - 2 .5 + 1) / .75; Z: 1
        {2, -1, 4, 2, 0, 0, 0.9f},  // X alone (no Y sigma, so no pair): 1
        {3, 3, 3, 0, 0, 0, 0},      // no sigma: nothing
    };
    for (std::size_t i = 1; i <= 3; ++i) {
        siterec& r = ws.site[i];
        std::tie(r.obsdx, r.obsdy, r.obsdz, r.sigdx, r.sigdy, r.sigdz, r.corrdxdy) =
            std::tuple_cat(sites[i - 1]);
    }
    const auto m = computemisfit(ws, res);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nsites, 3);
    EXPECT_EQ(m->weighted, 4);
    EXPECT_NEAR(m->chisquare, (1 / 0.75 + 1 + 1) / 4, 1e-12);
    EXPECT_NE(misfittext(*m).find("; reduced chi-square 0.8333 over 4 components (no parameters "
                                  "fitted)"),
              std::string::npos);
    // The same observations as tilts carry no sigma: no chi-square.
    ws.obskind = "tilt1";
    EXPECT_EQ(misfittext(*computemisfit(ws, res)).find("chi"), std::string::npos);
}

TEST_F(SiteExport, FilesThroughTheHostAndTheSummaryBeside) {
    test::ScratchDir dir;
    addsite("A", 100, 120);
    ws.obskind = "uz";
    ws.site[1].obsdz = 1;
    ws.gridstale = true;  // the site values are brought up to date first
    ASSERT_TRUE(exportobs(ws, host, res, geo(), dir.file("out.TXT")));
    EXPECT_NE(res.uz[1], 0);
    EXPECT_NE(res.uz[1], kNoValue);
    EXPECT_NE(test::readfile(dir.file("out.misfit.txt")).find("Misfit (uz, 1 site): RMS Z "),
              std::string::npos);
    EXPECT_EQ(misfitpath("a.b"), "a.b.misfit.txt");

    EXPECT_FALSE(saveobssite(ws, host, res, dir.file("no/such/dir.txt")));
    EXPECT_EQ(texts(), std::vector<std::string>{"Open Error"});
}

}  // namespace
}  // namespace crustex
