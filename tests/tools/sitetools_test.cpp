// The site tools (GNSS velocities, the synthetic example) and the event,
// volcano and DEM converters, each read back by the program's own readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "engine/siteeval.h"
#include "files/sitefile.h"
#include "files/workfile.h"
#include "geo/demtiles.h"
#include "geo/eventcatalogue.h"
#include "geo/volcanoes.h"
#include "model/fsutil.h"
#include "sites/misfit.h"
#include "support/scratchdir.h"
#include "support/scriptedhost.h"
#include "tools/demconvert.h"
#include "tools/eventconvert.h"
#include "tools/examplesites.h"
#include "tools/gnssconvert.h"
#include "tools/layercsv.h"
#include "tools/mapconvert.h"
#include "tools/tiledirectory.h"
#include "tools/volcanoconvert.h"

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

GnssField gmtvelo(const std::string& text, bool withup) {
    std::istringstream in(text);
    return parsegmtvelocity(in, withup);
}

TEST(GmtVelocity, LinesToAnObdBlockTheProgramReads) {
    const std::string text =
        "\xEF\xBB\xBF# lon lat ve vn se sn corr name\n"
        "> a header\n"
        "135.5 35.0 -12.5 3.25 0.5 0.6 0.01 950215\r\n"
        "226.0 34.5 1 2 0.5 0.5 0 Mt  Two\n"
        "135 35 1 2 0.5 0.5\n"
        "135.5 35.2 nan 4 0.5 0.5 0.1\n";
    const GnssField f = gmtvelo(text, false);
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
    // The errors and the correlation follow in an uncertainty block.
    EXPECT_NE(file.find("\r\n\"obsig\",3\r\n.5,.6,.01\r\n"), std::string::npos);
    EXPECT_EQ(std::make_tuple(m.ws.site[1].sigdx, m.ws.site[1].sigdy, m.ws.site[1].corrdxdy),
              std::make_tuple(0.5f, 0.6f, 0.01f));
    // Errors a site file cannot hold are dropped, and said so.
    const GnssField bad = gmtvelo("135.5 35 1 2 -0.5 0.5 0 N\n", false);
    EXPECT_EQ(bad.problems.size(), 1u);
    m.readsites(gnsssitefile(bad, false, "field.vel"));
    EXPECT_TRUE(m.host.messages.empty());
    EXPECT_EQ(m.ws.site[1].sigdx, 0);

    const GnssField up = gmtvelo(
        "\xEF\xBB\xBF"
        "135.5 35 1 2 0.5 0.5 0.1 -7.5 0.9 A B\n135 35 1 2 .5 .5 0 A\n",
        true);
    ASSERT_EQ(up.sites.size(), 1u);
    EXPECT_EQ(up.sites[0].up, -7.5f);
    EXPECT_EQ(up.sites[0].name, "A B");
    m.readsites(gnsssitefile(up, true, "field.vel"));
    EXPECT_EQ(m.ws.obskind, "displacement3");
    EXPECT_EQ(m.ws.site[1].obsdz, -7.5f);
    EXPECT_EQ(m.ws.site[1].sigdz, 0.9f);

    // A name longer than the site file takes is cut, and said so.
    const GnssField cut = gmtvelo("135 35 1 2 0.5 0.5 0 " + std::string(40000, 'n') + "\n", false);
    EXPECT_EQ(cut.problems, std::vector<std::string>{
                                "line 1: the site name is cut to its first 32768 characters"});
    m.readsites(gnsssitefile(cut, false, "field.vel"));
    EXPECT_TRUE(m.host.messages.empty());
    ASSERT_EQ(m.ws.nsite, 1);
    EXPECT_EQ(m.ws.site[1].name.size(), 32768u);
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
    // The uncertainties are the noise's: the reduced chi-square is about 1.
    EXPECT_EQ(misfit->weighted, 90);
    EXPECT_NEAR(misfit->chisquare, 1, 0.5);
    // The model moves the sites far more than the noise.
    float largest = 0;
    for (std::size_t i = 1; i <= 30; ++i) largest = std::max(largest, std::fabs(res.ux[i]));
    EXPECT_GT(largest, 50 * kExampleHorizontalNoise);
}

