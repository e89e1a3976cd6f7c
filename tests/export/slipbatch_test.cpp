// crustex-batch's runs on a made-up .inp model in place of a work file: the
// grid's nodes are the file's own (x then y, Finish a hair off the lattice),
// its longitudes and latitudes those of the Map info's stretch, and every
// node holds the sum of the file's patches evaluated one by one through the
// per-point routine at the file's DEPTH with its PR1; its sites are placed
// by the stretch; --slip adds a model to a work file's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/modelpoints.h"
#include "export/batchrun.h"
#include "files/inpfile.h"
#include "files/inpmodel.h"
#include "files/patchcsv.h"
#include "files/slipplace.h"
#include "support/csvtext.h"
#include "support/scratchdir.h"

namespace crustex {
namespace {

// Two slipping elements, an opening one and a receiver; x and y differ in
// start, step and count.
constexpr const char* kModel =
    "Made-up model for a test, not a real earthquake\n"
    "second title\n"
    "#reg1=  0  #reg2=  0  #fixed=  4  sym=  1\n"
    " PR1=  .300   PR2=  .300   DEPTH=  2.5\n"
    "  E1=   0.800000E+06   E2=   0.800000E+06\n"
    "FRIC=  .550\n"
    "\n"
    "  #  X-start Y-start X-fin Y-fin Kode rt.lat reverse dip angle top bot\n"
    "xxx xxx xxx xxx xxx xxx xxx xxx xxx xxx xxx\n"
    "  1  -3.0  -2.0   1.0   1.5  100   0.8   1.2  40  1.0  4.0\n"
    "  2   1.0   1.5   4.0   5.5  100  -0.3   2.0  40  1.0  4.0\n"
    "  3  -1.0  -4.0   2.0  -6.0  200   0.0   0.5  70  0.5  3.0\n"
    "  4   5.0   5.0   8.0   5.0  100   0.0   0.0  90  0.0 10.0\n"
    "\n"
    "     Grid Parameters\n"
    "  1  ---  Start-x =  -12.0\n"
    "  2  ---  Start-y =   -7.5\n"
    "  3  ---  Finish-x =  10.01\n"
    "  4  ---  Finish-y =   6.0\n"
    "  5  ---  x-increment =  2.0\n"
    "  6  ---  y-increment =  1.5\n"
    "     Map info\n"
    "  1  ---  min. lon =  120.0\n"
    "  2  ---  max. lon =  120.25\n"
    "  3  ---  zero lon =  120.1\n"
    "  4  ---  min. lat =  -20.0\n"
    "  5  ---  max. lat =  -19.8\n"
    "  6  ---  zero lat =  -19.9\n";

struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<float>> rows;

    std::size_t column(const std::string& name) const {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    }
};

// The header and the numbers of the rows before the first comment line.
Table readcsv(const std::string& text) {
    Table t;
    for (const auto& cells : test::csvrows(text)) {
        if (t.header.empty()) {
            t.header = cells;
            continue;
        }
        if (cells.empty() || cells[0].starts_with("#")) break;
        std::vector<float>& row = t.rows.emplace_back();
        for (const std::string& cell : cells) row.push_back(std::strtof(cell.c_str(), nullptr));
    }
    return t;
}

// The patches at one point one by one through the per-point routine.
Vec12 onebyone(const std::vector<SlipPatch>& patches, float alpha, float x, float y, float z) {
    Vec12 sum{}, one;
    for (const SlipPatch& p : patches) {
        EXPECT_EQ(patchatpoint(p, alpha, x, y, z, one), 0);
        for (int k = 0; k < 12; ++k) sum[k] += one[k];
    }
    return sum;
}

struct Batch {
    test::ScratchDir dir;
    std::FILE* messages = std::tmpfile();
    ~Batch() { std::fclose(messages); }

