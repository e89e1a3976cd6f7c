#include <gtest/gtest.h>
#include <netcdf.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "export/contourexport.h"
#include "export/fieldexport.h"
#include "export/gridcsv.h"
#include "export/gridnetcdf.h"
#include "export/sitecsv.h"
#include "geo/projection.h"
#include "support/csvtext.h"
#include "support/scratchdir.h"
#include "support/scriptedhost.h"

namespace crustex {
namespace {

// The start-up fault on a 5 x 3 grid (x and y differ, so a transposed
// variable cannot pass), with the map on so that lat and lon are written.
struct Field {
    WorkState ws;
    Projection proj;
    PlotFrame frame;
    test::ScriptedHost host;
    FieldGridExport grid;

    Field() {
        setdefaults(ws, "/tmp");
        ws.xgrid = 5;
        ws.ygrid = 3;
        ws.obsdepth = 1.5f;
        ws.needmap = true;
        setplotframe(frame, ws.rwidth);
        EXPECT_TRUE(setprojection(proj, ws));
        EXPECT_TRUE(evaluatefieldgrid(ws, host));
        const GeoFrame geo{proj, frame};
        const auto vars = gridvariables(defaultgridquantities());
        grid = collectfieldgrid(ws, host, vars, &geo, {"CRUSTEX 9.9", "made by a test"});
        // One node without a value: it must come back as the fill value.
        grid.variables[2].values(4, 1) = kNoValue;
    }
};

std::string textatt(int nc, int var, const char* name) {
    std::size_t len = 0;
    if (nc_inq_attlen(nc, var, name, &len) != NC_NOERR) return "<missing>";
    std::string s(len, '\0');
    nc_get_att_text(nc, var, name, s.data());
    return s;
}

TEST(GridNetcdf, ReadsBackThroughTheLibraryWithCfAttributes) {
    Field f;
    const test::ScratchDir dir;
    const std::string path = dir.file("grid.nc");
    std::string error;
    ASSERT_TRUE(writegridnetcdf(f.grid, path, error)) << error;

    int nc = -1;
    ASSERT_EQ(nc_open(path.c_str(), NC_NOWRITE, &nc), NC_NOERR);
    int xdim = -1, ydim = -1;
    std::size_t nx = 0, ny = 0;
    ASSERT_EQ(nc_inq_dimid(nc, "x", &xdim), NC_NOERR);
    ASSERT_EQ(nc_inq_dimid(nc, "y", &ydim), NC_NOERR);
    nc_inq_dimlen(nc, xdim, &nx);
    nc_inq_dimlen(nc, ydim, &ny);
    EXPECT_EQ(nx, 6u);
    EXPECT_EQ(ny, 4u);

    int xvar = -1;
    ASSERT_EQ(nc_inq_varid(nc, "x", &xvar), NC_NOERR);
    std::vector<double> x(nx);
    nc_get_var_double(nc, xvar, x.data());
    EXPECT_EQ(x, f.grid.x);
    EXPECT_EQ(textatt(nc, xvar, "units"), "km");

    // Every variable equals the grid node for node, in (y, x) order.
    for (const ExportedVariable& v : f.grid.variables) {
        SCOPED_TRACE(std::string(v.info->name));
        int id = -1;
        ASSERT_EQ(nc_inq_varid(nc, std::string(v.info->name).c_str(), &id), NC_NOERR);
        std::vector<float> got(nx * ny);
        ASSERT_EQ(nc_get_var_float(nc, id, got.data()), NC_NOERR);
        for (std::size_t j = 0; j < ny; ++j)
            for (std::size_t i = 0; i < nx; ++i)
                ASSERT_EQ(got[j * nx + i], v.values(int(i), int(j))) << i << " " << j;
        EXPECT_EQ(textatt(nc, id, "units"), v.info->units);
        EXPECT_EQ(textatt(nc, id, "long_name"), v.info->longname);
        EXPECT_EQ(textatt(nc, id, "coordinates"), "lon lat");
        float fill = 0;
        ASSERT_EQ(nc_get_att_float(nc, id, "_FillValue", &fill), NC_NOERR);
        EXPECT_EQ(fill, kNoValue);
        // The range GMT reports: the values' own, without the fill value.
        float range[2] = {0, 0}, lo = 1e38f, hi = -1e38f;
        ASSERT_EQ(nc_get_att_float(nc, id, "actual_range", range), NC_NOERR);
        for (float value : got)
            if (value != kNoValue) lo = std::min(lo, value), hi = std::max(hi, value);
        EXPECT_EQ(range[0], lo);
        EXPECT_EQ(range[1], hi);
    }
    int lat = -1;
    ASSERT_EQ(nc_inq_varid(nc, "lat", &lat), NC_NOERR);
    EXPECT_EQ(textatt(nc, lat, "units"), "degrees_north");
    std::vector<float> lats(nx * ny);
    nc_get_var_float(nc, lat, lats.data());
    EXPECT_EQ(lats[1 * nx + 4], f.grid.lat(4, 1));

    EXPECT_EQ(textatt(nc, NC_GLOBAL, "Conventions"), "CF-1.8");
    EXPECT_EQ(textatt(nc, NC_GLOBAL, "source"), "CRUSTEX 9.9");
    EXPECT_EQ(textatt(nc, NC_GLOBAL, "observation_plane"), "horizontal");
    EXPECT_NE(textatt(nc, NC_GLOBAL, "sources").find("1: fault from (85, 100) to (105, 100) km"),
              std::string::npos);
    double depth = 0, poisson = 0;
    nc_get_att_double(nc, NC_GLOBAL, "observation_depth_km", &depth);
    nc_get_att_double(nc, NC_GLOBAL, "poisson_ratio", &poisson);
    EXPECT_EQ(depth, 1.5);
    EXPECT_EQ(poisson, 0.25);
    nc_close(nc);
}

TEST(GridCsv, HeaderAndOneRowPerNodeWithXFastest) {
    Field f;
    const std::string csv = gridcsvtext(f.grid);
    const auto rows = test::csvrows(csv);
    ASSERT_EQ(rows.size(), 1u + 6 * 4);
    EXPECT_EQ(csv.substr(0, 62), "x_km,y_km,lon_deg,lat_deg,ux_mm,uy_mm,uz_mm,sxx_microstrain,sy");
    // Node (3, 2) is row 1 + 2 * 6 + 3; its uz cell is the seventh.
    const std::vector<std::string>& cells = rows[1 + 2 * 6 + 3];
    EXPECT_EQ(std::stod(cells[0]), f.grid.x[3]);
    EXPECT_EQ(std::stod(cells[1]), f.grid.y[2]);
    EXPECT_EQ(std::stof(cells[6]), f.grid.variables[2].values(3, 2));
    // The node without a value (uz at (4, 1)) has an empty cell.
    EXPECT_EQ(rows[1 + 1 * 6 + 4][6], "");
}

// Site names reach the table as they are when they are UTF-8; a byte that
// starts no character (a lone, cut-off, overlong, surrogate or too large
// sequence) and a NUL become U+FFFD, so the table stays UTF-8.
TEST(SiteCsv, NamesStayValidUtf8) {
    const std::string bad = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        // name, its cell
        {"S\xC3\xA9te 1", "S\xC3\xA9te 1"},
        {std::string("S\0"
                     "2",
                     3),
         "S" + bad + "2"},
        {"S\xFF"
         "3",
         "S" + bad + "3"},
        {"\xE6\x97", bad + bad},
        {"\xC0\xAF\xED\xA0\x80", bad + bad + bad + bad + bad},
        {"a,\xF4\x90\x80\x80\xF0\x9F\x8C\x8B",
         "\"a," + bad + bad + bad + bad + "\xF0\x9F\x8C\x8B\""},
    };
    WorkState ws;
    setdefaults(ws, "/tmp");
    ws.nsite = static_cast<int16_t>(std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k) ws.site[k + 1].name = cases[k].first;
    std::istringstream csv(sitecsvtext(ws, SiteResults{}, {}));
    std::string line;
    std::getline(csv, line);
    for (const auto& [name, cell] : cases) {
        std::getline(csv, line);
        EXPECT_EQ(line.substr(0, cell.size() + 1), cell + ",");
    }
}

// A pyramid whose only level-10 line is the diamond 2|x - 3| + 4|y - 1| = 5
// (the grid's values lie between 3 and 15 and the levels are multiples of
// 10). x and y have different scales and steps, so swapped coordinates
// fail the equation.
float pyramid(float x, float y) { return 15 - 2 * std::fabs(x - 3) - 4 * std::fabs(y - 1); }

TEST(ContourGeoJson, OneLevelTracedJoinedAndParsedBack) {
    std::vector<float> x, y;
    for (int i = 0; i <= 15; ++i) x.push_back(0.4f * i);
    for (int j = 0; j <= 12; ++j) y.push_back(-0.5f + 0.25f * j);
    Grid2D values(15, 12);
    for (int i = 0; i <= 15; ++i)
        for (int j = 0; j <= 12; ++j) values(i, j) = pyramid(x[i], y[j]);
    ContourRule rule;
    rule.subinterval = 10;
    rule.nsubline = 0;
    const std::vector<ContourLine> lines = tracegridcontours(values, x, y, rule);

    ContourJsonInfo info{"Displacement Z", "uz", "mm", {}};
    info.togeo = [](float px, float py, float& lon, float& lat) {
        lon = 135 + px / 100;
        lat = 35 + py / 100;
    };
    const nlohmann::json doc = nlohmann::json::parse(contourgeojson(lines, info));
    EXPECT_EQ(doc["type"], "FeatureCollection");
    EXPECT_EQ(doc["crustex"]["quantity"], "Displacement Z");
    ASSERT_EQ(doc["features"].size(), 1u);  // the cells' pieces joined into one line
    const auto& feature = doc["features"][0];
    EXPECT_EQ(feature["properties"]["level"], 10.0);
    EXPECT_EQ(feature["properties"]["kind"], "main");
    EXPECT_EQ(feature["properties"]["unit"], "mm");
    EXPECT_EQ(feature["geometry"]["type"], "LineString");
    const auto& coords = feature["geometry"]["coordinates"];
    ASSERT_GT(coords.size(), 20u);
    EXPECT_EQ(coords.front(), coords.back());  // a closed ring
    for (const auto& c : coords) {
        const double px = (c[0].get<double>() - 135) * 100;
        const double py = (c[1].get<double>() - 35) * 100;
        EXPECT_NEAR(2 * std::fabs(px - 3) + 4 * std::fabs(py - 1), 5, 2e-3) << c;
    }
}

TEST(ContourJoin, PiecesOfTwoLevelsAndAStrayPointStayApart) {
    // Level 1: three pieces given out of order, one reversed; level 2: one
    // piece touching level 1's end; a piece of no length.
    const ContourPiece pieces[] = {
        {{1, 0}, {2, 0}, 1, LevelKind::Main}, {{2, 0}, {2, 1}, 2, LevelKind::PositiveSub},
        {{3, 1}, {2, 0}, 1, LevelKind::Main}, {{0, 0}, {1, 0}, 1, LevelKind::Main},
        {{5, 5}, {5, 5}, 1, LevelKind::Main},
    };
    const auto lines = joincontourpieces(pieces, 1e-4f);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].level, 1);
    const std::vector<FramePoint> want{{0, 0}, {1, 0}, {2, 0}, {3, 1}};
    auto got = lines[0].points;
    if (got.front() != want.front()) std::reverse(got.begin(), got.end());
    EXPECT_EQ(got, want);
    EXPECT_EQ(lines[1].level, 2);
    EXPECT_EQ(lines[1].points.size(), 2u);
}

}  // namespace
}  // namespace crustex