TEST(EventConvert, CsvToCatalogueSortedAndReadBack) {
    // Made-up test events in the event service's column order.
    std::istringstream csv(
        "\xEF\xBB\xBFtime,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,"
        "place\r\n"
        "2018-02-07T22:10:25.450Z,35.123,139.456,12.34,4.56,mb,,,,,us,a,,\"12km N of X, Y\"\r\n"
        "2018-02-06T23:59:59.999+09:00,-33.5,-71.25,5,6.04,mww,,,,,us,b,,\"Z\"\r\n"
        "2018-02-07T01:00:00Z,36,140,700.5,,mb,,,,,us,c,,\"no magnitude\"\r\n"
        "bad,36,140,10,3,mb,,,,,us,d,,\"no time\"\r\n");
    CatalogueBuild build;
    std::ostringstream err;
    ASSERT_TRUE(fdsncsvtocatalogue(csv, build, err)) << err.str();
    EXPECT_EQ(build.events, 2);
    EXPECT_EQ(build.skipped, 2);
    ASSERT_EQ(build.bytes.size(), 5 * kEventRecordBytes);

    MemoryCatalogue source(build.bytes);
    EventTable table;
    const EventSelection all{
        {1920, 1, 1, 0, 0, 0}, {2100, 1, 1, 0, 0, 0}, -90, 90, -180, 180, 0, 1000, -5, 10};
    selectevents(source, all, table);
    ASSERT_EQ(table.events.size(), 2u);
    const EventRecord& first = table.events[0];  // 14:59 UTC on the 6th comes first
    EXPECT_EQ(eventtime(first.day, first.minute), (DateTime{2018, 2, 6, 14, 59, 0}));
    EXPECT_EQ(first.lat, -33.5f);
    EXPECT_EQ(first.lon, -71.25f);
    EXPECT_EQ(first.depth, 50);
    EXPECT_EQ(first.mag, 60);
    const EventRecord& second = table.events[1];
    EXPECT_EQ(eventtime(second.day, second.minute), (DateTime{2018, 2, 7, 22, 10, 0}));
    EXPECT_EQ(second.lat, 35.123f);
    EXPECT_EQ(second.lon, 139.456f);
    EXPECT_EQ(second.depth, 123);
    EXPECT_EQ(second.mag, 46);
}

TEST(VolcanoConvert, CsvWithTitleLineToListReadBack) {
    // Made-up test volcanoes.
    std::istringstream csv(
        "\xEF\xBB\xBFVolcanoes of a made-up test list\n"
        "Volcano Number,Volcano Name,Country,Latitude,Longitude\n"
        "1,\"Alpha, North\",Nowhere,35.3614,138.7278\n"
        "2,Beta,Nowhere,-12.5,-77.125\n"
        "3,Gamma,Nowhere,,\n");
    VolcanoBuild build;
    std::ostringstream err;
    ASSERT_TRUE(volcanocsvtolist(csv, build, err)) << err.str();
    EXPECT_EQ(build.volcanoes, 2);
    EXPECT_EQ(build.skipped, 1);
    const VolcanoList list = parsevolcanoes(build.text);
    ASSERT_EQ(list.volcanoes.size(), 2u);
    EXPECT_EQ(list.badlines, 0);
    EXPECT_FLOAT_EQ(list.volcanoes[0].lat, 35.3614f);
    EXPECT_FLOAT_EQ(list.volcanoes[0].lon, 138.7278f);
    EXPECT_FLOAT_EQ(list.volcanoes[1].lat, -12.5f);
    EXPECT_FLOAT_EQ(list.volcanoes[1].lon, -77.125f);
    EXPECT_NE(build.text.find("Alpha, North"), std::string::npos);
}

// A "lon lat z" line at the centre of 1 km mesh cell (row i, column j).
std::string meshpoint(long i, long j, const char* z) {
    char line[96];
    std::snprintf(line, sizeof line, "%.6f\t%.6f\t%s\n", 100 + (j + 0.5) / 80.0, (i + 0.5) / 120.0,
                  z);
    return line;
}

TEST(DemConvert, GridToTilesReadBack) {
    // Tile 5135, and a point south of the equator.
    std::istringstream xyz(meshpoint(4080, 2800, "123.44") + meshpoint(4080, 2801, "-5") +
                           meshpoint(4159, 2879, "3776.2") + meshpoint(4081, 2800, "NaN") +
                           meshpoint(4000, 2800, "-20") + meshpoint(-5, 2800, "10") +
                           "# comment\nnot a point\n");
    std::map<std::string, std::string> tiles;
    const auto keep = [&tiles](const std::string& name, std::string_view text) {
        return tiles.emplace(name, text).second;  // each tile once
    };
    DemBuild build;
    std::ostringstream err;
    ASSERT_TRUE(xyztotiles(xyz, kMesh1km, keep, build, err)) << err.str();
    EXPECT_EQ(build.points, 6);
    EXPECT_EQ(build.skipped, 1);
    EXPECT_EQ(build.outside, 1);
    ASSERT_EQ(tiles.size(), 1u);  // tile 5035 holds sea only
    const std::vector<float> t = readdemfile(tiles.at("5135.tem"), 80);
    EXPECT_EQ(t[0 * 80 + 0], 1234);         // the south-west cell
    EXPECT_EQ(t[0 * 80 + 1], kNoHeight);    // sea
    EXPECT_EQ(t[1 * 80 + 0], kNoHeight);    // no data
    EXPECT_EQ(t[79 * 80 + 79], 37762);      // the north-east cell
    EXPECT_EQ(t[40 * 80 + 40], kNoHeight);  // no point
}

