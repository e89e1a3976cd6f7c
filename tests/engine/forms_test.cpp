#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/cffform.h"
#include "engine/customform.h"
#include "engine/fieldform.h"
#include "gridfixture.h"

namespace crustex {
namespace {

using test::defaultwork;

// A work state whose results are current, so a store is visible in the flags.
WorkState freshwork() {
    WorkState ws = defaultwork();
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
    struct Case {
        const char* name;
        std::function<void(FieldFormText&)> edit;
        const char* badfield;
    };
    const Case cases[] = {
        {"zero window width", [](FieldFormText& t) { t.rwidth = "0"; }, "rwidth"},
        {"corner beyond range", [](FieldFormText& t) { t.xview1 = "10000.5"; }, "xview1"},
        {"NE corner checked first",
         [](FieldFormText& t) {
             t.xview0 = "-1";
             t.yview1 = "-1";
         },
         "yview1"},
        {"no X intervals", [](FieldFormText& t) { t.xgrid = "0"; }, "xgrid"},
        {"fraction of an interval", [](FieldFormText& t) { t.ygrid = "0.3"; }, "ygrid"},
        {"too many nodes",
         [](FieldFormText& t) {
             t.xgrid = "3000";
             t.ygrid = "3000";
         },
         "ygrid"},
        {"reference too deep", [](FieldFormText& t) { t.obsincdpt = "101"; }, "obsincdpt"},
        {"dip too steep", [](FieldFormText& t) { t.obsincdip = "46"; }, "obsincdip"},
        {"NE not east of SW", [](FieldFormText& t) { t.xview1 = "20"; }, "xview0"},
        {"NE not north of SW", [](FieldFormText& t) { t.yview0 = "171"; }, "yview0"},
        {"box order before corner rule",
         [](FieldFormText& t) {
             t.xview1 = "20";
             t.obsincdip = "50";
         },
         "obsincdip"},
        {"reference west of the area",
         [](FieldFormText& t) {
             t.inclined = true;
             t.obsincx = "19";
         },
         "obsincx"},
        {"reference north of the area",
         [](FieldFormText& t) {
             t.inclined = true;
             t.obsincy = "170.5";
         },
         "obsincy"},
    };
    for (const Case& c : cases) {
        WorkState ws = freshwork();
        const WorkState before = ws;
        FieldFormText t = entryfieldform(ws);
        c.edit(t);
        const FormCheck r = fixparam(ws, t);
        EXPECT_EQ(r.badfield, c.badfield) << c.name;
        EXPECT_FALSE(ws.gridstale) << c.name;
        EXPECT_EQ(ws.xview0, before.xview0) << c.name;
        EXPECT_EQ(ws.yview1, before.yview1) << c.name;
        EXPECT_EQ(ws.xgrid, before.xgrid) << c.name;
        EXPECT_EQ(ws.inclined, before.inclined) << c.name;
    }
}

TEST(CffForm, FaultTypesMapToTheirRakes) {
    struct Case {
        int entry;
        const char* name;
        float rake;
        const char* text;
    };
    const Case cases[] = {{1, "Left lateral", 0, "0."},
                          {2, "Reverse", 90, "90."},
                          {3, "Right lateral", 180, "180."},
                          {4, "Normal", -90, "-90."}};
    for (const Case& c : cases) {
        EXPECT_STREQ(kFaultTypeNames[static_cast<std::size_t>(c.entry)], c.name);
        EXPECT_EQ(faulttypeofrake(c.rake), c.entry) << c.name;
        EXPECT_EQ(raketextoffaulttype(c.entry), std::optional<std::string>(c.text)) << c.name;
    }
    EXPECT_STREQ(kFaultTypeNames[0], " ");
    for (float rake : {45.f, -180.f, 90.5f}) EXPECT_EQ(faulttypeofrake(rake), 0) << rake;
    EXPECT_EQ(raketextoffaulttype(0), std::nullopt);
    EXPECT_EQ(raketextoffaulttype(5), std::nullopt);
    EXPECT_EQ(raketextoffaulttype(-1), std::nullopt);
}

TEST(CffForm, OpensWithTwoDecimalTextsAndApplyOnlyForCff) {
    WorkState ws = freshwork();
    ws.cffstrike = 12.345f;
    ws.cffrake = -90;
    const CffFormText t = entrycffform(ws);
    EXPECT_EQ(t.cffstrike, "12.35");
    EXPECT_EQ(t.cffdip, "90.");
    EXPECT_EQ(t.cffrake, "-90.");
    EXPECT_EQ(t.friction, "0.3");
    EXPECT_EQ(t.faulttype, 4);
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
        CffFormText t;
        t.cffstrike = c.boxes[0];
        t.cffdip = c.boxes[1];
        t.cffrake = c.boxes[2];
        t.friction = c.boxes[3];
        const FormCheck r = fixparam(ws, t);
        EXPECT_EQ(r.badfield, c.badfield) << c.boxes[0] << " " << c.boxes[1];
        EXPECT_FALSE(ws.gridstale);
        if (r.ok()) {
            EXPECT_TRUE(ws.cffstale);
            EXPECT_EQ(ws.cffstrike, std::stof(c.boxes[0]));
            EXPECT_EQ(ws.friction, std::stof(c.boxes[3]));
        } else {
            EXPECT_FALSE(ws.cffstale);
            EXPECT_EQ(ws.cffstrike, 0.0f);
            EXPECT_EQ(ws.friction, 0.3f);
        }
    }
}

TEST(CustomForm, WeightsShowFiveDecimalsAndAnyNumberIsStored) {
    WorkState ws = freshwork();
    ws.fx = 0.123456f;
    ws.fzx = -2;
    CustomFormText t = entryform(ws);
    EXPECT_EQ(t.fx, "0.12346");
    EXPECT_EQ(t.fy, "0.");
    EXPECT_EQ(t.fzx, "-2.");
    t.fy = "-1e20";
    t.fxy = "3.5";
    ASSERT_TRUE(fixparam(ws, t).ok());
    EXPECT_EQ(ws.fx, 0.12346f);
    EXPECT_EQ(ws.fy, -1e20f);
    EXPECT_EQ(ws.fxy, 3.5f);
    EXPECT_EQ(ws.fzx, -2.0f);
    EXPECT_FALSE(ws.gridstale);
}

TEST(CustomForm, FirstNonNumberInBoxOrderIsRejected) {
    WorkState ws = freshwork();
    CustomFormText t = entryform(ws);
    t.fzz = "";
    t.fxy = "abc";
    EXPECT_EQ(fixparam(ws, t).badfield, "fzz");
    t.fzz = "1";
    EXPECT_EQ(fixparam(ws, t).badfield, "fxy");
    t.fx = "1e39";  // beyond a float
    EXPECT_EQ(fixparam(ws, t).badfield, "fx");
    EXPECT_EQ(ws.fzz, 0.0f);
}

}  // namespace
}  // namespace crustex
