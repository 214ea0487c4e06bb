#include "data/map_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace korvland {

void PrintTo(const MapPoint& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Place {
    float northSouth;
    float eastWest;
};

struct ProjectionCase {
    std::string name;
    std::vector<Place> places;
    float scale;
    int region;
    std::vector<MapPoint> expected;
};

void PrintTo(const ProjectionCase& c, std::ostream* os) {
    *os << c.name;
}

// A product difference just under five pixels, at 450 and 300 pixels per unit.
const float kNorthJustUnderFive = 1.0f - 4.9f / 450.0f;
const float kEastJustUnderFive = 2.0f + 4.9f / 300.0f;

const ProjectionCase kCases[] = {
    {"TruncationNotRounding",
     {{1.0f, 2.0f}, {kNorthJustUnderFive, kEastJustUnderFive}},
     1.0f,
     0,
     {{30, 30}, {34, 34}}},
    // maxNS starts at 0: the northernmost record lies below the margin by its distance from 0.
    {"AllNorthSouthNegative", {{-1.0f, 0.0f}, {-2.0f, 1.0f}}, 1.0f, 1, {{30, 480}, {330, 930}}},
    // minEW starts at 10000: everything moves right by its distance from 10000.
    {"AllEastWestAbove10000", {{0.0f, 10001.0f}, {0.0f, 10002.5f}}, 1.0f, 2, {{330, 30}, {780, 30}}},
    {"IslandAtTwoToOne", {{0.5f, 1.0f}, {0.25f, 1.5f}}, 2.0f, 4, {{30, 30}, {1530, 1155}}},
    {"MarneAtOneToTwo", {{0.5f, 1.0f}, {0.25f, 1.5f}}, 0.5f, 0, {{30, 30}, {105, 86}}},
    {"AlsaceAtFourToOne", {{0.5f, 1.0f}, {0.25f, 1.5f}}, 4.0f, 3, {{30, 30}, {630, 480}}},
    // A NaN eastWest takes over minEW, and the next record takes over from the NaN even
    // when it lies further east, which leaves an earlier record left of the margin. A NaN
    // northSouth never becomes maxNS. A NaN difference puts the centre on the margin.
    {"NaNCoordinates",
     {{kNaN, 5.0f}, {1.0f, kNaN}, {0.5f, 6.0f}},
     1.0f,
     0,
     {{-270, 30}, {30, 30}, {30, 255}}},
    // The last record's NaN eastWest stays minEW: every difference is NaN.
    {"NaNEastWestLast", {{1.0f, 5.0f}, {0.0f, kNaN}}, 1.0f, 0, {{30, 30}, {30, 480}}},
    {"FarCoordinatesStopAtTheLimit",
     {{0.0f, 0.0f}, {-1e30f, 1e30f}},
     1.0f,
     0,
     {{30, 30}, {kMapPointLimit + 30, kMapPointLimit + 30}}},
};

class ProjectionTest : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(ProjectionTest, PlacesEveryRecord) {
    const ProjectionCase& c = GetParam();
    std::vector<LandmarkRecord> records;
    for (const Place& place : c.places) {
        LandmarkRecord record;
        record.northSouth = place.northSouth;
        record.eastWest = place.eastWest;
        records.push_back(record);
    }
    EXPECT_EQ(projectRecords(records, c.scale, c.region), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectionTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ProjectionCase>& c) { return c.param.name; });

} // namespace
} // namespace korvland
