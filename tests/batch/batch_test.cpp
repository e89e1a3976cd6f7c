// crustex-batch run as a program: exit status, standard error and what it
// writes.
#include <gtest/gtest.h>
#include <netcdf.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "export/batchargs.h"
#include "support/catalogue.h"
#include "support/csvtext.h"
#include "support/scratchdir.h"

namespace {

using crustex::test::csvrows;
using crustex::test::readfile;

const std::string kExamples = CRUSTEX_EXAMPLES;
const std::string kStartup = kExamples + "/startup.wrk.txt";

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The names in a directory that are the program's temporary files (hidden,
// or of the older kind).
std::vector<std::string> temporaries(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (const std::string n = e.path().filename(); n[0] == '.' || n.find(".tmp-") != n.npos)
            out.push_back(n);
    return out;
}

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
    std::string out(const std::string& name) const { return dir_.file(name); }

    // shell: commands run first by the shell that starts the program.
    Outcome run(const std::vector<std::string>& args, const std::string& shell = "") const {
        std::string cmd = shell + shellquote(CRUSTEX_BATCH);
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

    crustex::test::ScratchDir dir_;
};

// Each argument list is split at blanks (quantity names keep theirs after
// "="): "@name" stands for a file in the test's directory, "START" for the
// start-up work file, "EX/name" for a file of the examples.
TEST_F(Batch, BadInputIsOneLineStatusTwoAndNothingWritten) {
    std::ofstream(out("garbage.wrk.txt")) << "\"fieldpara\",1,2,#NOPE#\r\n";
    std::ofstream(out("r.csv")) << "x0,y0,x1,y1,dip,top\n0,0,1,1,45,0\n";
    ::mkdir(out("d.nc").c_str(), 0755);
    const struct {
        const char* args;
        const char* output;  // the file that must not appear
        const char* says;    // in the last line
    } cases[] = {
        {"draw START -o @a.pdf", "a.pdf", "unknown subcommand 'draw'"},
        {"grid @none.wrk.txt -o @a.nc", "a.nc", "cannot read the work file"},
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
        {"render START --map-dir @nomap -o @a.pdf", "a.pdf", "cannot find the map directory"},
        {"grid START --quantities fringes -o @a.nc", "a.nc", "is a picture only"},
        {"grid START --los 350 -o @a.nc", "a.nc", "--los takes HEADING,INCIDENCE"},
        {"render START --los 350,95 -o @a.pdf", "a.pdf", "incidence 95 is not within 0..90"},
        {"contours START --wavelength 0 -o @a.geojson", "a.geojson", "wavelength 0 is not"},
        {"section START --quantities cffoop --from 95,80 --to 95,120 --depth 0,9 --step 3 -o "
         "@a.csv",
         "a.csv",
         "'delta CFF (optimal planes)' needs a regional stress: no regional stress is given"},
        {"section START --depth 0,9 --step 3 -o @a.nc", "a.nc",
         "the section needs --from and --to: '"},
        {"section START --from 95,80 --to 95,120 --depth 0,9 --step 3 --quantities uz,sxx -o "
         "@a.png",
         "a.png", "a section picture shows one quantity"},
        {"section START --from 95;80 --to 95,120 -o @a.csv", "a.csv", "--from takes two numbers"},
        {"receivers START -o @a.csv", "a.csv",
         "has no receivers: give --receivers FILE or --receivers sources"},
        {"receivers START --receivers @r.csv -o @a.csv", "a.csv",
         "r.csv, line 1: no column bottom_km"},
        {"receivers START --receivers @none.csv -o @a.csv", "a.csv",
         "cannot read the receiver file"},
        {"receivers START --split 0x2 -o @a.csv", "a.csv", "--split takes NxM"},
        {"receivers START --units psi -o @a.csv", "a.csv", "--units takes bar or MPa"},
        {"fit EX/sites-example-start.wrk.txt EX/sites-example.obs.txt --free 1:east,volume -o "
         "@fit.json",
         "fit.json", "crustex-batch: cannot fit: source 1 is a fault: it has no volume"},
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
            args.push_back(w == "START"             ? kStartup
                           : w[0] == '@'            ? out(w.substr(1))
                           : w.rfind("EX/", 0) == 0 ? kExamples + w.substr(2)
                                                    : w);
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

// A source file with a map range replaces the sources and turns the map on.
TEST_F(Batch, GridOfChosenQuantitiesOfASourceFileIsWrittenQuietly) {
    const std::string flt = out("map.flt.txt"), nc = out("m.nc");
    std::ofstream(flt) << "\"maparea\",34,134,36,137\r\n\"fltga2\",2\r\n"
                       << "34.9,135.3,1,45,85,180,30,15,2000,0,34.9,135.3,1,100,0\r\n"
                       << "35.1,135.6,1,50,85,180,20,15,1000,0,35.1,135.6,1,100,0\r\n";
    const Outcome o = run({"grid", kStartup, "--sources", flt, "--quantities",
                           "Displacement Z, Tilt (du/dz, dv/dz)", "-o", nc});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    int id = -1, var = -1;
    double sources = 0;
    ASSERT_EQ(nc_open(nc.c_str(), NC_NOWRITE, &id), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "uz", &var), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "tilt1y", &var), NC_NOERR);
    EXPECT_NE(nc_inq_varid(id, "ux", &var), NC_NOERR);
    EXPECT_EQ(nc_inq_varid(id, "lat", &var), NC_NOERR);
    nc_get_att_double(id, NC_GLOBAL, "number_of_sources", &sources);
    EXPECT_EQ(sources, 2);
    nc_close(id);
}

TEST_F(Batch, PicturesCarryTheLegendTitleAndTheirSize) {
    const std::string pdf = out("p.pdf"), png = out("p.png"), pub = out("pub.svg");
    ASSERT_EQ(run({"render", kStartup, "-o", pdf}).status, 0);
    ASSERT_EQ(
        run({"render", kStartup, "--quantity", "delta CFF", "--style", "publication", "-o", pub})
            .status,
        0);
    ASSERT_EQ(run({"render", kStartup, "--size", "100x80", "--dpi", "254", "-o", png}).status, 0);

    const std::string text = out("p.txt");
    ASSERT_EQ(std::system(("pdftotext " + shellquote(pdf) + " " + shellquote(text)).c_str()), 0);
    EXPECT_NE(readfile(text).find("Displacement-Z(UD)"), std::string::npos);
    // The publication style writes "Friction: 0.3" where the screen style
    // writes "I Friction: 0.3".
    EXPECT_NE(readfile(pub).find("deltaCFF"), std::string::npos);
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

// What the window shows on its status strip about the map layers is printed
// once, and the picture is still written. Each case draws one map range
// over a map directory of its own: the shipped Japan ('J') or globe ('W')
// coast file or junk ('X'); v: a volcano list with a bad line, e: one event
// more than the table holds (drawn twice, said once), t: the topography
// colours.
TEST_F(Batch, MapLayerProblemsArePrintedOnceAndThePictureWritten) {
    const std::string shipped = kExamples + "/../map/";
    const struct {
        char coast;
        const char* range;
        char layer;
        const char* says;
    } cases[] = {
        {'X', "34,134,36,137", 0, "Map file refused ("},
        {'W', "10,120,62,240", 't', "Map Range too Large for Topography(1km)"},
        {'J', "34,134,36,137", 'v', "1 Lines of jpnvolc.seq are not Numbers and were skipped"},
        {'J', "34,134,36,137", 'e', "1 Events left out: the table holds the first 100000"},
        {'J', "10,120,62,240", 0,
         "covers 20..56 N, 120..156 E, not all of the map range 10..62 N, 120..240 E"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const std::string dir = out("maps" + std::to_string(++n)), coast = dir + "/japanv.map";
        std::filesystem::create_directory(dir);
        if (c.coast == 'J' || c.coast == 'W')
            std::filesystem::create_symlink(
                shipped + (c.coast == 'W' ? "world/" : "") + "japanv.map", coast);
        if (c.coast == 'X') std::ofstream(coast) << std::string(600, 'x');
        if (c.layer == 'v')
            std::ofstream(dir + "/jpnvolc.seq") << "35.0      135.0\nnot a number\n";
        if (c.layer == 'e') {
            const crustex::EventRecord quake{27545, 0, 0, 35, 135, 100, 50};  // 1995-06-01
            crustex::test::writefile(dir + "/cat.ep", crustex::test::cataloguebytes(std::vector(
                                                          crustex::kMaxEvents + 1, quake)));
        }
        const auto on = [&c](char layer) { return c.layer == layer ? "#TRUE#" : "#FALSE#"; };
        const std::string work = dir + "/w.wrk.txt", png = dir + "/m.png";
        std::ofstream(work) << "\"vhyppath\",\"" << dir << "/cat.ep\"\r\n\"maparea\"," << c.range
                            << "\r\n\"mapextra\",#TRUE#," << on('e')
                            << ",1,1,1,1,10,#FALSE#,#FALSE#,#FALSE#,#FALSE#," << on('v')
                            << "\r\n\"topography\"," << on('t') << ",#FALSE#\r\n"
                            << "\"fieldpara\",15,278,37,251,351,10,8,0,#FALSE#,100,100,10,0,10\r\n"
                            << "\"fltga\",1\r\n35,135,1,60,90,180,40,15,2000,0,35,135,1,100,0\r\n";
        const Outcome o = run({"render", work, "--map-dir", dir, "--size", "200x160px", "-o", png});
        EXPECT_EQ(o.status, 0);
        EXPECT_TRUE(exists(png));
        const std::size_t at = o.err.find(c.says);
        EXPECT_NE(at, std::string::npos) << o.err;
        EXPECT_EQ(o.err.find(c.says, at + 1), std::string::npos) << o.err;
        EXPECT_EQ(o.err.rfind("crustex-batch: ", 0), 0u) << o.err;
    }
    // The Pacific example names the globe map in its work file: the range
    // lies inside it, so nothing is said; the Japan map would not cover it.
    const Outcome o =
        run({"render", kExamples + "/pacific.wrk.txt", "--size", "200x160px", "-o", out("p.png")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
}

// Every output replaces its file whole or not at all. A write that fails
// half-way (the file size limit, with SIGXFSZ ignored, stands in for a full
// disk) exits 1 and keeps the old file; a FIFO is refused and stays; a
// link, named in bytes that are not UTF-8, stays a link and the file it
// names keeps its permissions. No temporary file is left.
TEST_F(Batch, OutputsReplaceTheirFileWholeOrNotAtAll) {
    const std::pair<const char*, std::string> cases[] = {
        {"x.pdf", "old"},  {"x.svg", "old"}, {"x.png", "old"},      {"x.nc", "old"},
        {"f.png", "fifo"}, {"f.nc", "fifo"}, {"l\xFF.pdf", "link"}, {"l\xFF.nc", "link"},
    };
    for (const auto& [name, setup] : cases) {
        SCOPED_TRACE(name);
        const std::string path = out(name), ext = path.substr(path.rfind('.'));
        const std::string real = out("real" + ext);
        if (setup == "old") std::ofstream(path) << "old";
        if (setup == "fifo") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        }
        if (setup == "link") {
            std::ofstream(real) << "old";
            ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
            ASSERT_EQ(::symlink(real.c_str(), path.c_str()), 0);
        }
        const Outcome o = run({ext == ".nc" ? "grid" : "render", kStartup, "-o", path},
                              setup == "old" ? "trap '' XFSZ; ulimit -f 16; " : "");
        EXPECT_EQ(o.status, setup == "link" ? 0 : 1) << o.err;
        struct stat st {};
        ASSERT_EQ(::lstat(path.c_str(), &st), 0);
        EXPECT_TRUE(setup != "old" || readfile(path) == "old");
        EXPECT_TRUE(setup != "fifo" || S_ISFIFO(st.st_mode));
        if (setup == "link") {
            EXPECT_TRUE(S_ISLNK(st.st_mode));
            ASSERT_EQ(::stat(real.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, 0640u);
            EXPECT_GT(st.st_size, 1000);
        }
    }
    EXPECT_EQ(temporaries(dir_.str()), std::vector<std::string>{});
    // A picture too large to hold says why.
    const Outcome big =
        run({"render", kStartup, "--size", "2000x2000", "--dpi", "2400", "-o", out("big.png")});
    EXPECT_EQ(big.status, 1);
    EXPECT_NE(big.err.find("cannot write '" + out("big.png") +
                           "': an image of 188976 x 188976 pixels could not be allocated"),
              std::string::npos)
        << big.err;
}

// A signal during a write takes the temporary file along and ends the
// program as the signal would.
TEST_F(Batch, ASignalDuringAWriteLeavesNoTemporaryFile) {
    // The start-up model on a grid whose file takes a while to write.
    std::string work = readfile(kStartup);
    const std::string grid = ",240,20,20,";
    ASSERT_NE(work.find(grid), std::string::npos);
    work.replace(work.find(grid), grid.size(), ",240,800,800,");
    std::ofstream(out("big.wrk.txt")) << work;
    const std::string nc = out("big.nc"), input = out("big.wrk.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        ::execl(CRUSTEX_BATCH, CRUSTEX_BATCH, "grid", input.c_str(), "-o", nc.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    bool ended = false;
    while (!(ended = ::waitpid(pid, &status, WNOHANG) == pid) && temporaries(dir_.str()).empty())
        ::usleep(1000);
    ASSERT_FALSE(ended) << "ended before writing";
    ::kill(pid, SIGTERM);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(temporaries(dir_.str()), std::vector<std::string>{});
    EXPECT_FALSE(exists(nc));
}

TEST_F(Batch, TheRadarLineOfSightOverTheWorkFiles) {
    // The LOS displacement of an ascending and a descending pass differ,
    // and the grid names the geometry it was seen with.
    std::vector<float> seen[2];
    const char* geometry[2] = {"350,34", "190,34"};
    for (int k = 0; k < 2; ++k) {
        const std::string nc = out(std::string("los") + std::to_string(k) + ".nc");
        const Outcome o = run({"grid", kStartup, "--quantities", "LOS Displacement", "--los",
                               geometry[k], "--wavelength", "236", "-o", nc});
        ASSERT_EQ(o.status, 0) << o.err;
        int id = -1, var = -1;
        ASSERT_EQ(nc_open(nc.c_str(), NC_NOWRITE, &id), NC_NOERR);
        ASSERT_EQ(nc_inq_varid(id, "los", &var), NC_NOERR);
        seen[k].resize(21 * 21);
        EXPECT_EQ(nc_get_var_float(id, var, seen[k].data()), NC_NOERR);
        double heading = 0, wavelength = 0;
        nc_get_att_double(id, NC_GLOBAL, "los_heading_deg", &heading);
        nc_get_att_double(id, NC_GLOBAL, "radar_wavelength_mm", &wavelength);
        EXPECT_EQ(std::make_pair(heading, wavelength),
                  std::make_pair(k == 0 ? 350.0 : 190.0, 236.0));
        nc_close(id);
    }
    EXPECT_NE(seen[0], seen[1]);
    // The fringes are a picture only (grid refuses them with the bad input).
    EXPECT_EQ(run({"render", kStartup, "--quantity", "Wrapped Fringes", "-o", out("f.png")}).status,
              0);
}

TEST_F(Batch, ReceiversOfTheSourcesOrOfAFileInBarOrMPa) {
    const std::string work = kExamples + "/twenty-sources.wrk.txt";
    const std::string bar = out("bar.csv"), mpa = out("mpa.csv");
    ASSERT_EQ(
        run({"receivers", work, "--receivers", "sources", "--split", "2x3", "-o", bar}).status, 0);
    ASSERT_EQ(run({"receivers", work, "--receivers", "sources", "--split", "2x3", "--units", "MPa",
                   "-o", mpa, "--threads", "2"})
                  .status,
              0);
    const auto b = csvrows(readfile(bar)), m = csvrows(readfile(mpa));
    // Sixteen faults (the four inflation points are no receivers), 6 patches each.
    ASSERT_EQ(b.size(), 1u + 16 * 6);
    ASSERT_EQ(m.size(), b.size());
    EXPECT_EQ(b[7][0] + " " + b[7][1] + " " + b[7][2], "2 1 source 2");
    for (std::size_t k : {1u, 50u, 96u})
        EXPECT_NEAR(std::stod(m[k][13]), std::stod(b[k][13]) / 10,
                    1e-6 * std::fabs(std::stod(b[k][13])));

    // A receiver file with one bad row: told, the others written.
    std::ofstream(out("r.csv"))
        << "x0_km,y0_km,x1_km,y1_km,dip_deg,top_km,bottom_km,rake_deg,name\n"
        << "80,140,80,160,90,0,10,180,one\n"
        << "80,140,80,160,99,0,10,0,bad\n";
    const std::string json = out("r.geojson");
    const Outcome o = run({"receivers", work, "--receivers", out("r.csv"), "-o", json});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.err.find("r.csv, line 3: dip 99 outside 0..90"), std::string::npos) << o.err;
    const auto doc = nlohmann::json::parse(readfile(json));
    ASSERT_EQ(doc["features"].size(), 1u);
    EXPECT_EQ(doc["features"][0]["properties"]["name"], "one");
    EXPECT_EQ(doc["features"][0]["properties"]["rake_deg"], 180);
}

TEST_F(Batch, GridAndContoursInTheUnitAsked) {
    const std::string plain = out("p.csv"), bar = out("b.csv");
    ASSERT_EQ(run({"grid", kStartup, "--quantities", "cffpara", "-o", plain}).status, 0);
    ASSERT_EQ(
        run({"grid", kStartup, "--quantities", "cffpara", "--units", "bar", "-o", bar}).status, 0);
    const auto p = csvrows(readfile(plain)), b = csvrows(readfile(bar));
    ASSERT_EQ(p.size(), b.size());
    EXPECT_EQ(p[0].back(), "cffpara_1e-6");
    EXPECT_EQ(b[0].back(), "cffpara_bar");
    int checked = 0;
    for (std::size_t k = 1; k < p.size(); k += 37) {
        if (p[k].size() < 3) continue;
        const double v = std::stod(p[k][2]) * 0.32;
        EXPECT_NEAR(std::stod(b[k][2]), v, 1e-6 * std::fabs(v)) << k;
        ++checked;
    }
    EXPECT_GT(checked, 10);
    // Contour lines of the first quantity, or of the one named.
    const std::string json = out("c.geojson");
    ASSERT_EQ(run({"contours", kStartup, "-o", json}).status, 0);
    const auto doc = nlohmann::json::parse(readfile(json));
    EXPECT_EQ(doc["crustex"]["key"], "uz");
    EXPECT_EQ(doc["crustex"]["coordinates"], "field x, y (km)");
    EXPECT_GT(doc["features"].size(), 5u);
    ASSERT_EQ(
        run({"contours", kStartup, "--quantity", "cffpara", "--units", "MPa", "-o", json}).status,
        0);
    EXPECT_EQ(nlohmann::json::parse(readfile(json))["crustex"]["unit"], "MPa");
}

TEST_F(Batch, FitFromAWrongStartWritesTheResultAndTheModel) {
    const std::string start = kExamples + "/sites-example-start.wrk.txt";
    const std::string sites = kExamples + "/sites-example.obs.txt";
    const std::string json = out("fit.json"), model = out("fitted.wrk.txt");
    const Outcome o =
        run({"fit", start, sites, "--free", "1:east,north,depth,strike,dip,rake,length,width",
             "--free", "1:slip", "--bounds", "1:width=2..40", "--starts", "2", "--write-model",
             model, "-o", json});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = nlohmann::json::parse(readfile(json));
    ASSERT_EQ(doc["parameters"].size(), 9u);
    const auto& width = doc["parameters"][7];
    EXPECT_EQ(width["source"], 1);
    EXPECT_EQ(width["name"], "width");
    EXPECT_EQ(width["unit"], "km");
    EXPECT_EQ(width["start"], 10.0);
    EXPECT_EQ(width["lower"], 2.0);
    EXPECT_NEAR(width["value"].get<double>(), 15, 3 * width["sigma"].get<double>());
    EXPECT_EQ(doc["observations"], 90);
    EXPECT_EQ(doc["starts"], 2);
    EXPECT_GT(doc["iterations"].get<int>(), 0);
    EXPECT_GT(doc["rms_before"].get<double>(), 50);
    EXPECT_LT(doc["rms_after"].get<double>(), 3);
    // The example's noise is drawn with the sigmas its site file gives.
    EXPECT_EQ(doc["sigmas_given"], true);
    EXPECT_NEAR(doc["chi2_reduced"].get<double>(), 1, 0.3);
    // The site table of the written model: residuals, and the misfit the
    // fit states.
    ASSERT_EQ(run({"sites", model, sites, "-o", out("s.csv")}).status, 0);
    const std::string table = readfile(out("s.csv"));
    const auto rows = csvrows(table);
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
    const std::string last = table.substr(table.rfind('\n', table.size() - 2) + 1);
    EXPECT_EQ(last.rfind("# Misfit (displacement3, 30 sites): RMS X", 0), 0u) << last;
    EXPECT_NEAR(std::stod(table.substr(table.rfind("all ") + 4)), doc["rms_after"].get<double>(),
                1e-3);
    // The picture with the sites drawn on it.
    EXPECT_EQ(run({"render", model, "--sites", sites, "-o", out("s.png")}).status, 0);
}

TEST_F(Batch, FitOfAnInpModelNumbersItsElements) {
    // Sites observing the example slip model's own displacements.
    const std::string inp = kExamples + "/slip-example.inp";
    ASSERT_EQ(run({"sites", inp, kExamples + "/sites-example.obs.txt", "-o", out("s.csv")}).status,
              0);
    const auto table = csvrows(readfile(out("s.csv")));
    std::string sites;
    int n = 0;
    for (std::size_t k = 1; k < table.size() && table[k][0][0] != '#'; ++k, ++n) {
        const auto& c = table[k];
        sites += c[0] + "," + c[5] + "," + c[4] + ",0," + c[7] + "," + c[10] + "," + c[13] + "\r\n";
    }
    std::ofstream(out("inp.obs.txt")) << "\"obd3\"," << n << "\r\n" << sites;
    const std::string obs = out("inp.obs.txt"), json = out("f.json");
    Outcome o = run({"fit", inp, obs, "--free", "289:slip", "-o", json});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("no source 289 (it has 288)"), std::string::npos) << o.err;
    o = run({"fit", inp, obs, "--free", "288:slip", "-o", json});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(nlohmann::json::parse(readfile(json))["parameters"][0]["source"], 288);
    o = run({"fit", inp, obs, "--invert-slip", "100", "--smoothing", "1", "--write-model",
             out("inv.csv"), "-o", json});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = nlohmann::json::parse(readfile(json));
    EXPECT_EQ(doc["patches"].size(), 288u);
    EXPECT_EQ(doc["patches"][287]["source"], 288);
    EXPECT_EQ(doc["neighbours"], 23 * 12 + 24 * 11);
    EXPECT_LT(doc["rms_after"].get<double>(), 1);
    EXPECT_GT(doc["mw"].get<double>(), 7);
    const std::string patchtable = readfile(out("inv.csv"));
    EXPECT_EQ(std::count(patchtable.begin(), patchtable.end(), '\n'),
              289);  // the header and 288 rows
}

TEST(BatchArgs, FitOptions) {
    using namespace crustex;
    const auto parse = [](std::string line) {
        std::vector<std::string> words;
        std::istringstream in("fit w.wrk.txt s.obs.txt -o f.json " + line);
        for (std::string w; in >> w;) words.push_back(w);
        return parsebatchargs(words);
    };
    const BatchArgs ok = parse("--free 1:east,north --free 2:volume --bounds 2:volume=-3.5..1e1");
    ASSERT_TRUE(ok.request) << ok.error;
    const BatchFit& fit = ok.request->fit;
    ASSERT_EQ(fit.free.size(), 3u);
    EXPECT_EQ(fit.free[1].name, "north");
    EXPECT_EQ(fit.free[2].source, 2);
    EXPECT_EQ(fit.free[2].lower, -3.5);
    EXPECT_EQ(fit.free[2].upper, 10);
    EXPECT_FALSE(fit.free[0].lower);
    EXPECT_EQ(ok.request->sites, "s.obs.txt");
    const auto slip = parse("--invert-slip -90 --two-rakes --smoothing 0.5");
    ASSERT_TRUE(slip.request) << slip.error;
    EXPECT_EQ(*slip.request->fit.invertslip, -90);
    EXPECT_TRUE(slip.request->fit.tworakes);
    const std::pair<const char*, const char*> bad[] = {
        {"--free east", "--free takes"},
        {"--free 0:east", "--free takes"},
        {"--free 1:east --bounds 1:east=5", "--bounds takes"},
        {"--free 1:east --bounds 1:north=1..2", "no parameter of --free"},
        {"--free 1:east --write-model m.txt", "--write-model takes"},
        {"--invert-slip 90 --smoothing -1", "--smoothing takes"},
        {"--free 1:east --invert-slip 90", "either --free or --invert-slip"},
        {"--free 1:east --starts 0", "--starts takes"},
        {"--free 1:east --sites s.obs.txt", "does not apply to fit"},
    };
    for (auto [line, why] : bad) {
        const BatchArgs a = parse(line);
        EXPECT_FALSE(a.request) << line;
        EXPECT_NE(a.error.find(why), std::string::npos) << line << ": " << a.error;
    }
}

// A section along X = 95 across the start-up fault: rows of depth, distance
// running fastest, the map position of each distance; and its picture.
TEST_F(Batch, SectionTableAndPicture) {
    const std::string csv = out("s.csv");
    const std::vector<std::string> line = {"--from",  "95,80", "--to",   "95,120",
                                           "--depth", "0,10",  "--step", "5"};
    std::vector<std::string> args = {"section",      kStartup, "--quantities",
                                     "uz,Strain XX", "-o",     csv};
    args.insert(args.end(), line.begin(), line.end());
    const Outcome o = run(args);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    std::istringstream text(readfile(csv));
    std::vector<std::string> rows;
    for (std::string r; std::getline(text, r);) rows.push_back(r);
    ASSERT_EQ(rows.size(), 1u + 9 * 3);
    EXPECT_EQ(rows[0], "distance_km,depth_km,x_km,y_km,uz_mm,sxx_microstrain");
    EXPECT_EQ(rows[2].rfind("5,0,95,85,", 0), 0u) << rows[2];
    EXPECT_EQ(rows[10].rfind("0,5,95,80,", 0), 0u) << rows[10];
    args = {"section", kStartup, "--style", "publication", "-o", out("s.png")};
    args.insert(args.end(), line.begin(), line.end());
    EXPECT_EQ(run(args).status, 0);
    EXPECT_EQ(readfile(out("s.png")).substr(1, 3), "PNG");
}

}  // namespace
