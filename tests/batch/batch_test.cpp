// crustex-batch run as a program: exit status, standard error and what it
// writes.
#include <gtest/gtest.h>
#include <netcdf.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kExamples = CRUSTEX_EXAMPLES;
const std::string kStartup = kExamples + "/startup.wrk.txt";

std::string readfile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::string shellquote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Outcome {
    int status = -1;
    std::string err;
};

class Batch : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = ::testing::TempDir();
        if (base.back() != '/') base += '/';
        dir_ = base + "crustex-batch-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(dir_.c_str(), 0755);
    }
    void TearDown() override { std::system(("rm -rf " + shellquote(dir_)).c_str()); }

    std::string out(const std::string& name) const { return dir_ + "/" + name; }

    Outcome run(const std::vector<std::string>& args) const {
        std::string cmd = shellquote(CRUSTEX_BATCH);
        for (const std::string& a : args) {
            cmd += ' ';
            cmd += shellquote(a);
        }
        const std::string errfile = out("stderr.txt");
        const int raw = std::system((cmd + " >/dev/null 2>" + shellquote(errfile)).c_str());
        Outcome o;
        o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        o.err = readfile(errfile);
        return o;
    }

    std::string dir_;
};

// Each argument list is split at blanks (quantity names keep theirs after
// "="): "@name" stands for a file in the test's directory, "START" for the
// start-up work file.
TEST_F(Batch, BadInputIsOneLineStatusTwoAndNothingWritten) {
    std::ofstream(out("garbage.wrk.txt")) << "\"fieldpara\",1,2,#NOPE#\r\n";
    ::mkdir(out("d.nc").c_str(), 0755);
    const struct {
        const char* args;
        const char* output;  // the file that must not appear
        const char* says;    // in the last line
    } cases[] = {
        {"draw START -o @a.pdf", "a.pdf", "unknown subcommand 'draw'"},
        {"grid @none.wrk.txt -o @a.nc", "a.nc", "cannot read the work file"},
        {"grid @ -o @a.nc", "a.nc", "cannot read the work file"},  // a directory
        {"grid @garbage.wrk.txt -o @a.nc", "a.nc", "cannot use the work file"},
        {"grid START --sources @none.flt.txt -o @a.nc", "a.nc", "cannot read the source file"},
        {"grid START -o @no/a.nc", "no/a.nc", "no directory"},
        {"grid START -o @d.nc", "a.nc", "is a directory"},
        {"render START --quantity =Displacement W -o @a.pdf", "a.pdf",
         "unknown quantity 'Displacement W'"},
        {"grid START --quantities =uz,Tilt (du/dz) -o @a.nc", "a.nc",
         "unknown quantity 'Tilt (du/dz)'"},
        {"grid START -o @a.tif", "a.tif", "unknown output extension"},
        {"contours START --quantity =Horizontal Displacement -o @a.geojson", "a.geojson",
         "is not drawn as contour lines"},
        {"grid START --dpi 300 -o @a.nc", "a.nc", "does not apply"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        std::vector<std::string> args;
        std::istringstream words(c.args);
        for (std::string w; words >> w;) {
            if (w[0] == '=') {  // a name with blanks, up to the next option
                std::string rest;
                while (words >> rest && rest[0] != '-') w += " " + rest;
                args.push_back(w.substr(1));
                w = rest;
            }
            args.push_back(w == "START" ? kStartup : w[0] == '@' ? out(w.substr(1)) : w);
        }
        const Outcome o = run(args);
        EXPECT_EQ(o.status, 2);
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        // One line of the program's own; a reader's message may come before it.
        const auto lines = std::count(o.err.begin(), o.err.end(), '\n');
        EXPECT_EQ(lines, std::string(c.args).find("garbage") != std::string::npos ? 2 : 1) << o.err;
        EXPECT_FALSE(exists(out(c.output)));
    }
    // The reader's own words come first for a damaged file, with the reason.
    EXPECT_EQ(run({"grid", out("garbage.wrk.txt"), "-o", out("a.nc")})
                  .err.rfind("crustex-batch: Input Error: ", 0),
              0u);
}

TEST_F(Batch, GridOfChosenQuantitiesIsWrittenQuietly) {
    const std::string nc = out("g.nc");
    const Outcome o =
        run({"grid", kStartup, "--quantities", "Displacement Z, Tilt (du/dz, dv/dz)", "-o", nc});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    int id = -1, var = -1;
    ASSERT_EQ(nc_open(nc.c_str(), NC_NOWRITE, &id), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "uz", &var), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "tilt1y", &var), NC_NOERR);
    EXPECT_NE(nc_inq_varid(id, "ux", &var), NC_NOERR);
    nc_close(id);
}

