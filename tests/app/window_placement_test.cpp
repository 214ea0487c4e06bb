#include "settings/window_placement.h"
#include "ui/common/explode_effect.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace korvland {
namespace {

struct ParseCase {
    const char* text;
    ParsedPlacement expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class PlacementRecordParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PlacementRecordParse, ReadsOnlySevenFieldsTaggedTwoHundred) {
    EXPECT_EQ(parsePlacement(GetParam().text), GetParam().expected) << "record: \"" << GetParam().text << '"';
}

const PlacementRecord kEditorAtStart{0, 1, {742, 181, 1210, 507}};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementRecordParse,
    ::testing::Values(
        ParseCase{"200,0,1,742,181,1210,507", kEditorAtStart},
        ParseCase{"200,0,1,742,181,1210,507,", kEditorAtStart}, // a trailing comma adds no field
        ParseCase{"200,2,3,-8,-30,100,0", PlacementRecord{2, 3, {-8, -30, 100, 0}}},
        ParseCase{"", PlacementIgnored{}}, ParseCase{"200,0,1,742,181,1210", PlacementIgnored{}},
        ParseCase{"200,0,1,742,181,1210,507,9", PlacementIgnored{}},
        ParseCase{"200,0,1,742,181,1210,507,,", PlacementIgnored{}},
        ParseCase{"201,0,1,742,181,1210,507", PlacementIgnored{}},
        ParseCase{"0200,0,1,742,181,1210,507", PlacementIgnored{}},
        ParseCase{"200 ,0,1,742,181,1210,507", PlacementIgnored{}},
        // A wrong count or tag wins over a bad number: nothing is said.
        ParseCase{"201,x,1,742,181,1210,507", PlacementIgnored{}},
        ParseCase{"200,0,max,742,181,1210,507", PlacementBadField{"max"}},
        ParseCase{"200,0,1,,181,1210,507", PlacementBadField{""}},
        ParseCase{"200,0,1, 742,181,1210,507", PlacementBadField{" 742"}},
        ParseCase{"200,0,1,742,181,1210,$1F", PlacementBadField{"$1F"}},
        ParseCase{"200,0,1,742,181,1210,-", PlacementBadField{"-"}},
        ParseCase{"200,0,1,742,181,1210,2147483648", PlacementBadField{"2147483648"}},
        ParseCase{"200,a,b,742,181,1210,507", PlacementBadField{"a"}})); // the first one is named

TEST(PlacementRecord, WritesSevenFieldsThatReadBack) {
    const PlacementRecord maximised{0, 3, {-4, -4, 1604, 1004}};
    EXPECT_EQ(formatPlacement(kEditorAtStart), "200,0,1,742,181,1210,507");
    EXPECT_EQ(formatPlacement(maximised), "200,0,3,-4,-4,1604,1004");
    EXPECT_EQ(parsePlacement(formatPlacement(maximised)), ParsedPlacement(maximised));
    EXPECT_EQ(notAnIntegerMessage("max"), "'max' is not a valid integer value");
}

TEST(PlacementRecord, FrameBeyondTheScreensRightOrBottomEdgeMovesBackKeepingItsSize) {
    struct Case {
        FrameRect stored;
        FrameRect placed;
    };
    const Case cases[] = {
        {{1250, 100, 1650, 400}, {1200, 100, 1600, 400}},   // 50 beyond the right edge
        {{100, 800, 500, 1100}, {100, 700, 500, 1000}},     // beyond the bottom
        {{1500, 900, 1700, 1200}, {1400, 700, 1600, 1000}}, // both
        {{-300, -200, 100, 100}, {-300, -200, 100, 100}},   // nothing corrects a negative left or top
        {{0, 0, 1600, 1000}, {0, 0, 1600, 1000}},           // the exclusive edge on the screen's edge
        {{1700, 10, 1650, 20}, {1550, 10, 1600, 20}},       // an inverted rectangle keeps its width
        {{-100, 0, 2000, 50}, {-500, 0, 1600, 50}},         // wider than the screen: off its left edge
    };
    for (const Case& c : cases) {
        const FrameRect placed = clampToScreen(c.stored, 1600, 1000);
        EXPECT_EQ(placed, c.placed) << c.stored.left << ',' << c.stored.top << ',' << c.stored.right << ','
                                    << c.stored.bottom;
    }
}

