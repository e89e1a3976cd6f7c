#include "files/recordio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace crustex {
namespace {

TEST(RecordFloat, ShortSinglePrecisionForm) {
    struct Case {
        float v;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0f, "0"},
        {1, "1"},
        {0.5f, ".5"},
        {-0.25f, "-.25"},
        {10, "10"},
        {0.1f, ".1"},
        {0.01f, ".01"},
        {0.0001f, ".0001"},
        {0.00001f, "1E-05"},
        {1.5e-5f, "1.5E-05"},
        {1e7f, "1E+07"},
        {9999999, "9999999"},
        {1234567, "1234567"},
        {12345678, "1.234568E+07"},
        {170, "170"},
        {6378.39f, "6378.39"},
        {-45000, "-45000"},
        {3.3333333f, "3.333333"},
        {2e30f, "2E+30"},
        {1e30f, "1E+30"},
        {-1.6e-15f, "-1.6E-15"},
        {100.25f, "100.25"},
    };
    for (const Case& c : cases) EXPECT_EQ(recordfloat(c.v), c.text) << c.v;
}

TEST(RecordFloat, TextReadsBackToTheSameFloat) {
    // Values with at most 7 significant digits come back exactly.
    const float values[] = {0.3f,  0.01f,        0.0001f,    240,  137,    6371.22f,
                            1e-5f, 3.402823e38f, -7.25e-12f, 0.1f, 65.625f};
    for (float v : values) {
        float back = 0;
        ASSERT_TRUE(parserecordfloat(recordfloat(v), back)) << recordfloat(v);
        EXPECT_EQ(back, v) << recordfloat(v);
    }
}

TEST(RecordFloat, NonFiniteValuesStayReadable) {
    float back = 0;
    EXPECT_TRUE(parserecordfloat(recordfloat(1.0f / 0.0f), back));
    EXPECT_TRUE(parserecordfloat(recordfloat(std::numeric_limits<float>::quiet_NaN()), back));
    EXPECT_EQ(back, 0);
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

TEST(RecordWriter, LineLayout) {
    RecordWriter w;
    w.plainline("//// header ////");
    w.text("eventpara");
    w.date({1995, 1, 1, 0, 0, 0});
    w.date({1995, 12, 31, 23, 59, 0});
    w.number(0.5f);
    w.integer(-3);
    w.boolean(true);
    w.boolean(false);
    w.endline();
    w.text("a,b");
    w.endline();
    EXPECT_EQ(w.str(),
              "//// header ////\r\n"
              "\"eventpara\",#1995-01-01#,#1995-12-31 23:59:00#,.5,-3,#TRUE#,#FALSE#\r\n"
              "\"a,b\"\r\n");
}

TEST(RecordReader, FieldsInStreamOrderWhateverTheLineBreaks) {
    RecordReader r(
        "\"fltxy\",2\r\n1,2,\n3\r\n  \"path, with comma\" , plain text ,#TRUE#,#false#,0,-1\r"
        "#1995-12-31 23:59:00#,#2000-02-29#\r\n\r\n");
    std::string s;
    int16_t i = 0;
    float f = 0;
    bool b = false;
    DateTime d;
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "fltxy");
    ASSERT_TRUE(r.readint(i));
    EXPECT_EQ(i, 2);
    for (float want : {1.0f, 2.0f, 3.0f}) {
        ASSERT_TRUE(r.readfloat(f));
        EXPECT_EQ(f, want);
    }
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "path, with comma");
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "plain text");
    for (bool want : {true, false, false, true}) {
        ASSERT_TRUE(r.readbool(b));
        EXPECT_EQ(b, want);
    }
    ASSERT_TRUE(r.readdate(d));
    EXPECT_EQ(d, (DateTime{1995, 12, 31, 23, 59, 0}));
    ASSERT_TRUE(r.readdate(d));
    EXPECT_EQ(d, (DateTime{2000, 2, 29, 0, 0, 0}));
    EXPECT_TRUE(r.atend());
    EXPECT_FALSE(r.failed());
    EXPECT_FALSE(r.readtext(s));
    EXPECT_TRUE(r.failed());
}

TEST(RecordReader, EmptyFieldBetweenCommas) {
    RecordReader r("a,,b");
    std::string s;
    ASSERT_TRUE(r.readtext(s));
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "");
    ASSERT_TRUE(r.readtext(s));
    EXPECT_EQ(s, "b");
}

// Each input makes the named read fail, and the reader stays failed.
TEST(RecordReader, BadFieldsFailCleanly) {
    enum Kind { Text, Float, Int, Bool, Date };
    struct Case {
        std::string input;
        Kind kind;
    } cases[] = {
        {"", Text},
        {"\"no closing quote\r\n", Text},
        {"\"no closing quote", Text},
        {std::string(RecordReader::kMaxField + 1, 'x'), Text},
        {"\"" + std::string(RecordReader::kMaxField + 1, 'x') + "\"", Text},
        {"abc", Float},
        {"1e400", Float},
        {"", Float},
        {std::string("\x01\xff\0\x7f", 4), Float},
        {"32768", Int},
        {"-32769", Int},
        {"1e30", Int},
        {"x", Int},
        {"#MAYBE#", Bool},
        {"#2023-13-45#", Date},
        {"#1995-02-29#", Date},
        {"#1995-01-01 24:00:00#", Date},
        {"#1995-1-1#", Date},
        {"1995-01-01", Date},
        {"#1995-01-01", Date},
        {"#1995-01-01x#", Date},
        {"##", Date},
        {"#", Date},
    };
    for (const Case& c : cases) {
        RecordReader r(c.input);
        std::string s;
        float f = 7;
        int16_t i = 7;
        bool b = true;
        DateTime d{1999, 9, 9, 9, 9, 9};
        bool ok = true;
        switch (c.kind) {
            case Text: ok = r.readtext(s); break;
            case Float: ok = r.readfloat(f); break;
            case Int: ok = r.readint(i); break;
            case Bool: ok = r.readbool(b); break;
            case Date: ok = r.readdate(d); break;
        }
        EXPECT_FALSE(ok) << c.input.substr(0, 40);
        EXPECT_TRUE(r.failed()) << c.input.substr(0, 40);
        EXPECT_EQ(f, 7);
        EXPECT_EQ(i, 7);
        EXPECT_TRUE(b);
        EXPECT_EQ(d, (DateTime{1999, 9, 9, 9, 9, 9}));
        EXPECT_FALSE(r.readtext(s)) << "stays failed";
    }
}

TEST(RecordReader, IntegerFieldsRoundHalvesToEven) {
    RecordReader r("2.5,3.5,-2.5,32767,-32768");
    int16_t i = 0;
    for (int want : {2, 4, -2, 32767, -32768}) {
        ASSERT_TRUE(r.readint(i));
        EXPECT_EQ(i, want);
    }
}

TEST(RecordReader, TenMegabyteLineIsAnErrorNotAHang) {
    std::string big(10 * 1024 * 1024, 'a');
    RecordReader r(big);
    std::string s;
    EXPECT_FALSE(r.readtext(s));
}

}  // namespace
}  // namespace crustex
