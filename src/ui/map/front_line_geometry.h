#pragma once

// The ground each side holds: every active landmark holds the part of the map nearer to it
// than to any other, and the front runs where ground of one side meets ground of the other.
// Standard C++ only, so that the map window and the rasterizer share it.
#include "data/landmark_kind.h"
#include "data/landmark_record.h"
#include "data/map_projection.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvland {

enum class FrontSide : std::uint8_t { German, Allied };

struct FrontPoint {
    double x = 0;
    double y = 0;
    bool operator==(const FrontPoint&) const = default;
};

// A landmark that holds ground: where its marker stands, whose it is and which record it is.
struct FrontSite {
    FrontPoint position;
    FrontSide side = FrontSide::German;
    std::size_t record = 0;
    bool operator==(const FrontSite&) const = default;
};

// The content rectangle of the map, in pixels.
struct FrontRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool operator==(const FrontRect&) const = default;
};

// The ground of one site within the content rectangle: a convex polygon, its corners in
// the order of the rectangle's own (top-left, top-right, bottom-right, bottom-left).
struct FrontCell {
    std::size_t site = 0; // index into the sites given
    FrontSide side = FrontSide::German;
    std::vector<FrontPoint> corners;
};

// A piece of the border between a German cell and an Allied one.
struct FrontSegment {
    FrontPoint from;
    FrontPoint to;
};

struct FrontLineGeometry {
    std::vector<FrontCell> cells;
    std::vector<FrontSegment> front;
};

// Whether a record holds ground: switched on (flag 0), of a kind that stands on the map
// (not the disabled type 6 nor a blank type from 9 on), and with finite coordinates, since
// the marker of a record without them stands at a made-up place.
bool holdsGround(const LandmarkRecord& record, std::uint8_t disabledFlag);

// The sites of the records that hold ground, at their markers' centres (`centres` by record
// index, as projectRecords gives them). The side byte 1 is Allied, every other German.
std::vector<FrontSite> frontSites(std::span<const LandmarkRecord> records,
                                  std::span<const std::uint8_t> flags, std::span<const MapPoint> centres);

// The cells of the sites clipped to `content`, and the front between them. Sites with a
// non-finite position are left out, and of sites at one position only the first counts
// (positions are compared on a grid of a sixteenth of a pixel, coarser for a map so large
// that the grid would overflow). Cells that lie wholly outside the rectangle are left out.
FrontLineGeometry computeFrontLine(std::span<const FrontSite> sites, FrontRect content);

} // namespace korvland
