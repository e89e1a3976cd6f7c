#include "model/inputcheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/dialogbounds.h"
#include "model/sourcetable.h"
#include "model/workstate.h"

namespace crustex {
namespace {

TEST(CheckInput, Bounds) {
    struct Case {
        float lower, upper;
        std::vector<const char*> accepted, rejected;
    };
    const Case cases[] = {
        {0, 10000, {"0", "10000"}, {"-0.001", "10000.5"}},  // closed range
        {-180, 180, {"-180"}, {"180.00002"}},
        {1, 1, {"0.0001"}, {"0", "-0", "1e-50"}},  // greater than 0 (1e-50 reads as 0)
        {-1, -1, {"-5"}, {"0"}},                   // less than 0
        {0, 0, {"-1E20"}, {}},                     // lower not below upper: any number
        {5, 5, {"1e20"}, {}},
        {7, 2, {"-3"}, {}},
    };
    for (const Case& c : cases) {
        for (const char* text : c.accepted)
            EXPECT_FALSE(checkinput(text, c.lower, c.upper)) << text;
        for (const char* text : c.rejected) EXPECT_TRUE(checkinput(text, c.lower, c.upper)) << text;
    }
}

TEST(CheckInput, OnlyOneWholeNumberThatFitsAFloatIsANumber) {
    const char* rejected[] = {"",      "   ",  "abc",      "12abc",  "1..2",
                              "1.2.3", "1,5",  "0x10",     "-",      ".",
                              "e5",    "1e",   "1e+",      "+-1",    "- 1",
                              "1 2",   "1e40", "-1e40",    "3.5e38", "1e99999999999999999999",
                              "nan",   "inf",  "-Infinity"};
    for (const char* text : rejected) EXPECT_TRUE(checkinput(text, 0, 0)) << "'" << text << "'";
    // Accepted texts store the nearest float; a rejection leaves the value alone.
    const std::pair<const char*, float> accepted[] = {
        {" 12.5\t", 12.5f}, {"0.1", 0.1f},       {"-.5e-2", -0.005f},  {"+3", 3.0f},
        {"1e-50", 0.0f},    {"100000", 1e5f},    {"1.00000001", 1.0f}, {"-0", -0.0f},
        {"5.", 5.0f},       {"3.4e38", 3.4e38f}, {"2E+1", 20.0f},
    };
    for (const auto& [text, expected] : accepted) {
        float v = 99;
        ASSERT_FALSE(checkinput(text, 0, 0, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    float v = 99;
    EXPECT_TRUE(checkinput("abc", 0, 0, v));
    EXPECT_TRUE(checkinput("-1", 0, 10, v));
    EXPECT_EQ(v, 99.0f);
}

TEST(InputRule, RuleKindsAndWholeNumberBoxes) {
    struct Case {
        InputRule rule;
        std::vector<float> accepted, rejected;
    };
    const float inf = std::numeric_limits<float>::infinity();
    // A whole-number box judges the value it will store (16 bits).
    const Case cases[] = {
        {InputRule::aboveupto(0, 10000), {1e-30f, 10000}, {0, 10000.01f, -1}},
        {InputRule::positive().whole(), {0.51f, 32767}, {0.5f, 32767.5f, 1e30f}},
        {InputRule::range(1, 10).whole(), {9.5f}, {0.6f, 10.4f}},
        {InputRule::any(), {-1e30f}, {std::nanf(""), inf}},
    };
    for (const Case& c : cases) {
        for (float v : c.accepted) EXPECT_TRUE(c.rule.accepts(v)) << v;
        for (float v : c.rejected) EXPECT_FALSE(c.rule.accepts(v)) << v;
    }
    // Storing into 16 bits rounds halves to even and saturates.
    const std::pair<float, int> stored[] = {{2.5f, 2},  {3.5f, 4},     {-2.5f, -2},
                                            {0.51f, 1}, {1e9f, 32767}, {-1e9f, -32768}};
    for (const auto& [v, expected] : stored) EXPECT_EQ(roundtoint16(v), expected) << v;
}

std::vector<std::string> fieldsof(DialogKind d) {
    std::vector<std::string> names;
    for (const FieldBound& b : dialogbounds(d)) names.emplace_back(b.field);
    return names;
}

// The source editor and the field, receiver and custom forms have their order
// checked through their own stores.
TEST(DialogBounds, EachDialogChecksItsBoxesInItsOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(fieldsof(DialogKind::Visualization),
              (V{"cminval", "cline", "nsubline", "fsize", "rdispl", "rtilt", "rstrain"}));
    EXPECT_EQ(fieldsof(DialogKind::PrinterSetting), (V{"ymargin", "xmargin"}));
    EXPECT_EQ(fieldsof(DialogKind::EarthquakeSelection), (V{"dep0", "dep1", "mag0", "mag1"}));
    EXPECT_EQ(fieldsof(DialogKind::Map), (V{"dlat", "nstep", "flat1", "flat2", "flon1", "flon2"}));
    EXPECT_EQ(fieldsof(DialogKind::LocationAssistant),
              (V{"latitude", "longitude", "strike", "length"}));
}

TEST(DialogBounds, RulesBeyondThePlainRanges) {
    struct Case {
        DialogKind dialog;
        const char* field;
        std::vector<const char*> accepted, rejected;
    };
    using D = DialogKind;
    const Case cases[] = {
        {D::Field, "rwidth", {"0.01", "10000"}, {"0", "10000.1"}},
        {D::Field, "xgrid", {"1"}, {"70000"}},  // counts are 16-bit whole numbers
        {D::Map, "nstep", {}, {"0.6"}},
        {D::Visualization, "nsubline", {"99"}, {"100"}},
        {D::PrinterSetting, "xmargin", {"100"}, {}},
        {D::SourceEditor, "fwidth", {}, {"0"}},  // greater than 0, any number
        {D::LocationAssistant, "length", {}, {"0"}},
        {D::Visualization, "cminval", {"1e-30"}, {}},
        {D::SourceEditor, "piso", {"-5e30"}, {}},
    };
    for (const Case& c : cases) {
        const FieldBound* b = findbound(c.dialog, c.field);
        ASSERT_NE(b, nullptr) << c.field;
        float v = 0;
        for (const char* t : c.accepted)
            EXPECT_FALSE(checkinput(t, b->rule, v)) << c.field << " " << t;
        for (const char* t : c.rejected)
            EXPECT_TRUE(checkinput(t, b->rule, v)) << c.field << " " << t;
    }
    EXPECT_EQ(findbound(DialogKind::Cff, "rwidth"), nullptr);
    EXPECT_EQ(rulefor(DialogKind::Cff, "cffrake"), InputRule::range(-180, 180));
    EXPECT_THROW(rulefor(DialogKind::Map, "xgrid"), std::invalid_argument);
}

// A box that is not offered (the point assistant has no strike or length) is
// not checked and yields no value. The order and storing nothing on a
// rejection are checked through the forms built on checkdialog.
TEST(CheckDialog, SkipsTheBoxesThatAreNotOffered) {
    const std::map<std::string, std::string, std::less<>> boxes = {{"latitude", "35.5"},
                                                                   {"longitude", "139.25"}};
    const BoxText text = [&](std::string_view f) -> std::optional<std::string> {
        auto it = boxes.find(f);
        if (it == boxes.end()) return std::nullopt;
        return it->second;
    };
    FieldValues point;
    ASSERT_TRUE(checkdialog(DialogKind::LocationAssistant, text, point).ok());
    EXPECT_EQ(point.size(), 2u);
    EXPECT_EQ(point.get("longitude"), 139.25f);
    EXPECT_FALSE(point.has("length"));
}

// Every box in checking order: its text member, the record field it fills, a
// good text with its value, and a bad text.
struct Box {
    const char* field;
    std::string SourceTexts::*text;
    float faultrec::*value;
    const char* good;
    float stored;
    const char* bad;
};
const Box kBoxes[] = {
    {"fx0", &SourceTexts::fx0, &faultrec::fx0, "10", 10, "10001"},
    {"fx1", &SourceTexts::fx1, &faultrec::fx1, "30", 30, "-1"},
    {"fy0", &SourceTexts::fy0, &faultrec::fy0, "20", 20, "1e5"},
    {"fy1", &SourceTexts::fy1, &faultrec::fy1, "25", 25, "y"},
    {"fdipangle", &SourceTexts::fdipangle, &faultrec::fdipangle, "60", 60, "181"},
    {"fwidth", &SourceTexts::fwidth, &faultrec::fwidth, "12.5", 12.5f, "0"},
    {"fdepth", &SourceTexts::fdepth, &faultrec::fdepth, "2", 2, "1000.5"},
    {"slip", &SourceTexts::slip, &faultrec::slip, "150", 150, "-0.1"},
    {"rakeangle", &SourceTexts::rakeangle, &faultrec::rakeangle, "-45", -45, "-181"},
    {"tensile", &SourceTexts::tensile, &faultrec::tensile, "0.5", 0.5f, "1e40"},
    {"px", &SourceTexts::px, &faultrec::px, "40", 40, "-5"},
    {"py", &SourceTexts::py, &faultrec::py, "50", 50, "10000.5"},
    {"pdepth", &SourceTexts::pdepth, &faultrec::pdepth, "3", 3, ""},
    {"piso", &SourceTexts::piso, &faultrec::piso, "-7", -7, "abc"},
};

SourceTexts goodtexts() {
    SourceTexts t;
    for (const Box& b : kBoxes) t.*b.text = b.good;
    return t;
}

TEST(StoreTxt, StoresEveryBoxAndKeepsTheKind) {
    faultrec rec = defaultSource();
    rec.sourcetype = 1;
    ASSERT_TRUE(storetxt(goodtexts(), rec).ok());
    for (const Box& b : kBoxes) EXPECT_EQ(rec.*b.value, b.stored) << b.field;
    EXPECT_EQ(rec.sourcetype, 1);
    // The texts of a record store back to the same record.
    const faultrec f = defaultSource();
    const SourceTexts t = sourcetexts(f);
    EXPECT_EQ(t.fx0, "85.");
    EXPECT_EQ(t.piso, "100.");
    faultrec back;
    ASSERT_TRUE(storetxt(t, back).ok());
    EXPECT_EQ(back, f);
}

TEST(StoreTxt, RejectsEachBoxInCheckingOrderAndStoresNothing) {
    const std::size_t n = std::size(kBoxes);
    for (std::size_t k = 0; k < n; ++k) {
        // This box bad and every later box unreadable: only the order can make
        // this box the one reported.
        SourceTexts t = goodtexts();
        t.*kBoxes[k].text = kBoxes[k].bad;
        for (std::size_t later = k + 1; later < n; ++later) t.*kBoxes[later].text = "abc";
        faultrec rec = defaultSource();
        EXPECT_EQ(storetxt(t, rec).badfield, kBoxes[k].field);
        EXPECT_EQ(rec, defaultSource()) << kBoxes[k].field;
    }
}

TEST(StoreTxt, CoincidingEdgesAreRejectedOnTheFirstEdge) {
    SourceTexts t = goodtexts();
    t.fx0 = "30";
    t.fx1 = " 30.0 ";
    t.fy0 = "25";
    faultrec rec = defaultSource();
    EXPECT_EQ(storetxt(t, rec).badfield, "fx0");
    EXPECT_EQ(rec, defaultSource());
    t.fy1 = "25.01";  // one coordinate apart is a fault
    EXPECT_TRUE(storetxt(t, rec).ok());
}

TEST(SourceList, EntryNames) {
    EXPECT_EQ(multisourceentry(20), "Multi-Source20");
    const std::pair<std::string, int> numbers[] = {
        {"Multi-Source1", 1}, {"Multi-Source20", 20}, {"Single Fault", 0},   {"Single Point", 0},
        {"Multi-Source", 0},  {"Multi-Source3x", 0},  {"Multi-Source 3", 0}, {"", 0},
    };
    for (const auto& [entry, k] : numbers) EXPECT_EQ(multisourcenumber(entry), k) << entry;
    using V = std::vector<std::string>;
    EXPECT_EQ(sourcelistentries(1), (V{"Single Fault", "Single Point"}));
    EXPECT_EQ(sourcelistentries(3), (V{"Single Fault", "Single Point", "Multi-Source1",
                                       "Multi-Source2", "Multi-Source3"}));
}

}  // namespace
}  // namespace crustex