TEST_F(Batch, ASourceFileWithAMapRangeReplacesTheSourcesAndTurnsTheMapOn) {
    const std::string flt = out("map.flt.txt"), nc = out("m.nc");
    std::ofstream(flt) << "\"maparea\",34,134,36,137\r\n\"fltga2\",2\r\n"
                       << "34.9,135.3,1,45,85,180,30,15,2000,0,34.9,135.3,1,100,0\r\n"
                       << "35.1,135.6,1,50,85,180,20,15,1000,0,35.1,135.6,1,100,0\r\n";
    ASSERT_EQ(run({"grid", kStartup, "--sources", flt, "--quantities", "uz", "-o", nc}).status, 0);
    int id = -1, var = -1;
    double sources = 0;
    ASSERT_EQ(nc_open(nc.c_str(), NC_NOWRITE, &id), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "lat", &var), NC_NOERR);
    nc_get_att_double(id, NC_GLOBAL, "number_of_sources", &sources);
    EXPECT_EQ(sources, 2);
    nc_close(id);
}

TEST_F(Batch, PicturesCarryTheLegendTitleAndTheirSize) {
    const std::string pdf = out("p.pdf"), svg = out("p.svg"), png = out("p.png");
    const std::string pub = out("pub.svg");
    ASSERT_EQ(run({"render", kStartup, "-o", pdf}).status, 0);
    ASSERT_EQ(run({"render", kStartup, "--quantity", "delta CFF", "-o", svg}).status, 0);
    ASSERT_EQ(
        run({"render", kStartup, "--quantity", "delta CFF", "--style", "publication", "-o", pub})
            .status,
        0);
    ASSERT_EQ(run({"render", kStartup, "--size", "100x80", "--dpi", "254", "-o", png}).status, 0);

    const std::string text = out("p.txt");
    ASSERT_EQ(std::system(("pdftotext " + shellquote(pdf) + " " + shellquote(text)).c_str()), 0);
    EXPECT_NE(readfile(text).find("Displacement-Z(UD)"), std::string::npos);
    EXPECT_NE(readfile(svg).find("deltaCFF"), std::string::npos);
    // The screen style signs its pictures and writes "I Friction"; the
    // publication style does neither.
    EXPECT_NE(readfile(svg).find("I Friction"), std::string::npos);
    EXPECT_EQ(readfile(pub).find("I Friction"), std::string::npos);
    EXPECT_NE(readfile(pub).find("Friction: 0.3"), std::string::npos);

    // The PNG header's width and height (big-endian, bytes 16..23).
    const std::string head = readfile(png).substr(0, 24);
    ASSERT_EQ(head.substr(1, 3), "PNG");
    auto be32 = [&](int at) {
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) v = v << 8 | static_cast<unsigned char>(head[at + k]);
        return v;
    };
    EXPECT_EQ(be32(16), 1000u);
    EXPECT_EQ(be32(20), 800u);
}

TEST_F(Batch, ContourLinesOfTheStartupModel) {
    const std::string json = out("c.geojson");
    ASSERT_EQ(run({"contours", kStartup, "-o", json}).status, 0);
    const auto doc = nlohmann::json::parse(readfile(json));
    EXPECT_EQ(doc["crustex"]["key"], "uz");
    EXPECT_EQ(doc["crustex"]["coordinates"], "field x, y (km)");
    EXPECT_GT(doc["features"].size(), 5u);
}

TEST_F(Batch, SiteTableWithResidualsAndTheMisfit) {
    const std::string work = kExamples + "/sites-example.wrk.txt";
    const std::string sites = kExamples + "/sites-example.obs.txt";
    const std::string csv = out("s.csv");
    const Outcome o = run({"sites", work, sites, "-o", csv});
    ASSERT_EQ(o.status, 0) << o.err;
    std::vector<std::vector<std::string>> rows;
    std::istringstream text(readfile(csv));
    std::string last;
    for (std::string line; std::getline(text, line); last = line) {
        rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) rows.back().push_back(cell);
    }
    ASSERT_EQ(rows.size(), 1u + 30 + 1);
    const std::vector<std::string> head(rows[0].begin(), rows[0].begin() + 9);
    EXPECT_EQ(head,
              (std::vector<std::string>{"name", "x_km", "y_km", "depth_km", "lon_deg", "lat_deg",
                                        "X_observed_mm", "X_computed_mm", "X_residual_mm"}));
    EXPECT_EQ(rows[0].size(), 6u + 3 * 3);
    for (int k : {1, 30}) {
        const auto& r = rows[static_cast<std::size_t>(k)];
        EXPECT_EQ(std::stof(r[14]), std::stof(r[12]) - std::stof(r[13])) << r[0];  // Z
    }
    EXPECT_EQ(last.rfind("# Misfit (displacement3, 30 sites): RMS X", 0), 0u) << last;
    // The picture with the sites drawn on it.
    EXPECT_EQ(run({"render", work, "--sites", sites, "-o", out("s.png")}).status, 0);
}

}  // namespace
