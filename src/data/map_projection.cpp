#include "data/map_projection.h"

#include <cmath>

namespace korvland {

namespace {

constexpr int kIslandRegion = 4;

// Cuts toward zero; NaN gives 0 and a value beyond the limit stops at it.
int truncated(long double difference) {
    if (std::isnan(difference))
        return 0;
    if (difference >= kMapPointLimit)
        return kMapPointLimit;
    if (difference <= -kMapPointLimit)
        return -kMapPointLimit;
    return static_cast<int>(std::trunc(difference));
}

} // namespace

ProjectionFactors projectionFactors(float mapScale, int region) {
    if (region == kIslandRegion)
        return {mapScale * 2250.0f, mapScale * 1500.0f};
    return {mapScale * 450.0f, mapScale * 300.0f};
}

ProjectionBounds projectionBounds(std::span<const LandmarkRecord> records) {
    ProjectionBounds bounds;
    for (const LandmarkRecord& record : records) {
        // Written as "unless greater" and "if at least", so that a NaN on either side
        // decides the comparison as an unordered one does.
        if (!(record.eastWest > bounds.minEW))
            bounds.minEW = record.eastWest;
        if (record.northSouth >= bounds.maxNS)
            bounds.maxNS = record.northSouth;
    }
    return bounds;
}

MapPoint projectPoint(float northSouth, float eastWest, ProjectionBounds bounds, ProjectionFactors factors) {
    using Extended = long double;
    const Extended northmost = static_cast<Extended>(bounds.maxNS) * factors.a;
    const Extended north = static_cast<Extended>(northSouth) * factors.a;
    const Extended east = static_cast<Extended>(eastWest) * factors.b;
    const Extended westmost = static_cast<Extended>(bounds.minEW) * factors.b;
    return {truncated(east - westmost) + kMapMargin, truncated(northmost - north) + kMapMargin};
}

std::vector<MapPoint> projectRecords(std::span<const LandmarkRecord> records, float mapScale, int region) {
    const ProjectionFactors factors = projectionFactors(mapScale, region);
    const ProjectionBounds bounds = projectionBounds(records);
    std::vector<MapPoint> points;
    points.reserve(records.size());
    for (const LandmarkRecord& record : records)
        points.push_back(projectPoint(record.northSouth, record.eastWest, bounds, factors));
    return points;
}

} // namespace korvland
