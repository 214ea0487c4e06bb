#pragma once

#include "data/landmark_record.h"

#include <cstddef>
#include <span>
#include <vector>

namespace korvland {

// Pixels before the northernmost and westernmost positions.
inline constexpr int kMapMargin = 30;

// Pixels per unit of northSouth (a) and of eastWest (b) at a scale. The island region is
// drawn five times larger than the four theatres of the front. Every value they can take
// is exact in a float.
struct ProjectionFactors {
    float a = 0;
    float b = 0;
};
ProjectionFactors projectionFactors(float mapScale, int region);

// The reference corner of a projection: the smallest eastWest and the largest northSouth,
// measured from 10000 east and 0 north. A NaN eastWest takes over minEW and the record
// after it takes over again whatever it holds; a NaN northSouth never takes over maxNS.
struct ProjectionBounds {
    float minEW = 10000.0f;
    float maxNS = 0.0f;
};
ProjectionBounds projectionBounds(std::span<const LandmarkRecord> records);

// The projected centre of a marker in content pixels: north is up, east to the right.
struct MapPoint {
    int x = 0;
    int y = 0;
    bool operator==(const MapPoint&) const = default;
};

// Each product is formed on its own and the difference kept in extended precision, then
// cut toward zero. A NaN difference counts as 0 (the marker sits on the margin); a
// difference beyond kMapPointLimit stops there, so that frame edges stay within an int.
MapPoint projectPoint(float northSouth, float eastWest, ProjectionBounds bounds, ProjectionFactors factors);

inline constexpr int kMapPointLimit = 1 << 30;

// The centres of all records, in record order, with the bounds taken over all of them
// (switched-off records included).
std::vector<MapPoint> projectRecords(std::span<const LandmarkRecord> records, float mapScale, int region);

} // namespace korvland
