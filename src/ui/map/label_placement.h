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

// Whether the names of this kind are shown at a scale: at 1:2 only cities and airfields,
// at 1:1 towns, depots, stations, factories and bridges as well, from 2:1 on every kind. The
// rank of a kind orders the placement.
int labelRank(LandmarkKind kind);
bool labelShownAtScale(int rank, float mapScale);

// The gap between a marker's frame and its name.
inline constexpr qreal kLabelGap = 2;

// Places each name right of its marker, else left, above or below, at the first of these
// that overlaps no marker's frame and no name placed before it and lies within `surface`;
// a name that finds no such place is dropped (an empty rectangle at its position in the
// result). Markers are `frameSize` squares around their centres.
std::vector<QRectF> placeLabels(std::span<const QPointF> markerCentres, qreal frameSize,
                                std::span<const LabelRequest> requests, const QRectF& surface);

} // namespace korvland
