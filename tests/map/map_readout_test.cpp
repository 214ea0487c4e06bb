#include "ui/map/map_selection.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvland {
namespace {

TEST(MapReadout, CutsTowardZeroAndWritesTheWholeNumberWithEightDecimals) {
    struct Case {
        float northSouth;
        float eastWest;
        const char* northSouthText;
        const char* eastWestText;
    };
    const Case cases[] = {
        {0.0f, 0.0f, "49110.00000000", "-5927.00000000"},
        {49.125f, 5.9375f, "-15.00000000", "10.00000000"},
        // 49110 - 49110.3515625 and 0.1220703125 - 5927.5: toward zero, and no "-0".
        {49.1103515625f, 0.0001220703125f, "0.00000000", "-5927.00000000"},
        // The whole number is held as a 32-bit float: 123505899 becomes 123505896.
        {-123456.789f, 10.0f, "123505896.00000000", "4072.00000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(northSouthReadout(c.northSouth), QLatin1String(c.northSouthText)) << c.northSouth;
        EXPECT_EQ(eastWestReadout(c.eastWest), QLatin1String(c.eastWestText)) << c.eastWest;
    }
}

TEST(MapReadout, UsesTheSystemsSeparatorAndStaysWithinReachOfAnyCoordinate) {
    EXPECT_EQ(northSouthReadout(0.0f, QStringLiteral(",")), QStringLiteral("49110,00000000"));
    // Beyond twelve digits the text turns scientific; beyond every integer type it still
    // has a text, where a cut to an integer would have no defined result.
    EXPECT_TRUE(northSouthReadout(-2e9f).contains(QLatin1Char('E')));
    EXPECT_EQ(eastWestReadout(std::numeric_limits<float>::max()), QStringLiteral("INF"));
    EXPECT_EQ(northSouthReadout(std::numeric_limits<float>::max()), QStringLiteral("-INF"));
    EXPECT_EQ(eastWestReadout(std::numeric_limits<float>::quiet_NaN()), QStringLiteral("NAN"));
}

} // namespace
} // namespace korvland
