#include "ui/map/front_line_geometry.h"

#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace korvland::testing {
namespace {

constexpr FrontSide G = FrontSide::German;
constexpr FrontSide A = FrontSide::Allied;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A segment with its ends in a fixed order, so that two can be compared.
struct Segment {
    double x1, y1, x2, y2;
};

Segment ordered(const FrontSegment& s) {
    const bool swap = std::tie(s.from.x, s.from.y) > std::tie(s.to.x, s.to.y);
    const FrontPoint a = swap ? s.to : s.from;
    const FrontPoint b = swap ? s.from : s.to;
    return {a.x, a.y, b.x, b.y};
}

double area(const std::vector<FrontPoint>& corners) {
    double twice = 0;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const FrontPoint a = corners[k];
        const FrontPoint b = corners[(k + 1) % corners.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2;
}

struct GeometryCase {
    std::string name;
    std::vector<FrontSite> sites;
    FrontRect content;
    std::size_t cells;
    std::vector<Segment> front; // in any order, each with its ends ordered
};

FrontSite site(double x, double y, FrontSide side, std::size_t record = 0) {
    return {{x, y}, side, record};
}

class FrontLineGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(FrontLineGeometryTest, CellsTileTheContentAndTheFrontRunsBetweenOppositeSides) {
    const GeometryCase& c = GetParam();
    const FrontLineGeometry geometry = computeFrontLine(c.sites, c.content);

    ASSERT_EQ(geometry.cells.size(), c.cells);
    double covered = 0;
    for (const FrontCell& cell : geometry.cells) {
        ASSERT_LT(cell.site, c.sites.size());
        EXPECT_EQ(cell.side, c.sites[cell.site].side);
        covered += area(cell.corners);
    }
    if (c.cells > 0) {
        const double whole = (c.content.right - c.content.left) * (c.content.bottom - c.content.top);
        EXPECT_NEAR(covered, whole, whole * 1e-9);
    }

    std::vector<Segment> front;
    for (const FrontSegment& segment : geometry.front)
        front.push_back(ordered(segment));
    const auto before = [](const Segment& a, const Segment& b) {
        return std::tie(a.x1, a.y1, a.x2, a.y2) < std::tie(b.x1, b.y1, b.x2, b.y2);
    };
    std::vector<Segment> expected = c.front;
    std::sort(front.begin(), front.end(), before);
    std::sort(expected.begin(), expected.end(), before);
    ASSERT_EQ(front.size(), expected.size());
    const double tolerance = std::max(1e-6, (c.content.right - c.content.left) * 1e-9);
    for (std::size_t k = 0; k < front.size(); ++k) {
        EXPECT_NEAR(front[k].x1, expected[k].x1, tolerance) << k;
        EXPECT_NEAR(front[k].y1, expected[k].y1, tolerance) << k;
        EXPECT_NEAR(front[k].x2, expected[k].x2, tolerance) << k;
        EXPECT_NEAR(front[k].y2, expected[k].y2, tolerance) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    SmallSets, FrontLineGeometryTest,
    ::testing::Values(
        GeometryCase{"OppositeSidesMeetAtTheirBisector",
                     {site(100, 100, G), site(300, 100, A)},
                     {0, 0, 400, 200},
                     2,
                     {{200, 0, 200, 200}}},
        GeometryCase{"DiagonalPairMeetsOnTheSlantedBisector",
                     {site(100, 100, A), site(200, 200, G)},
                     {0, 0, 300, 300},
                     2,
                     {{0, 300, 300, 0}}},
        GeometryCase{"OneSideAloneHasNoFront",
                     {site(50, 50, G), site(250, 80, G), site(120, 190, G)},
                     {0, 0, 300, 250},
                     3,
                     {}},
        GeometryCase{"AlternatingRowHasAFrontAtEveryChange",
                     {site(50, 100, G), site(150, 100, A), site(250, 100, G), site(350, 100, A)},
                     {0, 0, 400, 200},
                     4,
                     {{100, 0, 100, 200}, {200, 0, 200, 200}, {300, 0, 300, 200}}},
        // Three Germans round an Allied landmark at the top edge: the front goes round it,
        // and the borders between the German cells are no front.
        GeometryCase{"FrontGoesRoundAnEnclave",
                     {site(100, 100, G), site(300, 100, G), site(200, 100, A), site(200, 300, G)},
                     {0, 0, 400, 400},
                     4,
                     {{150, 0, 150, 200}, {250, 0, 250, 200}, {150, 200, 250, 200}}},
        GeometryCase{"FirstOfTwoSitesAtOnePositionCounts",
                     {site(100, 100, G), site(100, 100, A), site(300, 100, A)},
                     {0, 0, 400, 200},
                     2,
                     {{200, 0, 200, 200}}},
        GeometryCase{"SitesAPixelFractionApartStayApart",
                     {site(100, 100, G), site(100.5, 100, A)},
                     {0, 0, 200, 200},
                     2,
                     {{100.25, 0, 100.25, 200}}},
        GeometryCase{"NonFinitePositionsAreLeftOut",
                     {site(kNaN, 100, A), site(100, 100, G), site(100, kInf, A), site(-kInf, kNaN, A),
                      site(300, 100, A)},
                     {0, 0, 400, 200},
                     2,
                     {{200, 0, 200, 200}}},
        GeometryCase{"OneSiteHoldsEverything", {site(10, 10, A)}, {0, 0, 50, 40}, 1, {}},
        GeometryCase{"NoSitesNoGround", {}, {0, 0, 50, 40}, 0, {}},
        GeometryCase{"EmptyContentHoldsNothing", {site(10, 10, A), site(20, 10, G)}, {0, 0, 0, 40}, 0, {}},
        // Far beyond what a sixteenth-pixel grid holds in an int: a coarser grid takes over.
        GeometryCase{"HugeMapGetsACoarserGrid",
                     {site(1e8, 5e8, G), site(3e8, 5e8, A)},
                     {0, 0, 4e8, 1e9},
                     2,
                     {{2e8, 0, 2e8, 1e9}}}),
    [](const ::testing::TestParamInfo<GeometryCase>& param) { return param.param.name; });

// --- which records hold ground, and where -------------------------------------------

struct SitesCase {
    std::string name;
    std::vector<LandmarkRecord> records;
    std::vector<std::uint8_t> flags;
    std::vector<std::size_t> holding; // records that hold ground
    double frontX;                    // where the front crosses the middle row; NaN: no front
};

LandmarkRecord record(std::uint8_t type, std::uint8_t side, float northSouth = 49.0f, float eastWest = 3.5f) {
    return makeRecord(1, type, 0, side, "x", northSouth, eastWest);
}

class FrontSitesTest : public ::testing::TestWithParam<SitesCase> {};

// Record i stands at (100 + 100 i, 100) on a 600 x 200 surface.
TEST_P(FrontSitesTest, ActiveLandmarksOfEveryStandingKindHoldGround) {
    const SitesCase& c = GetParam();
    std::vector<MapPoint> centres;
    for (std::size_t i = 0; i < c.records.size(); ++i)
        centres.push_back({100 + 100 * static_cast<int>(i), 100});
    const std::vector<FrontSite> sites = frontSites(c.records, c.flags, centres);

    std::vector<std::size_t> holding;
    for (const FrontSite& s : sites) {
        holding.push_back(s.record);
        EXPECT_EQ(s.position, (FrontPoint{100.0 + 100.0 * static_cast<double>(s.record), 100.0}));
        EXPECT_EQ(s.side, c.records[s.record].side == 1 ? FrontSide::Allied : FrontSide::German);
    }
    EXPECT_EQ(holding, c.holding);

    const FrontLineGeometry geometry = computeFrontLine(sites, {0, 0, 600, 200});
    if (std::isnan(c.frontX)) {
        EXPECT_TRUE(geometry.front.empty());
    } else {
        ASSERT_EQ(geometry.front.size(), 1u);
        EXPECT_NEAR(geometry.front[0].from.x, c.frontX, 1e-9);
        EXPECT_NEAR(geometry.front[0].to.x, c.frontX, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, FrontSitesTest,
    ::testing::Values(SitesCase{"AllOn",
                                {record(0, 0), record(1, 0), record(7, 1), record(8, 1)},
                                {0, 0, 0, 0},
                                {0, 1, 2, 3},
                                250},
                      // Switching off the German landmark nearest the front moves the front west.
                      SitesCase{"SwitchedOffGivesUpItsGround",
                                {record(0, 0), record(1, 0), record(7, 1), record(8, 1)},
                                {0, 1, 0, 0},
                                {0, 2, 3},
                                200},
                      SitesCase{"EveryFlagButZeroIsOff",
                                {record(0, 0), record(1, 0), record(7, 1), record(8, 1)},
                                {0, 0, 2, 0},
                                {0, 1, 3},
                                300},
                      SitesCase{"DisabledTypeAndBlanksHoldNothing",
                                {record(5, 0), record(6, 1), record(9, 1), record(255, 1), record(2, 1)},
                                {0, 0, 0, 0, 0},
                                {0, 4},
                                300},
                      // Only the side byte 1 is Allied.
                      SitesCase{"AnyOtherSideByteIsGerman",
                                {record(3, 2), record(4, 0), record(5, 7)},
                                {0, 0, 0},
                                {0, 1, 2},
                                kNaN},
                      SitesCase{"NonFiniteCoordinatesHoldNothing",
                                {record(0, 0), record(0, 1, std::nanf("")), record(0, 1, 49.0f, HUGE_VALF),
                                 record(0, 1)},
                                {0, 0, 0, 0},
                                {0, 3},
                                250}),
    [](const ::testing::TestParamInfo<SitesCase>& param) { return param.param.name; });

} // namespace
} // namespace korvland::testing
