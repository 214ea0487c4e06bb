#pragma once

#include "data/landmark_kind.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <span>
#include <vector>

namespace korvland {

// A name that wants a place beside its marker. Lower ranks are placed first and so win
// where two names compete for the same ground.
struct LabelRequest {
    int marker = 0; // index into the marker centres
    QSizeF size;
    int rank = 0;
};

// Whether the names of this kind are shown at a scale: at 1:2 only airfields and cities, at
// 1:1 factories, stations, depots, bridges and towns as well, from 2:1 on every kind. The
// rank of a kind is its importance, most important 0, and orders the placement.
int labelRank(LandmarkKind kind);
bool labelShownAtScale(int rank, float mapScale);

// The gap between a marker's frame and its name.
inline constexpr qreal kLabelGap = 2;

// Places the names by rank, then from north to south and west to east, each right of its
// marker, else left, above or below (slid along the surface's edge where it would cross it),
// at the first of these
// that overlaps no marker's frame and no name placed before it and lies within `surface`;
// a name that finds no such place is dropped (an empty rectangle at its position in the
// result). Markers are `frameSize` squares around their centres.
std::vector<QRectF> placeLabels(std::span<const QPointF> markerCentres, qreal frameSize,
                                std::span<const LabelRequest> requests, const QRectF& surface);

} // namespace korvland
