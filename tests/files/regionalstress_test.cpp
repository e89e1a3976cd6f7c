// The regional stress of a .inp file that cannot be used: left out, with
// the line that gave it and why.
#include <gtest/gtest.h>

#include <string>

#include "files/inpfile.h"

namespace crustex {
namespace {

TEST(InpRegionalStress, AxesFarFromPerpendicularAreLeftOutWithTheirLine) {
    // A made-up model whose horizontal S3 is 70 degrees from S1, not 90.
    const std::string text =
        "title\ntitle\nFRIC= 0.4\n"
        "S1DR= 30 S1DP= 0 S1IN= 100 S1GD= 0\n"
        "S2DR= 0 S2DP= 90 S2IN= 50 S2GD= 0\n"
        "S3DR= 100 S3DP= 0 S3IN= 10 S3GD= 0\n\n"
        "  #   X-start    Y-start     X-fin      Y-fin   Kode  rt.lat    reverse   dip angle "
        "    top      bot\n"
        "xxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxxxxxxxxx xxx xxxxxxxxxx\n"
        "  1   -12.0    4.0    8.0    6.0  100   1.5   0.5   60.0   1.0   9.0\n";
    const InpRead r = readinp(text, "a.inp");
    EXPECT_FALSE(r.model.stress.given);
    ASSERT_EQ(r.model.patches.size(), 1u);
    ASSERT_FALSE(r.report.notes().empty());
    EXPECT_EQ(r.report.notes().front(),
              (ReadNote{4,
                        "regional stress: S1 and S3 are 70 degrees apart, not perpendicular, "
                        "not used"}));
}

}  // namespace
}  // namespace crustex
