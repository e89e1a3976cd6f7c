#include "model/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace crustex {
namespace {

using Cases = std::vector<std::pair<float, const char*>>;

// The text a single-precision display shows for each float and pattern.
TEST(FormatNumber, PatternTable) {
    const std::pair<const char*, Cases> patterns[] = {
        // Fixed point: the point stays with no decimals left; halves round away
        // from zero at the last kept digit of the 7-digit decimal.
        {"0", {{0, "0"}, {2.5f, "3"}, {-0.5f, "-1"}, {1e10f, "10000000000"}}},
        {"0.0", {{0, "0.0"}, {1234.5678f, "1234.6"}}},
        {"0.#", {{0, "0."}, {2.25f, "2.3"}, {-2.25f, "-2.3"}, {0.35f, "0.4"}}},
        {"0.##", {{5, "5."}, {1.005f, "1.01"}, {0.125f, "0.13"}, {0.004f, "0."}}},
        {"0.##", {{0.005f, "0.01"}, {99.996f, "100."}, {123456789.f, "123456800."}}},
        {"0.####", {{12.34567f, "12.3457"}}},
        {"0.#####", {{0.000012f, "0.00001"}}},
        {"0.#######", {{0.01f, "0.01"}}},
        {"0.########", {{0.0001f, "0.0001"}, {1.234567e-5f, "0.00001235"}}},
        // "#": nothing for 0.
        {"#", {{0, ""}, {0.4f, ""}, {0.6f, "1"}, {20, "20"}}},
        // Exponent forms; more of them through axistext and valuetext.
        {"0.##E-#", {{-123456, "-1.23E5"}, {0.9999996f, "1.E0"}}},
        {"#E-#", {{15000, "2E4"}, {0.099f, "1E-1"}}},
        {"0.###E+00", {{0.00123f, "1.23E-03"}, {-45000, "-4.5E+04"}, {1, "1.E+00"}, {0, "0.E+00"}}},
        {"0.###E+00", {{9.9996f, "1.E+01"}, {9.9994f, "9.999E+00"}, {-0.000012345f, "-1.235E-05"}}},
        {"0.###E+00", {{123456, "1.235E+05"}, {1.5e-38f, "1.5E-38"}, {3.4e38f, "3.4E+38"}}},
        {"0.###E+00", {{1e-40f, "1.E-40"}}},
        // Contour labels: lower-case letter; two optional exponent digits.
        {"0e-#", {{20, "2e1"}, {0.5f, "5e-1"}, {1, "1e0"}, {25, "3e1"}, {-0.03f, "-3e-2"}}},
        {"0E-##", {{0.01f, "1E-2"}, {1, "1E0"}, {100, "1E2"}, {1e-12f, "1E-12"}}},
        // No pattern, and values without a number.
        {"", {{2.5f, "2.5"}, {std::nanf(""), "NaN"}}},
        {"#", {{-std::numeric_limits<float>::infinity(), "-Inf"}}},
    };
    for (const auto& [pattern, cases] : patterns) {
        for (const auto& [v, text] : cases) {
            EXPECT_EQ(formatnumber(v, pattern), text) << v << " with " << pattern;
        }
    }
}

TEST(GeneralForm, ShortestSevenDigitTextWithExponentOutside1E7) {
    const Cases cases = {
        {0, "0"},
        {-0.0f, "0"},
        {-0.5f, "-0.5"},
        {0.1f, "0.1"},
        {100, "100"},
        {123.456f, "123.456"},
        {2.f / 3, "0.6666667"},
        {9999999, "9999999"},
        {1e7f, "1E+07"},
        {12345678, "1.234568E+07"},
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
    const Cases cases = {
        {1e30f, "  9.999E+99"},   {0, "     0.E+00"},        {0.00123f, "   1.23E-03"},
        {-45000, "   -4.5E+04"},  {1, "     1.E+00"},        {-1.234567e-38f, " -1.235E-38"},
        {3.4e38f, "    3.4E+38"}, {-9.9996f, "    -1.E+01"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(expfield(v), text) << v;
    // Never longer or shorter for any finite float: coarse bit steps, both signs.
    for (std::uint32_t bits = 0; bits < 0x7f800000u; bits += 0x00012345u) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        ASSERT_EQ(expfield(v).size(), 11u) << v;
        ASSERT_EQ(expfield(-v).size(), 11u) << -v;
    }
}

TEST(AxisAndValueText, PatternChosenByMagnitude) {
    // Axis: exponent form below 0.1 and from 1000 on.
    const Cases axis = {
        {0.05f, "5E-2"},   {12000, "1E4"}, {0, "0"},          {2.5f, "2.5"},   {0.1f, "0.1"},
        {999.5f, "999.5"}, {1000, "1E3"},  {-0.05f, "-5E-2"}, {-2500, "-3E3"},
    };
    for (const auto& [v, text] : axis) EXPECT_EQ(axistext(v), text) << v;
    const Cases value = {
        {0, "0"},
        {-0.0f, "0"},
        {10, "10."},
        {9.999f, "10."},
        {9.99f, "9.99"},
        {1, "1."},
        {0.5f, "5.E-1"},
        {1000, "1.E3"},
        {-250, "-250"},
        {55.55f, "55.6"},
        {999.6f, "1000"},
        {99.96f, "100."},
        {0.012345f, "1.23E-2"},
        {123456, "1.23E5"},
        {-7.5f, "-7.5"},
    };
    for (const auto& [v, text] : value) EXPECT_EQ(valuetext(v), text) << v;
}

}  // namespace
}  // namespace crustex