// Every tile has a name of its own, and the reader finds what the converter
// wrote: (1.0 N, 111.5 E) and (7.5 N, 101.5 E) were both "111".
TEST(DemConvert, EveryTileHasANameOfItsOwnThatTheReaderFinds) {
    std::set<std::string> names;
    for (long r = 0; r < kTileRowCodes; ++r)
        for (long c = 0; c < kTileColumnCodes; ++c) names.insert(tilecode(r, c));
    EXPECT_EQ(names.size(), std::size_t{kTileRowCodes} * kTileColumnCodes);
    EXPECT_FALSE(names.contains(""));
    const struct {
        long row, column;
        std::string name;
    } codes[] = {{53, 39, "5339"},   {11, 1, "111"},   {1, 11, "001011"},    {111, 1, "1111"},
                 {11, 11, "011011"}, {0, 111, "0111"}, {134, 359, "134359"}, {135, 0, ""},
                 {0, 360, ""},       {-1, 5, ""}};
    for (const auto& c : codes)
        EXPECT_EQ(tilecode(c.row, c.column), c.name) << c.row << ' ' << c.column;

    test::ScratchDir dir;
    TileDirectory out(dir.mkdir("1km"));
    std::istringstream xyz(meshpoint(120, 920, "100") + meshpoint(900, 120, "2000"));
    DemBuild build;
    std::ostringstream err;
    const auto save = [&out](const std::string& name, std::string_view text) {
        return out.write(name, text);
    };
    ASSERT_TRUE(xyztotiles(xyz, kMesh1km, save, build, err)) << err.str();
    ASSERT_TRUE(out.finish());
    EXPECT_EQ(build.tiles, 2);
    WorkState ws;
    setdefaults(ws, dir.folder());
    ws.mappath = dir.folder();
    for (const auto& [lat, lon, height] :
         {std::tuple{1.0f, 111.5f, 1000.0f}, {7.5f, 101.5f, 20000.0f}}) {
        ws.flat1 = lat - 0.5f, ws.flat2 = lat + 0.5f, ws.flon1 = lon - 0.5f, ws.flon2 = lon + 0.5f;
        TopoGrid grid;
        ASSERT_EQ(readtopography(ws, kMesh1km, grid), TopoRead::Read);
        std::vector<float> heights;
        std::copy_if(grid.h.begin(), grid.h.end(), std::back_inserter(heights),
                     [](float h) { return h != kNoHeight; });
        EXPECT_EQ(heights, std::vector<float>{height}) << lat << " N " << lon << " E";
    }
}

// Each converter refuses what it cannot convert and names the line.
TEST(Converters, RefuseHostileInputsNamingTheLine) {
    using Run = std::string (*)(std::istream&);
    const Run events = [](std::istream& in) {
        CatalogueBuild b;
        std::ostringstream err;
        return fdsncsvtocatalogue(in, b, err) ? "converted" : err.str();
    };
    const Run volcanoes = [](std::istream& in) {
        VolcanoBuild b;
        std::ostringstream err;
        return volcanocsvtolist(in, b, err) ? "converted" : err.str();
    };
    const Run velocities = [](std::istream& in) {
        const GnssField f = parsegmtvelocity(in, false);
        std::string all;
        for (const std::string& p : f.problems) all += p + "\n";
        return f.sites.empty() ? all : "converted";
    };
    const Run map = [](std::istream& in) {
        std::vector<MapPiece> pieces;
        std::string error;
        return readgmtpieces(in, false, pieces, error) ? "converted" : error + "\n";
    };
    const std::string lon = "a longitude outside -360..360\n";
    const struct {
        Run run;
        std::string input, message;
    } cases[] = {
        {events, "time,latitude,longitude,depth\n",
         "no header with time, latitude, longitude, depth and mag columns\n"},
        {events, "time,latitude,longitude,depth,mag\n2018-02-07T22:10Z,35,139,10,5\n\"x,1\n2,3\n",
         "line 3: a quote that is not closed\n"},
        {volcanoes, "Name,Latitude,Longitude\n\"Alpha,35,139\n",
         "line 2: a quote that is not closed\n"},
        {velocities, "1e10 35 1 2 0.5 0.5 0\n", "line 1: " + lon},
        {velocities, "# sites\n1e8 35 1 2 0.5 0.5 0\n", "line 2: " + lon},
        {velocities, "135 95 1 2 0.5 0.5 0\n", "line 1: a latitude outside -90..90\n"},
        {map, "> a\n135 35\n136 x\n", "line 3: expected \"lon lat\"\n"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(c.run(in), c.message) << c.input;
    }
}

TEST(LayerCsv, QuotesHeadersAndNumbers) {
    std::istringstream in("a,\"b \"\"q\"\", c\r\nd\"\r\n\r\n x ,2\n");
    CsvReader rows(in);
    CsvRow row;
    ASSERT_TRUE(rows.next(row));
    EXPECT_EQ(row[1], "b \"q\", c\nd");
    ASSERT_TRUE(rows.next(row));
    EXPECT_EQ(rows.line(), 4);
    EXPECT_EQ(findcolumn(row, {"X"}), 0u);
    EXPECT_FALSE(rows.next(row));
    EXPECT_EQ(rows.error(), "");
    EXPECT_EQ(csvnumber(" -1.5e2 "), -150.0);
    EXPECT_FALSE(csvnumber("nan").has_value());
    EXPECT_FALSE(csvnumber("1.5x").has_value());
}

}  // namespace
}  // namespace crustex::tools
