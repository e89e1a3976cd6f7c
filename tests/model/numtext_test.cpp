#include "model/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace crustex {
namespace {

struct PatternCase {
    float value;
    const char* pattern;
    const char* text;
};

// Each row: the float, the pattern, the text a single-precision display shows.
const std::vector<PatternCase> kPatternCases = {
    // Fixed point, the trailing point stays even with no decimals left.
    {5, "0.##", "5."},
    {10, "0.#", "10."},
    {9.999f, "0.##", "10."},
    {-250, "0", "-250"},
    {0, "0", "0"},
    {0, "0.0", "0.0"},
    {0, "0.#", "0."},
    {2.25f, "0.#", "2.3"},    // an exact binary half rounds away from zero
    {-2.25f, "0.#", "-2.3"},  // ... on both sides
    {2.5f, "0", "3"},
    {-0.5f, "0", "-1"},
    {0.35f, "0.#", "0.4"},     // the float lies below the half; its 7-digit decimal does not
    {1.005f, "0.##", "1.01"},  // the same at the second decimal
    {0.125f, "0.##", "0.13"},
    {1234.5678f, "0.0", "1234.6"},
    {123456789.f, "0.##", "123456800."},  // only 7 significant digits exist
    {1e10f, "0", "10000000000"},
    {12.34567f, "0.####", "12.3457"},
    {0.000012f, "0.#####", "0.00001"},
    {0.01f, "0.#######", "0.01"},
    {0.0001f, "0.########", "0.0001"},
    {1.234567e-5f, "0.########", "0.00001235"},
    {0.004f, "0.##", "0."},  // rounds away to nothing after the point
    {0.005f, "0.##", "0.01"},
    {99.996f, "0.##", "100."},
    // "#" alone: nothing for 0, the number otherwise.
    {0, "#", ""},
    {0.4f, "#", ""},
    {0.6f, "#", "1"},
    {3, "#", "3"},
    {20, "#", "20"},
    // Exponent forms.
    {0.5f, "0.##E-#", "5.E-1"},
    {1000, "0.##E-#", "1.E3"},
    {0.012345f, "0.##E-#", "1.23E-2"},
    {-123456, "0.##E-#", "-1.23E5"},
    {0.9999996f, "0.##E-#", "1.E0"},  // rounds up into exponent 0
    {0.05f, "#E-#", "5E-2"},
    {12000, "#E-#", "1E4"},
    {15000, "#E-#", "2E4"},
    {0.099f, "#E-#", "1E-1"},
    {0.00123f, "0.###E+00", "1.23E-03"},
    {-45000, "0.###E+00", "-4.5E+04"},
    {1, "0.###E+00", "1.E+00"},
    {0, "0.###E+00", "0.E+00"},
    {9.9996f, "0.###E+00", "1.E+01"},
    {9.9994f, "0.###E+00", "9.999E+00"},
    {-0.000012345f, "0.###E+00", "-1.235E-05"},
    {123456, "0.###E+00", "1.235E+05"},
    {1.5e-38f, "0.###E+00", "1.5E-38"},
    {3.4e38f, "0.###E+00", "3.4E+38"},
    {1e-40f, "0.###E+00", "1.E-40"},
    // Contour labels: lower-case letter, and two optional exponent digits.
    {20, "0e-#", "2e1"},
    {0.5f, "0e-#", "5e-1"},
    {1, "0e-#", "1e0"},
    {25, "0e-#", "3e1"},
    {-0.03f, "0e-#", "-3e-2"},
    {0.01f, "0E-##", "1E-2"},
    {1, "0E-##", "1E0"},
    {100, "0E-##", "1E2"},
    {1e-12f, "0E-##", "1E-12"},
};

TEST(FormatNumber, PatternTable) {
    for (const PatternCase& c : kPatternCases) {
        EXPECT_EQ(formatnumber(c.value, c.pattern), c.text)
            << "value " << c.value << " pattern " << c.pattern;
    }
}

TEST(FormatNumber, EmptyPatternAndNonFiniteValuesGiveTextNotACrash) {
    EXPECT_EQ(formatnumber(2.5f, ""), "2.5");
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(formatnumber(std::nanf(""), "0.##"), "NaN");
    EXPECT_EQ(formatnumber(inf, "0.###E+00"), "Inf");
    EXPECT_EQ(formatnumber(-inf, "#"), "-Inf");
}

TEST(GeneralForm, ShortestSevenDigitTextWithExponentOutside1E7) {
    const std::vector<std::pair<float, const char*>> cases = {
        {0, "0"},
        {-0.0f, "0"},
        {2.5f, "2.5"},
        {-0.5f, "-0.5"},
        {0.1f, "0.1"},
        {20, "20"},
        {100, "100"},
        {123.456f, "123.456"},
        {1.f / 3, "0.3333333"},
        {2.f / 3, "0.6666667"},
        {1234567, "1234567"},
        {9999999, "9999999"},
        {1e7f, "1E+07"},
        {12345678, "1.234568E+07"},
        {16777216, "1.677722E+07"},
        {1e30f, "1E+30"},
        {-2.5e20f, "-2.5E+20"},
        {0.01f, "0.01"},
        {1e-7f, "0.0000001"},
        {1.5e-7f, "0.00000015"},
        {1e-8f, "1E-08"},
        {-3.25e-12f, "-3.25E-12"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(generalform(v), text) << v;
}

TEST(ExpField, ElevenCharactersRightJustified) {
    const std::vector<std::pair<float, const char*>> cases = {
        {1e30f, "  9.999E+99"},   {0, "     0.E+00"},        {0.00123f, "   1.23E-03"},
        {-45000, "   -4.5E+04"},  {1, "     1.E+00"},        {-1.234567e-38f, " -1.235E-38"},
        {3.4e38f, "    3.4E+38"}, {-9.9996f, "    -1.E+01"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(expfield(v), text) << v;
}

TEST(ExpField, NeverLongerOrShorterThanElevenForAnyFiniteFloat) {
    // Walk the float range in coarse bit steps, both signs, subnormals included.
    for (std::uint32_t bits = 0; bits < 0x7f800000u; bits += 0x00012345u) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        ASSERT_EQ(expfield(v).size(), 11u) << v;
        ASSERT_EQ(expfield(-v).size(), 11u) << -v;
    }
}

TEST(AxisText, ExponentFormBelowOneTenthAndFromOneThousand) {
    const std::vector<std::pair<float, const char*>> cases = {
        {0.05f, "5E-2"},   {12000, "1E4"}, {0, "0"},          {2.5f, "2.5"},   {0.1f, "0.1"},
        {999.5f, "999.5"}, {1000, "1E3"},  {-0.05f, "-5E-2"}, {-2500, "-3E3"}, {0.099f, "1E-1"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(axistext(v), text) << v;
}

TEST(ValueText, PatternChosenByMagnitude) {
    const std::vector<std::pair<float, const char*>> cases = {
        {0, "0"},         {-0.0f, "0"},           {10, "10."},        {9.999f, "10."},
        {9.99f, "9.99"},  {1.234f, "1.23"},       {1, "1."},          {0.5f, "5.E-1"},
        {1000, "1.E3"},   {-250, "-250"},         {55.55f, "55.6"},   {999.6f, "1000"},
        {99.96f, "100."}, {0.012345f, "1.23E-2"}, {123456, "1.23E5"}, {-7.5f, "-7.5"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(valuetext(v), text) << v;
}

}  // namespace
}  // namespace crustex
