#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/cffform.h"
#include "engine/customform.h"
#include "engine/fieldform.h"
#include "gridfixture.h"

namespace crustex {
namespace {

// A work state whose results are current, so a store is visible in the flags.
WorkState freshwork() {
    WorkState ws = test::defaultwork();
    ws.gridstale = false;
    ws.cffstale = false;
    return ws;
}

TEST(FieldForm, OpensWithTheValuesItStoresBackAndStoresEveryBox) {
    WorkState ws = freshwork();
    ws.xview0 = 20.125f;  // an unchanged dialog must not round the field
    FieldFormText t = entryfieldform(ws);
    EXPECT_EQ(t.rwidth, "240");
    EXPECT_EQ(t.xview0, "20.125");
    EXPECT_EQ(t.xgrid, "20");
    ASSERT_TRUE(fixparam(ws, t).ok());
    EXPECT_EQ(ws.xview0, 20.125f);
    EXPECT_TRUE(ws.gridstale && ws.cffstale);

    t.yview1 = "95.5";
    t.ygrid = "31";
    t.obsincx = "60";
    t.obsincy = "50";
    t.obsincs = "30";
    t.inclined = true;
    ASSERT_TRUE(fixparam(ws, t).ok());
    EXPECT_EQ(ws.yview1, 95.5f);
    EXPECT_EQ(ws.ygrid, 31);
    EXPECT_EQ(ws.obsincs, 30.0f);
    EXPECT_TRUE(ws.inclined);
    EXPECT_GE(ws.incy0[1], 20.0f);  // depth lines computed for the new field
    EXPECT_NE(ws.incx0[1], 0.0f);
}

TEST(FieldForm, RejectsTheFirstBadBoxAndStoresNothing) {
    using T = FieldFormText;
    struct Case {
        std::vector<std::pair<std::string T::*, const char*>> edits;
        bool inclined;
        const char* badfield;
    };
    const Case cases[] = {
        {{{&T::rwidth, "0"}}, false, "rwidth"},
        {{{&T::xview1, "10000.5"}}, false, "xview1"},
        {{{&T::xview0, "-1"}, {&T::yview1, "-1"}}, false, "yview1"},  // NE corner checked first
        {{{&T::xgrid, "0"}}, false, "xgrid"},
        {{{&T::ygrid, "0.3"}}, false, "ygrid"},
        {{{&T::xgrid, "3000"}, {&T::ygrid, "3000"}}, false, "ygrid"},  // too many nodes
        {{{&T::obsincdpt, "101"}}, false, "obsincdpt"},
        {{{&T::obsincdip, "46"}}, false, "obsincdip"},
        {{{&T::xview1, "20"}}, false, "xview0"},  // NE not east of SW
        {{{&T::yview0, "171"}}, false, "yview0"},
        {{{&T::xview1, "20"}, {&T::obsincdip, "50"}}, false, "obsincdip"},  // boxes before corners
        {{{&T::obsincx, "19"}}, true, "obsincx"},  // reference outside the area
        {{{&T::obsincy, "170.5"}}, true, "obsincy"},
        {{{&T::obsincx, "19"}}, false, ""},  // ... matters only for an inclined field
    };
    for (const Case& c : cases) {
        WorkState ws = freshwork();
        FieldFormText t = entryfieldform(ws);
        for (const auto& [box, text] : c.edits) t.*box = text;
        t.inclined = c.inclined;
        EXPECT_EQ(fixparam(ws, t).badfield, c.badfield) << c.badfield;
        if (*c.badfield == 0) continue;
        const WorkState b = freshwork();
        EXPECT_EQ(std::tuple(ws.gridstale, ws.xview0, ws.yview1, ws.xgrid, ws.inclined),
                  std::tuple(false, b.xview0, b.yview1, b.xgrid, b.inclined))
            << c.badfield;
    }
    // The box alone is within bounds: the rejection says why.
    WorkState ws = freshwork();
    FieldFormText t = entryfieldform(ws);
    t.xgrid = t.ygrid = "2048";
    EXPECT_EQ(fixparam(ws, t).reason, "2049 x 2049 nodes, at most 4,194,304");
}

TEST(CffForm, FaultTypesMapToTheirRakesAndTheFormOpensWithTwoDecimals) {
    const std::tuple<int, const char*, float, const char*> cases[] = {
        {1, "Left lateral", 0, "0."},
        {2, "Reverse", 90, "90."},
        {3, "Right lateral", 180, "180."},
        {4, "Normal", -90, "-90."}};
    for (const auto& [entry, name, rake, text] : cases) {
        EXPECT_STREQ(kFaultTypeNames[static_cast<std::size_t>(entry)], name);
        EXPECT_EQ(faulttypeofrake(rake), entry) << name;
        EXPECT_EQ(raketextoffaulttype(entry), std::optional<std::string>(text)) << name;
    }
    EXPECT_STREQ(kFaultTypeNames[0], " ");
    for (float rake : {45.f, -180.f, 90.5f}) EXPECT_EQ(faulttypeofrake(rake), 0) << rake;
    for (int entry : {0, 5, -1}) EXPECT_EQ(raketextoffaulttype(entry), std::nullopt) << entry;

    WorkState ws = freshwork();
    ws.cffstrike = 12.345f;
    ws.cffrake = -90;
    const CffFormText t = entrycffform(ws);
    EXPECT_EQ(std::tuple(t.cffstrike, t.cffdip, t.cffrake, t.friction, t.faulttype),
              std::tuple("12.35", "90.", "-90.", "0.3", 4));
    EXPECT_FALSE(cffapplyenabled(ws));
    ws.quantitykey = "cffpara";
    EXPECT_TRUE(cffapplyenabled(ws));
}

TEST(CffForm, ChecksInOrderAndMarksOnlyCffStale) {
    struct Case {
        std::array<const char*, 4> boxes;  // strike, dip, rake, friction
        const char* badfield;              // "" when accepted
    };
    const Case cases[] = {
        {{"-180", "0", "-180", "0"}, ""},         {{"360", "90", "180", "1"}, ""},
        {{"361", "91", "0", "0.3"}, "cffstrike"}, {{"10", "91", "181", "2"}, "cffdip"},
        {{"10", "45", "181", "2"}, "cffrake"},    {{"10", "45", "30", "1.01"}, "friction"},
        {{"10", "45", "30", "-0.1"}, "friction"}, {{"x", "45", "30", "0.5"}, "cffstrike"},
    };
    for (const Case& c : cases) {
        WorkState ws = freshwork();
        const CffFormText t{c.boxes[0], c.boxes[1], c.boxes[2], c.boxes[3]};
        const FormCheck r = fixparam(ws, t);
        const bool ok = r.ok();
        EXPECT_EQ(r.badfield, c.badfield) << c.boxes[0] << " " << c.boxes[1];
        EXPECT_FALSE(ws.gridstale);
        EXPECT_EQ(ws.cffstale, ok);
        EXPECT_EQ(ws.cffstrike, ok ? std::stof(c.boxes[0]) : 0.0f);
        EXPECT_EQ(ws.friction, ok ? std::stof(c.boxes[3]) : 0.3f);
    }
}

TEST(CustomForm, FiveDecimalTextsAnyNumberStoredFirstNonNumberRejected) {
    WorkState ws = freshwork();
    ws.fx = 0.123456f;
    ws.fzx = -2;
    CustomFormText t = entryform(ws);
    EXPECT_EQ(t.fx, "0.12346");
    EXPECT_EQ(t.fy, "0.");
    EXPECT_EQ(t.fzx, "-2.");
    t.fzz = "";
    t.fxy = "abc";
    EXPECT_EQ(fixparam(ws, t).badfield, "fzz");
    t.fzz = "1";
    EXPECT_EQ(fixparam(ws, t).badfield, "fxy");
    t.fx = "1e39";  // beyond a float
    EXPECT_EQ(fixparam(ws, t).badfield, "fx");
    EXPECT_EQ(ws.fzz, 0.0f);
    t.fx = "0.12346";
    t.fy = "-1e20";
    t.fxy = "3.5";
    ASSERT_TRUE(fixparam(ws, t).ok());
    EXPECT_EQ(ws.fx, 0.12346f);
    EXPECT_EQ(ws.fy, -1e20f);
    EXPECT_EQ(ws.fxy, 3.5f);
    EXPECT_EQ(ws.fzx, -2.0f);
    EXPECT_FALSE(ws.gridstale);
}

}  // namespace
}  // namespace crustex
