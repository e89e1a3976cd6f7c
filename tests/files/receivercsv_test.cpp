// Receiver CSV files: columns by name, rows skipped with their reasons,
// refused files that leave the receivers as they were, degrees through the
// map; and the stress unit record of the work and settings files.
#include "files/receivercsv.h"

#include <gtest/gtest.h>

#include <cmath>

#include "files/settingsfile.h"
#include "files/workfile.h"
#include "filetestutil.h"
#include "geo/mapform.h"
#include "model/sourcemodel.h"

namespace crustex {
namespace {

using test::FileFixture;

TEST(ReceiverCsv, ColumnsByNameInAnyOrderAndRowsSkippedWithTheirReasons) {
    const ReceiverFileRead r = readreceivercsv(
        "# made-up receivers\n"
        "Name,bottom_km,Rake,x1,y1_km,dip_deg,TOP_KM,x0_km,y0\n"
        "north,12,,3,40,60,2,1,-5\n"
        "\"second one\",8.5,-90,7,-2,90,0.5,4,6\n"
        "bad dip,10,0,1,1,95,0,0,0\n"
        "\n"
        "flat,2,0,1,1,45,2,0,0\n"
        "here,5,0,1,1,45,0,1,1\n"
        "short,5\n"
        "word,5,0,1,1,45,x,0,0\n",
        "r.csv");
    ASSERT_FALSE(r.report.failed()) << receiverfilesummary(r);
    EXPECT_FALSE(r.geographic);
    ASSERT_EQ(r.receivers.size(), 2u);
    const ReceiverFault& a = r.receivers[0];
    EXPECT_EQ(a.name, "north");
    EXPECT_EQ(std::tuple(a.x0, a.y0, a.x1, a.y1, a.top, a.dip),
              std::tuple(1.f, -5.f, 3.f, 40.f, 2.f, 60.f));
    EXPECT_NEAR(a.width, 10 / std::sin(kPi / 3), 1e-5);
    EXPECT_TRUE(std::isnan(a.rake));  // empty: the user's
    const ReceiverFault& b = r.receivers[1];
    EXPECT_EQ(std::tuple(b.name, b.x0, b.y0, b.x1, b.y1, b.rake),
              std::tuple(std::string("second one"), 4.f, 6.f, 7.f, -2.f, -90.f));
    EXPECT_FLOAT_EQ(b.width, 8);
    EXPECT_EQ(r.lines, (std::vector<uint32_t>{3, 4}));
    EXPECT_EQ(r.report.skipped(), 5u);
    EXPECT_EQ(receiverfilesummary(r),
              "r.csv: 2 receivers, 5 skipped (line 5: dip 95 outside 0..90)");
    const std::vector<std::string> m = r.report.messages();
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m[1], "r.csv, line 7: bottom not below top");
    EXPECT_EQ(m[2], "r.csv, line 8: zero length: both ends in one place");
    EXPECT_EQ(m[3], "r.csv, line 9: 2 values, 9 wanted");
    EXPECT_EQ(m[4], "r.csv, line 10: \"x\" is not a number");
}

struct ReceiverFile : FileFixture {
    test::ScratchDir dir;
    std::string write(const std::string& text) {
        const std::string path = dir.file("r.csv");
        test::writefile(path, text);
        return path;
    }
};

TEST_F(ReceiverFile, AnUnusableFileLeavesTheReceiversAsTheyWere) {
    ws.receivers.resize(3);
    ws.receivers[1].name = "kept";
    const std::pair<const char*, const char*> cases[] = {
        {"x0,y0,x1,y1,dip,top\n0,0,1,1,45,0\n", ", line 1: no column bottom_km"},
        {"x0,y0,x1,dip,top,bottom\n", ", line 1: no columns x0_km,y0_km,x1_km,y1_km"},
        {"\n# nothing\n", ": no header line"},
        {"x0,y0,x1,y1,dip,top,bottom\n0,0,1,1,0,0,1\n",
         ": no usable receiver, 1 skipped (line 2: dip 0 outside 0..90)"},
        // Degrees without a map to place them on.
        {"lon0,lat0,lon1,lat1,dip,top,bottom\n135,35,135.1,35,45,0,5\n",
         ": no map is set up to place latitudes and longitudes on"},
    };
    for (const auto& [text, why] : cases) {
        std::string summary;
        const std::string path = write(text);
        EXPECT_FALSE(loadreceiverfile(ws, nullptr, path, summary));
        EXPECT_EQ(summary.substr(0, path.size()), path);
        EXPECT_EQ(summary.substr(path.size(), std::string(why).size()), why) << summary;
        ASSERT_EQ(ws.receivers.size(), 3u);
        EXPECT_EQ(ws.receivers[1].name, "kept");
    }
}

TEST_F(ReceiverFile, DegreesArePlacedThroughTheMapKeepingTheirLength) {
    ws.needmap = true;
    ASSERT_TRUE(setprojection(proj, ws) && rebasefield(ws, proj, frame));
    const GeoFrame g = geo();
    std::string summary;
    ASSERT_TRUE(
        loadreceiverfile(ws, &g,
                         write("lon0_deg,lat0_deg,lon1_deg,lat1_deg,dip_deg,top_km,bottom_km\n"
                               "135.2,35.1,135.2,35.3,45,1,4\n"),
                         summary))
        << summary;
    ASSERT_EQ(ws.receivers.size(), 1u);
    const ReceiverFault& r = ws.receivers[0];
    ASSERT_TRUE(r.geo.has_value());
    float x = 0, y = 0;
    geotokm(proj, frame, 35.1f, 135.2f, x, y);
    EXPECT_NEAR(r.x0, x, 1e-3);
    EXPECT_NEAR(r.y0, y, 1e-3);
    // 0.2 degrees of latitude on the globe; the edge points north.
    const double length = std::hypot(r.x1 - r.x0, r.y1 - r.y0);
    EXPECT_NEAR(length, 0.2 * kDegToRad * kMeanRadius, 1e-3);
    EXPECT_GT(r.y1, r.y0);
    EXPECT_NEAR(r.width, 3 * std::sqrt(2.0), 1e-5);
}

TEST_F(FileFixture, TheStressUnitIsKeptByARecordOnlyWhenNotTheDefault) {
    const GeoFrame g = geo();
    EXPECT_EQ(workfiletext(ws, g).find("stressunit"), std::string::npos);
    EXPECT_EQ(settingstext(ws, WindowPlaces{}).find("stressunit"), std::string::npos);
    ws.stressunit = StressUnit::MPa;
    const std::string text = workfiletext(ws, g);
    EXPECT_NE(text.find("\"stressunit\",\"MPa\"\r\n"), std::string::npos);
    WorkState back;
    setdefaults(back, "/data/crustex");
    WindowPlaces places;
    EXPECT_EQ(readsettingstext(back, places, settingstext(ws, WindowPlaces{})), SettingsRead::Read);
    EXPECT_EQ(back.stressunit, StressUnit::MPa);
    // A file without the record leaves the unit; a word that names none is
    // refused and leaves it too.
    back.stressunit = StressUnit::Bar;
    EXPECT_EQ(readsettingstext(back, places, "\"cffpara\",.4\r\n"), SettingsRead::Read);
    EXPECT_EQ(readsettingstext(back, places, "\"stressunit\",\"psi\"\r\n"), SettingsRead::Damaged);
    EXPECT_EQ(back.stressunit, StressUnit::Bar);
}

}  // namespace
}  // namespace crustex
