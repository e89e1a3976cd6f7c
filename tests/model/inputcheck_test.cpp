#include "model/inputcheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/dialogbounds.h"

namespace crustex {
namespace {

struct CheckCase {
    const char* text;
    float lower;
    float upper;
    bool rejected;
};

TEST(CheckInput, Bounds) {
    const std::vector<CheckCase> cases = {
        // Closed range: both ends belong to it.
        {"0", 0, 10000, false},
        {"10000", 0, 10000, false},
        {"-0.001", 0, 10000, true},
        {"10000.5", 0, 10000, true},
        {"180.00002", -180, 180, true},
        // (1, 1): greater than 0; (-1, -1): less than 0.
        {"0", 1, 1, true},
        {"-0", 1, 1, true},
        {"0.0001", 1, 1, false},
        {"1e-50", 1, 1, true},  // too small for a float: reads as 0
        {"-5", -1, -1, false},
        {"0", -1, -1, true},
        // Lower not below upper: any number.
        {"-1E20", 0, 0, false},
        {"1e20", 5, 5, false},
        {"-3", 7, 2, false},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(checkinput(c.text, c.lower, c.upper), c.rejected)
            << "'" << c.text << "' in (" << c.lower << ", " << c.upper << ")";
    }
}

TEST(CheckInput, OnlyOneWholeNumberThatFitsAFloatIsANumber) {
    const std::vector<const char*> rejected = {
        "",      "   ",  "abc",      "12abc",  "1..2",
        "1.2.3", "1,5",  "0x10",     "-",      ".",
        "e5",    "1e",   "1e+",      "+-1",    "- 1",
        "1 2",   "1e40", "-1e40",    "3.5e38", "1e99999999999999999999",
        "nan",   "inf",  "-Infinity"};
    for (const char* text : rejected) EXPECT_TRUE(checkinput(text, 0, 0)) << "'" << text << "'";
    const std::vector<const char*> accepted = {"  12.5\t", "+3",     ".5",     "5.",
                                               "2E+1",     "-.5e-2", "3.4e38", "1e-50"};
    for (const char* text : accepted) EXPECT_FALSE(checkinput(text, 0, 0)) << "'" << text << "'";
}

TEST(CheckInput, AcceptedValueIsTheNearestFloatAndRejectionLeavesItAlone) {
    const std::vector<std::pair<const char*, float>> cases = {
        {" 12.5 ", 12.5f}, {"0.1", 0.1f},    {"-.5e-2", -0.005f},  {"+3", 3.0f},
        {"1e-50", 0.0f},   {"100000", 1e5f}, {"1.00000001", 1.0f}, {"-0", -0.0f},
    };
    for (const auto& [text, expected] : cases) {
        float v = 99;
        ASSERT_FALSE(checkinput(text, 0, 0, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    float v = 99;
    EXPECT_TRUE(checkinput("abc", 0, 0, v));
    EXPECT_TRUE(checkinput("-1", 0, 10, v));
    EXPECT_EQ(v, 99.0f);
}

TEST(InputRule, ClassicPairsAndRuleKinds) {
    EXPECT_EQ(InputRule::bounds(1, 1), InputRule::positive());
    EXPECT_EQ(InputRule::bounds(-1, -1), InputRule::negative());
    EXPECT_EQ(InputRule::bounds(0, 10000), InputRule::range(0, 10000));
    EXPECT_EQ(InputRule::bounds(0, 0), InputRule::any());
    EXPECT_EQ(InputRule::bounds(10, -10), InputRule::any());

    struct RuleCase {
        InputRule rule;
        float value;
        bool accepted;
    };
    const InputRule aboveupto = InputRule::aboveupto(0, 10000);
    const InputRule grid = InputRule::positive().whole();
    const InputRule steps = InputRule::range(1, 10).whole();
    const std::vector<RuleCase> cases = {
        {aboveupto, 0, false},
        {aboveupto, 1e-30f, true},
        {aboveupto, 10000, true},
        {aboveupto, 10000.01f, false},
        {aboveupto, -1, false},
        // A whole-number box judges the value it will store.
        {grid, 0.3f, false},
        {grid, 0.5f, false},
        {grid, 0.51f, true},
        {grid, 1.5f, true},
        {grid, 32767, true},
        {grid, 32767.5f, false},
        {grid, 40000, false},
        {grid, 1e30f, false},
        {steps, 0.6f, false},  // outside the range before rounding
        {steps, 10.4f, false},
        {steps, 9.5f, true},
        {InputRule::any(), std::nanf(""), false},
        {InputRule::any(), std::numeric_limits<float>::infinity(), false},
    };
    for (const RuleCase& c : cases) EXPECT_EQ(c.rule.accepts(c.value), c.accepted) << c.value;
}

TEST(InputRule, StoringIntoSixteenBitsRoundsHalvesToEven) {
    const std::vector<std::pair<float, int>> cases = {
        {2.5f, 2},  {3.5f, 4},  {-2.5f, -2},   {20, 20},
        {0.51f, 1}, {-0.4f, 0}, {1e9f, 32767}, {-1e9f, -32768},
    };
    for (const auto& [v, expected] : cases) EXPECT_EQ(roundtoint16(v), expected) << v;
}

TEST(CheckFields, StopsAtTheFirstRejectionAndStoresNothing) {
    FieldValues values;
    values.set("keep", 7);
    const std::vector<FieldInput> inputs = {
        {"a", "1", InputRule::range(0, 10)},
        {"b", "11", InputRule::range(0, 10)},
        {"c", "abc", InputRule::any()},
    };
    FormCheck r = checkfields(inputs, values);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.badfield, "b");
    EXPECT_EQ(values.size(), 1u);
    EXPECT_FALSE(values.has("a"));

    const std::vector<FieldInput> good = {
        {"a", "1", InputRule::range(0, 10)},
        {"keep", "-2", InputRule::any()},
        {"n", "2.5", InputRule::positive().whole()},
    };
    ASSERT_TRUE(checkfields(good, values).ok());
    EXPECT_EQ(values.get("a"), 1.0f);
    EXPECT_EQ(values.get("keep"), -2.0f);
    EXPECT_EQ(values.getint16("n"), 2);
    EXPECT_THROW(values.get("missing"), std::out_of_range);
}

std::vector<std::string> fieldsof(DialogKind d) {
    std::vector<std::string> names;
    for (const FieldBound& b : dialogbounds(d)) names.emplace_back(b.field);
    return names;
}

TEST(DialogBounds, EachDialogChecksItsBoxesInItsOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(fieldsof(DialogKind::SourceEditor),
              (V{"fx0", "fx1", "fy0", "fy1", "fdipangle", "fwidth", "fdepth", "slip", "rakeangle",
                 "tensile", "px", "py", "pdepth", "piso"}));
    EXPECT_EQ(fieldsof(DialogKind::Field),
              (V{"rwidth", "yview1", "xview1", "yview0", "xview0", "xgrid", "ygrid", "obsdepth",
                 "obsincx", "obsincy", "obsincdpt", "obsincs", "obsincdip"}));
    EXPECT_EQ(fieldsof(DialogKind::Visualization),
              (V{"cminval", "cline", "nsubline", "fsize", "rdispl", "rtilt", "rstrain"}));
    EXPECT_EQ(fieldsof(DialogKind::Cff), (V{"cffstrike", "cffdip", "cffrake", "friction"}));
    EXPECT_EQ(fieldsof(DialogKind::Custom),
              (V{"fx", "fy", "fz", "fxx", "fyy", "fzz", "fxy", "fyz", "fzx"}));
    EXPECT_EQ(fieldsof(DialogKind::PrinterSetting), (V{"ymargin", "xmargin"}));
    EXPECT_EQ(fieldsof(DialogKind::EarthquakeSelection), (V{"dep0", "dep1", "mag0", "mag1"}));
    EXPECT_EQ(fieldsof(DialogKind::Map), (V{"dlat", "nstep", "flat1", "flat2", "flon1", "flon2"}));
    EXPECT_EQ(fieldsof(DialogKind::LocationAssistant),
              (V{"latitude", "longitude", "strike", "length"}));
}

struct BoundCase {
    DialogKind dialog;
    const char* field;
    const char* text;
    bool accepted;
};

TEST(DialogBounds, RulesBeyondThePlainRanges) {
    using D = DialogKind;
    const std::vector<BoundCase> cases = {
        // A picture 0 km wide has no scale.
        {D::Field, "rwidth", "0", false},
        {D::Field, "rwidth", "0.01", true},
        {D::Field, "rwidth", "10000", true},
        {D::Field, "rwidth", "10000.1", false},
        // Counts are stored in 16-bit integers.
        {D::Field, "xgrid", "0.3", false},
        {D::Field, "ygrid", "1", true},
        {D::Field, "xgrid", "70000", false},
        {D::Map, "nstep", "0.6", false},
        {D::Visualization, "nsubline", "99", true},
        {D::Visualization, "nsubline", "100", false},
        {D::PrinterSetting, "xmargin", "100", true},
        // Greater than 0, any number.
        {D::SourceEditor, "fwidth", "0", false},
        {D::LocationAssistant, "length", "0", false},
        {D::Visualization, "cminval", "1e-30", true},
        {D::SourceEditor, "piso", "-5e30", true},
        {D::SourceEditor, "piso", "abc", false},
        {D::Custom, "fx", "", false},
    };
    for (const BoundCase& c : cases) {
        const FieldBound* b = findbound(c.dialog, c.field);
        ASSERT_NE(b, nullptr) << c.field;
        float v = 0;
        EXPECT_EQ(!checkinput(c.text, b->rule, v), c.accepted)
            << c.field << " = '" << c.text << "'";
    }
}

TEST(DialogBounds, LookUpByDialogAndField) {
    EXPECT_EQ(findbound(DialogKind::Cff, "rwidth"), nullptr);
    EXPECT_EQ(rulefor(DialogKind::Cff, "cffrake"), InputRule::range(-180, 180));
    EXPECT_THROW(rulefor(DialogKind::Map, "xgrid"), std::invalid_argument);
    // No dialog names a box twice.
    for (DialogKind d :
         {DialogKind::SourceEditor, DialogKind::Field, DialogKind::Visualization, DialogKind::Cff,
          DialogKind::Custom, DialogKind::PrinterSetting, DialogKind::EarthquakeSelection,
          DialogKind::Map, DialogKind::LocationAssistant}) {
        std::vector<std::string> names = fieldsof(d);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    }
}

TEST(CheckDialog, TableOrderSkippedBoxesAndValues) {
    std::map<std::string, std::string, std::less<>> boxes = {
        {"cffstrike", "400"}, {"cffdip", "abc"}, {"cffrake", "90"}, {"friction", "0.4"}};
    auto text = [&](std::string_view f) -> std::optional<std::string> {
        auto it = boxes.find(f);
        if (it == boxes.end()) return std::nullopt;
        return it->second;
    };
    FieldValues values;
    EXPECT_EQ(checkdialog(DialogKind::Cff, text, values).badfield, "cffstrike");
    boxes["cffstrike"] = "-10";
    EXPECT_EQ(checkdialog(DialogKind::Cff, text, values).badfield, "cffdip");
    EXPECT_EQ(values.size(), 0u);
    boxes["cffdip"] = "45";
    ASSERT_TRUE(checkdialog(DialogKind::Cff, text, values).ok());
    EXPECT_EQ(values.get("cffstrike"), -10.0f);
    EXPECT_EQ(values.get("friction"), 0.4f);

    // A box that is not offered (here: the point assistant has no strike or
    // length) is not checked and yields no value.
    boxes = {{"latitude", "35.5"}, {"longitude", "139.25"}};
    FieldValues point;
    ASSERT_TRUE(checkdialog(DialogKind::LocationAssistant, text, point).ok());
    EXPECT_EQ(point.size(), 2u);
    EXPECT_FALSE(point.has("length"));
}

}  // namespace
}  // namespace crustex
