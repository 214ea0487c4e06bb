#include "ui/map/label_placement.h"
#include "ui/map/marker_items.h"

#include <gtest/gtest.h>

#include <random>

namespace korvland::testing {
namespace {

struct PlacementCase {
    const char* name;
    int markers;
    QSizeF surface;
    int minimumPlaced; // how many names at least find room
};

class LabelPlacement : public ::testing::TestWithParam<PlacementCase> {};

// Whatever the crowding, a placed name overlaps no marker's frame and no other name, and
// stays on the surface; where there is room every name finds a place.
TEST_P(LabelPlacement, PlacedNamesNeverOverlapMarkersOrOneAnother) {
    const PlacementCase& c = GetParam();
    std::mt19937 random(3);
    std::uniform_real_distribution<qreal> x(15, c.surface.width() - 15);
    std::uniform_real_distribution<qreal> y(15, c.surface.height() - 15);
    std::vector<QPointF> centres;
    std::vector<LabelRequest> requests;
    for (int i = 0; i < c.markers; ++i) {
        centres.emplace_back(std::floor(x(random)), std::floor(y(random)));
        requests.push_back({i, QSizeF(30 + i % 5 * 12, 13), i % 3});
    }
    const QRectF surface(QPointF(0, 0), c.surface);
    const std::vector<QRectF> placed = placeLabels(centres, kFrameSize, requests, surface);
    ASSERT_EQ(placed.size(), requests.size());
    std::vector<QRectF> shown;
    for (std::size_t k = 0; k < placed.size(); ++k) {
        if (placed[k].isEmpty())
            continue;
        EXPECT_TRUE(surface.contains(placed[k])) << k;
        EXPECT_EQ(placed[k].size(), requests[k].size) << k;
        for (const QPointF& centre : centres)
            EXPECT_FALSE(placed[k].intersects(QRectF(centre - QPointF(11, 11), QSizeF(22, 22)))) << k;
        for (const QRectF& other : shown)
            EXPECT_FALSE(placed[k].intersects(other)) << k;
        // Beside its own marker: the near edge a gap away from the frame.
        const QPointF own = centres[k];
        EXPECT_LE(std::min({std::abs(placed[k].left() - own.x()), std::abs(placed[k].right() - own.x()),
                            std::abs(placed[k].top() - own.y()), std::abs(placed[k].bottom() - own.y())}),
                  11 + kLabelGap)
            << k;
        shown.push_back(placed[k]);
    }
    EXPECT_GE(static_cast<int>(shown.size()), c.minimumPlaced);
}

INSTANTIATE_TEST_SUITE_P(Maps, LabelPlacement,
                         ::testing::Values(PlacementCase{"Sparse", 12, QSizeF(2000, 2000), 12},
                                           PlacementCase{"Theatre", 300, QSizeF(800, 1250), 150},
                                           PlacementCase{"Dense", 1024, QSizeF(750, 1250), 1},
                                           PlacementCase{"Crowded", 400, QSizeF(120, 120), 0}),
                         [](const ::testing::TestParamInfo<PlacementCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(LabelPlacement, CitiesAndAirfieldsAloneAtHalfScaleEveryKindFromDouble) {
    const struct {
        LandmarkKind kind;
        bool half, full, twice;
    } cases[] = {{LandmarkKind::City, true, true, true},      {LandmarkKind::Airfield, true, true, true},
                 {LandmarkKind::Town, false, true, true},     {LandmarkKind::Bridge, false, true, true},
                 {LandmarkKind::Factory, false, true, true},  {LandmarkKind::TrainStation, false, true, true},
                 {LandmarkKind::Village, false, false, true}, {LandmarkKind::Troops, false, false, true},
                 {LandmarkKind::Blank, false, false, true}};
    for (const auto& c : cases) {
        const int rank = labelRank(c.kind);
        EXPECT_EQ(labelShownAtScale(rank, 0.5f), c.half) << static_cast<int>(c.kind);
        EXPECT_EQ(labelShownAtScale(rank, 1.0f), c.full) << static_cast<int>(c.kind);
        EXPECT_EQ(labelShownAtScale(rank, 2.0f), c.twice) << static_cast<int>(c.kind);
        EXPECT_EQ(labelShownAtScale(rank, 4.0f), true) << static_cast<int>(c.kind);
    }
}

TEST(LabelPlacement, ContestedRoomGoesToTheMoreImportantNameThenTheNorthWestern) {
    // The two names can only lie between the markers, where one leaves no room for the other.
    const QPointF centres[] = {{20, 20}, {100, 20}};
    const struct {
        LandmarkKind west, east;
        bool westWins;
    } cases[] = {{LandmarkKind::Village, LandmarkKind::Airfield, false},
                 {LandmarkKind::Factory, LandmarkKind::City, false},
                 {LandmarkKind::TrainStation, LandmarkKind::Town, true},
                 {LandmarkKind::Town, LandmarkKind::Town, true}};
    for (const auto& c : cases) {
        // The eastern landmark comes first in the file.
        const LabelRequest requests[] = {{1, QSizeF(50, 13), labelRank(c.east)},
                                         {0, QSizeF(50, 13), labelRank(c.west)}};
        const std::vector<QRectF> placed = placeLabels(centres, kFrameSize, requests, QRectF(0, 0, 150, 40));
        EXPECT_EQ(placed[0].isEmpty(), c.westWins) << static_cast<int>(c.west);
        EXPECT_EQ(placed[1].isEmpty(), !c.westWins) << static_cast<int>(c.west);
    }
    // A name too wide for the edge its marker stands at slides along it.
    const LabelRequest wide[] = {{0, QSizeF(50, 13), 0}};
    EXPECT_EQ(placeLabels(std::span(centres, 1), kFrameSize, wide, QRectF(0, 0, 60, 60))[0],
              QRectF(0, 33, 50, 13));
}

} // namespace
} // namespace korvland::testing