TEST(PlacementRecord, ShowStatesMapToTheNearestState) {
    const std::pair<int, ShowState> cases[] = {
        {0, ShowState::Keep},      {1, ShowState::Normal}, {2, ShowState::Minimized},
        {3, ShowState::Maximized}, {4, ShowState::Normal}, {6, ShowState::Minimized},
        {7, ShowState::Minimized}, {9, ShowState::Normal}, {11, ShowState::Minimized},
        {12, ShowState::Keep},     {-1, ShowState::Keep},
    };
    for (const auto& [command, state] : cases)
        EXPECT_EQ(showStateOf(command), state) << command;
}

TEST(ExplodeAnimation, RectanglesGrowFromThePointerToTheFrameRoundingHalvesToEven) {
    // From (0, 0) to a frame 20 to the left and above: halves at odd steps.
    const auto steps = explodeSteps(0, 0, FrameRect{-20, -20, 20, 60});
    EXPECT_EQ(steps[0], (FrameRect{0, 0, 0, 2}));   // -0.5 -> 0, 0.5 -> 0, 1.5 -> 2
    EXPECT_EQ(steps[2], (FrameRect{-2, -2, 2, 4})); // -1.5 -> -2, 1.5 -> 2, 4.5 -> 4
    EXPECT_EQ(steps[4], (FrameRect{-2, -2, 2, 8})); // -2.5 -> -2, 2.5 -> 2, 7.5 -> 8
    EXPECT_EQ(steps[19], (FrameRect{-10, -10, 10, 30}));
    EXPECT_EQ(steps[39], (FrameRect{-20, -20, 20, 60})); // the last one is the frame

    // A pointer inside the frame: every step contains the previous one.
    const auto inside = explodeSteps(500, 300, FrameRect{742, 181, 1210, 507});
    EXPECT_EQ(inside[39], (FrameRect{742, 181, 1210, 507}));
    for (std::size_t i = 1; i < inside.size(); ++i) {
        EXPECT_LE(inside[i - 1].right - inside[i - 1].left, inside[i].right - inside[i].left) << i;
        EXPECT_LE(inside[i - 1].bottom - inside[i - 1].top, inside[i].bottom - inside[i].top) << i;
    }
    // A pointer far outside moves the growing rectangle toward the frame.
    const auto outside = explodeSteps(1599, 999, FrameRect{0, 0, 40, 40});
    EXPECT_EQ(outside[0], (FrameRect{1559, 974, 1560, 975}));
}

TEST(ExplodeAnimation, SecondPassTakesTheRectanglesAwayInTheOrderTheyCame) {
    EXPECT_EQ(explodeVisibleSteps(0), (VisibleSteps{0, 0}));
    EXPECT_EQ(explodeVisibleSteps(1), (VisibleSteps{0, 1}));
    EXPECT_EQ(explodeVisibleSteps(40), (VisibleSteps{0, 40}));
    EXPECT_EQ(explodeVisibleSteps(41), (VisibleSteps{1, 40}));
    EXPECT_EQ(explodeVisibleSteps(79), (VisibleSteps{39, 40}));
    EXPECT_EQ(explodeVisibleSteps(80), (VisibleSteps{40, 40}));
    EXPECT_EQ(explodeVisibleSteps(500), (VisibleSteps{40, 40}));
}

TEST(ExplodeAnimation, LargerDelayIsSlowerAndTheEditorsDelayStaysUnderHalfASecond) {
    EXPECT_LT(explodePause(3), explodePause(150));
    EXPECT_LT(explodePause(150) * 2 * kExplodeSteps, std::chrono::milliseconds(500));
    EXPECT_GT(explodePause(150) * 2 * kExplodeSteps, std::chrono::milliseconds(100)) << "still seen";
}

} // namespace
} // namespace korvland
