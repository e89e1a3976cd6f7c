#include "files/recordio.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace crustex {
namespace {

TEST(RecordFloat, ShortSinglePrecisionForm) {
    std::string got;
    for (float v : {0.0f, -0.0f, 1.0f, 0.5f, -0.25f, 0.01f, 0.0001f, 0.00001f, 1.5e-5f, 1e7f,
                    9999999.0f, 12345678.0f, 6378.39f, -45000.0f, 3.3333333f, 1e30f, -1.6e-15f})
        got += recordfloat(v) + " ";
    EXPECT_EQ(got,
              "0 0 1 .5 -.25 .01 .0001 1E-05 1.5E-05 1E+07 9999999 1.234568E+07 6378.39 -45000 "
              "3.333333 1E+30 -1.6E-15 ");
}

TEST(RecordFloat, TextReadsBackToTheSameFloat) {
    // Values with at most 7 significant digits come back exactly; the
    // non-finite ones come back as a readable number.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float v, back;
    } cases[] = {{0.3f, 0.3f},        {0.0001f, 0.0001f},
                 {240, 240},          {6371.22f, 6371.22f},
                 {1e-5f, 1e-5f},      {-7.25e-12f, -7.25e-12f},
                 {65.625f, 65.625f},  {3.402823e38f, 3.402823e38f},
                 {inf, 3.402823e38f}, {nan, 0}};
    for (const auto& c : cases) {
        float back = -1;
        ASSERT_TRUE(parserecordfloat(recordfloat(c.v), back)) << recordfloat(c.v);
        EXPECT_EQ(back, c.back) << recordfloat(c.v);
    }
}

TEST(RecordFloat, ParseAcceptsOrdinaryTextOnly) {
    struct Case {
        const char* text;
        bool ok;
        float v;
    } cases[] = {
        {"12", true, 12},      {"-.25", true, -0.25f},   {"+3.5", true, 3.5f},
        {"1E+07", true, 1e7f}, {"3.5e-2", true, 0.035f}, {"5.", true, 5},
        {"", false, 0},        {"-", false, 0},          {".", false, 0},
        {"1e", false, 0},      {"1e400", false, 0},      {"1e39", false, 0},
        {"1e-400", false, 0},  {"inf", false, 0},        {"nan", false, 0},
        {"0x10", false, 0},    {"12abc", false, 0},      {"1 2", false, 0},
        {"+-1", false, 0},     {"1D+05", false, 0},      {"--1", false, 0},
    };
    for (const Case& c : cases) {
        float v = -99;
        EXPECT_EQ(parserecordfloat(c.text, v), c.ok) << c.text;
        EXPECT_FLOAT_EQ(v, c.ok ? c.v : -99) << c.text;
    }
}

// A byte-order mark at the start is passed over; whole numbers round halves
// to even.
TEST(RecordReader, FieldsInStreamOrderWhateverTheLineBreaks) {
    RecordReader r(
        "\xEF\xBB\xBF\"fltxy\",2\r\n1,2,\n3\r\n  \"path, with comma\" , plain text "
        ",,#TRUE#,#false#,0,-1\r"
        "#1995-12-31 23:59:00#,#2000-02-29#,2.5,3.5,-2.5,32767,-32768\r\n\r\n");
    std::string s;
    int16_t i = 0;
    bool b = false;
    DateTime d;
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "fltxy");
    ASSERT_TRUE(r.readint(i));
    EXPECT_EQ(i, 2);
    float f[3] = {};
    ASSERT_TRUE(readfloats(r, f));
    EXPECT_EQ(std::vector<float>(f, f + 3), (std::vector<float>{1, 2, 3}));
    for (const char* want : {"path, with comma", "plain text", ""}) {
        ASSERT_TRUE(r.readtext(s));
        EXPECT_EQ(s, want);
    }
    for (bool want : {true, false, false, true}) {
        ASSERT_TRUE(r.readbool(b));
        EXPECT_EQ(b, want);
    }
    ASSERT_TRUE(r.readdate(d));
    EXPECT_EQ(d, (DateTime{1995, 12, 31, 23, 59, 0}));
    ASSERT_TRUE(r.readdate(d));
    EXPECT_EQ(d, (DateTime{2000, 2, 29, 0, 0, 0}));
    for (int want : {2, 4, -2, 32767, -32768}) {  // halves to even
        ASSERT_TRUE(r.readint(i));
        EXPECT_EQ(i, want);
    }
    EXPECT_TRUE(r.atend());
    EXPECT_FALSE(r.failed());
    EXPECT_FALSE(r.readtext(s));
    EXPECT_TRUE(r.failed());
}

// Each input makes the named read fail, leaves the target alone, and the
// reader stays failed.
TEST(RecordReader, BadFieldsFailCleanly) {
    enum Kind { Text, Float, Int, Bool, Date };
    const std::string toolong(RecordReader::kMaxField + 1, 'x');
    const struct {
        Kind kind;
        std::vector<std::string> inputs;
    } cases[] = {
        {Text,
         {"", "\"no closing quote\r\n", "\"no closing quote", toolong, "\"" + toolong + "\""}},
        {Float, {"abc", "1e400", "", std::string("\x01\xff\0\x7f", 4)}},
        {Int, {"32768", "-32769", "1e30", "x"}},
        {Bool, {"#MAYBE#"}},
        {Date,
         {"#2023-13-45#", "#1995-02-29#", "#1995-01-01 24:00:00#", "#1995-1-1#", "1995-01-01",
          "#1995-01-01", "#1995-01-01x#", "#"}},
    };
    for (const auto& c : cases)
        for (const std::string& input : c.inputs) {
            RecordReader r(input);
            std::string s;
            float f = 7;
            int16_t i = 7;
            bool b = true;
            const DateTime before{1999, 9, 9, 9, 9, 9};
            DateTime d = before;
            bool ok = true;
            switch (c.kind) {
                case Text: ok = r.readtext(s); break;
                case Float: ok = r.readfloat(f); break;
                case Int: ok = r.readint(i); break;
                case Bool: ok = r.readbool(b); break;
                case Date: ok = r.readdate(d); break;
            }
            EXPECT_FALSE(ok) << input.substr(0, 40);
            EXPECT_TRUE(f == 7 && i == 7 && b && d == before) << input.substr(0, 40);
            EXPECT_FALSE(r.readtext(s)) << "stays failed";
        }
}

}  // namespace
}  // namespace crustex
