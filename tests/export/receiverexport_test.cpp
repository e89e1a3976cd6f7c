// Receiver exports: the CSV's columns in order with values that read back
// exactly, and GeoJSON polygons with the same values.
#include "export/receiverexport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "geo/mapform.h"
#include "model/grid2d.h"
#include "support/csvtext.h"

namespace crustex {
namespace {

// Two receivers, the second split 2 x 1, with made-up values (the third
// patch has none).
ReceiverResults results(std::vector<ReceiverFault>& list, StressUnit unit) {
    list.resize(2);
    list[0] = {10, 20, 10, 32, 1, 4, 90, 0, "a,\"b\"", {}};
    list[1] = {-3, 5, 9, 5, 2, 6, 30, NAN, "two", {}};
    ReceiverResults r;
    r.options.unit = unit;
    r.options.friction = 0.4f;
    r.patches = splitreceivers(list, {1, 1}, 45);
    const std::vector<ReceiverPatch> second = splitreceivers({&list[1], 1}, {2, 1}, 45);
    r.patches.resize(1);
    for (ReceiverPatch p : second) {
        p.receiver = 1;
        r.patches.push_back(p);
    }
    r.values = {
        {0.125f, -3.5f, -1.275f}, {-2.75e-3f, 1.5f, 0.5972f}, {kNoValue, kNoValue, kNoValue}};
    return r;
}

float number(const std::string& s) {
    float v = NAN;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

TEST(ReceiverExport, CsvColumnsInOrderAndValuesThatReadBack) {
    std::vector<ReceiverFault> list;
    const ReceiverResults r = results(list, StressUnit::MPa);
    const std::string text = receivercsvtext(r, list, nullptr);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "receiver,patch,name,x_km,y_km,lon_deg,lat_deg,depth_km,strike_deg,dip_deg,rake_deg,"
              "shear_MPa,normal_MPa,cff_MPa");
    std::vector<std::vector<std::string>> rows = test::csvrows(text);
    rows.erase(rows.begin());
    ASSERT_EQ(rows.size(), 3u);
    // A name with a comma and quotes is quoted, its quotes doubled.
    ASSERT_EQ(rows[0][2] + rows[0][3], "\"a\"\"b\"\"\"");
    rows[0].erase(rows[0].begin() + 3);
    for (std::size_t k = 0; k < 3; ++k) {
        const std::vector<std::string>& f = rows[k];
        const ReceiverPatch& p = r.patches[k];
        ASSERT_EQ(f.size(), 14u) << k;
        EXPECT_EQ(f[0], k == 0 ? "1" : "2");
        EXPECT_EQ(f[1], k == 2 ? "2" : "1");
        if (k > 0) {
            EXPECT_EQ(f[2], "two");
        }
        EXPECT_EQ(f[5] + f[6], "");  // no map: no degrees
        const float want[] = {p.x, p.y, p.depth, p.strike, p.dip, p.rake};
        const int at[] = {3, 4, 7, 8, 9, 10};
        for (int j = 0; j < 6; ++j) EXPECT_EQ(number(f[static_cast<std::size_t>(at[j])]), want[j]);
        const ReceiverValue& v = r.values[k];
        if (k == 2) {
            EXPECT_EQ(f[11] + f[12] + f[13], "");
        } else {
            EXPECT_EQ(number(f[11]), v.shear);
            EXPECT_EQ(number(f[12]), v.normal);
            EXPECT_EQ(number(f[13]), v.cff);
        }
    }
    EXPECT_EQ(rows[1][10], "45");  // the user's rake
    EXPECT_TRUE(
        receivercsvheader(StressUnit::Bar).ends_with(",rake_deg,shear_bar,normal_bar,cff_bar"));
}

TEST(ReceiverExport, GeoJsonPolygonsInDegreesOrInKm) {
    std::vector<ReceiverFault> list;
    const ReceiverResults r = results(list, StressUnit::Bar);
    const nlohmann::json km = nlohmann::json::parse(receivergeojson(r, list, nullptr));
    EXPECT_EQ(km["crustex"]["coordinates"], "model x, y (km)");
    EXPECT_EQ(km["crustex"]["unit"], "bar");
    ASSERT_EQ(km["features"].size(), 3u);
    const nlohmann::json& f = km["features"][1];
    EXPECT_EQ(f["properties"]["receiver"], 2);
    EXPECT_EQ(f["properties"]["cff_bar"].get<float>(), 0.5972f);
    EXPECT_TRUE(km["features"][2]["properties"]["cff_bar"].is_null());
    const nlohmann::json& ring = f["geometry"]["coordinates"][0];
    ASSERT_EQ(ring.size(), 5u);
    EXPECT_EQ(ring[0], ring[4]);
    // Counter-clockwise: the first corner, then the lower edge's first end.
    const ReceiverPatch& p = r.patches[1];
    EXPECT_EQ(ring[0][0].get<float>(), p.cx[0]);
    EXPECT_EQ(ring[1][1].get<float>(), p.cy[3]);
    double area = 0;
    for (std::size_t k = 0; k < 4; ++k)
        area += ring[k][0].get<double>() * ring[k + 1][1].get<double>() -
                ring[k + 1][0].get<double>() * ring[k][1].get<double>();
    EXPECT_GT(area, 0);

    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.needmap = true;
    Projection proj;
    PlotFrame frame;
    ASSERT_TRUE(setplotframe(frame, ws.rwidth) && setprojection(proj, ws) &&
                rebasefield(ws, proj, frame));
    const GeoFrame geo{proj, frame};
    const nlohmann::json deg = nlohmann::json::parse(receivergeojson(r, list, &geo));
    EXPECT_EQ(deg["crustex"]["coordinates"], "longitude, latitude (degrees)");
    float lat = 0, lon = 0;
    kmtogeo(proj, frame, p.cx[0], p.cy[0], lat, lon);
    EXPECT_EQ(deg["features"][1]["geometry"]["coordinates"][0][0][0].get<float>(), lon);
    EXPECT_EQ(deg["features"][1]["geometry"]["coordinates"][0][0][1].get<float>(), lat);
}

}  // namespace
}  // namespace crustex