    // A grid CSV of ux, uy, uz (or with sites their table); the exit
    // status in `status`.
    Table run(const std::string& work, const std::string& slip, int& status,
              const std::string& sites = "") {
        BatchRequest r;
        r.command = sites.empty() ? BatchCommand::Grid : BatchCommand::Sites;
        r.work = work;
        r.slip = slip;
        r.sites = sites;
        r.output = dir.file("out.csv");
        r.format = OutputFormat::Csv;
        r.quantities = {"ux", "uy", "uz"};
        StderrHost host(messages);
        status = runbatch(r, BatchEnvironment{dir.str(), "", dir.str(), "test"}, host, nullptr);
        return readcsv(test::readfile(r.output));
    }
};

TEST(SlipBatch, InpGridIsTheFilesNodesAndTheSumOfItsPatches) {
    Batch b;
    const std::string path = b.dir.file("model.inp");
    test::writefile(path, kModel);
    int status = -1;
    const Table t = b.run(path, "", status);
    ASSERT_EQ(status, kBatchOk);
    ASSERT_EQ(t.header, (std::vector<std::string>{"x_km", "y_km", "lon_deg", "lat_deg", "ux_mm",
                                                  "uy_mm", "uz_mm"}));
    ASSERT_EQ(t.rows.size(), 12u * 10u);

    const InpModel m = readinp(kModel, "model.inp").model;
    ASSERT_EQ(m.patches.size(), 3u);  // the receiver is not a source
    const std::optional<InpStretch> stretch = inpstretch(m);
    ASSERT_TRUE(stretch);
    const float alpha = halfspacealpha(Medium{0.3f, 8e5f});
    std::vector<Vec12> want;
    double largest[3] = {};
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 12; ++i) {
            const float x = static_cast<float>(-12 + 2.0 * i),
                        y = static_cast<float>(-7.5 + 1.5 * j);
            const std::vector<float>& row = t.rows[static_cast<std::size_t>(j * 12 + i)];
            ASSERT_EQ(row[0], x);
            ASSERT_EQ(row[1], y);
            float lat = 0, lon = 0;
            stretchtogeo(*stretch, x, y, lat, lon);
            EXPECT_FLOAT_EQ(row[2], lon);
            EXPECT_FLOAT_EQ(row[3], lat);
            const Vec12 sum = onebyone(m.patches, alpha, x, y, -2.5f);
            want.push_back(sum);
            for (int k = 0; k < 3; ++k) largest[k] = std::max(largest[k], std::fabs(sum[k]));
        }
    }
    for (std::size_t n = 0; n < want.size(); ++n)
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(t.rows[n][static_cast<std::size_t>(4 + k)], want[n][k], 1e-5 * largest[k])
                << "node " << n << ", component " << k;

    // A site by latitude and longitude lands on the file's km by the stretch.
    const std::string sites = b.dir.file("s.obs.txt");
    test::writefile(sites, "\"obd3\",1\r\n\"A\",-19.9,120.125,0,1,2,3\r\n");
    const Table s = b.run(path, "", status, sites);
    ASSERT_EQ(status, kBatchOk);
    ASSERT_EQ(s.rows.size(), 1u);
    float x = 0, y = 0;
    geotostretch(*stretch, -19.9f, 120.125f, x, y);
    EXPECT_NEAR(s.rows[0][s.column("x_km")], x, 1e-3);
    EXPECT_NEAR(s.rows[0][s.column("y_km")], y, 1e-3);
    EXPECT_NEAR(x, -0.995, 1e-4);
}

TEST(SlipBatch, SlipOptionAddsAModelToAWorkFile) {
    Batch b;
    const char* data = std::getenv("CRUSTEX_TEST_DATA");
    ASSERT_NE(data, nullptr);
    const std::string work = std::string(data) + "/../../examples/startup.wrk.txt";
    int status = -1;
    const Table alone = b.run(work, "", status);
    ASSERT_EQ(status, kBatchOk);
    // The .inp file's patches as a km table, moved into the work's field.
    const std::string csv = b.dir.file("model.csv");
    SlipModel model;
    model.patches = readinp(kModel, "model.inp").model.patches;
    for (SlipPatch& p : model.patches) p.x0 += 95, p.x1 += 95, p.y0 += 80, p.y1 += 80;
    ASSERT_TRUE(storepatchcsv(csv, model, nullptr));
    const Table both = b.run(work, csv, status);
    ASSERT_EQ(status, kBatchOk);
    ASSERT_EQ(both.rows.size(), alone.rows.size());
    const std::size_t node = both.rows.size() / 2 + 3, uz = both.column("uz_mm");
    ASSERT_LT(uz, both.header.size());
    const Vec12 sum = onebyone(model.patches, halfspacealpha(Medium{}), both.rows[node][0],
                               both.rows[node][1], 0);
    EXPECT_NEAR(both.rows[node][uz], alone.rows[node][uz] + sum[2], 1e-4 * std::fabs(sum[2]));
    // A geographic model needs the map: refused as bad input.
    test::writefile(csv, std::string(kPatchCsvGeoHeader) + "\n135,35,5,10,30,90,4,3,1,0\n");
    b.run(work, csv, status);
    EXPECT_EQ(status, kBatchBadInput);
}

}  // namespace
}  // namespace crustex
