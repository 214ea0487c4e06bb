#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_set.h"
#include "ui/map/map_scene.h"

#include <QList>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

namespace korvland {

// The map's highlight of the current record, kept for the whole run. The highlighted
// frame is held by record index: a rebuild at another zoom makes the markers again in
// the same order, so the index names the same record's new frame.
class MapSelection {
  public:
    // Every show of the map window starts without a highlighted frame.
    void forgetMarker() { mSelectedMarker.reset(); }

    // Restores the highlighted frame to its square in `savedMarkerColour`, then highlights
    // the frame of record `current`: a white circle, hatched when the record is switched
    // off. Returns that frame, or null when `content` has none for `current` (nothing
    // then changes). Only the two frames concerned change.
    MarkerFrameItem* highlight(const MapContent& content, const LandmarkSet& set, int current);

    std::optional<int> selectedMarker() const { return mSelectedMarker; }
    int selectedRecord() const { return mSelectedRecord; }
    BgrColour savedMarkerColour() const { return mSavedMarkerColour; }
    void setSavedMarkerColour(BgrColour colour) { mSavedMarkerColour = colour; }
    const QString& clickedMarkerName() const { return mClickedMarkerName; }
    void setClickedMarkerName(const QString& name) { mClickedMarkerName = name; }

  private:
    std::optional<int> mSelectedMarker;
    int mSelectedRecord = 0;
    BgrColour mSavedMarkerColour = 0;
    QString mClickedMarkerName;
};

inline constexpr BgrColour kHighlightColour = 0xFFFFFF;
// The stacking height of the highlighted marker; every other marker stands at 0.
inline constexpr qreal kHighlightZ = 1;
// Markers the filter leaves out lie under those it keeps (and above the front line), so a
// match is never hidden by a marker that does not match.
inline constexpr qreal kDimmedZ = -0.5;

// The scroll positions that bring a frame whose top-left corner is at `frame` (content
// coordinates) to the middle of a client area of `client`: its centre then lands at
// (trunc(W / 2) + 1, trunc(H / 2) + 1) where the scroll range allows.
QPoint centringScroll(QPoint frame, QSize client);

// The records whose markers have their centres inside `band` (content coordinates, edges
// included), ascending: a band that cuts a frame without reaching its middle leaves it out.
QList<int> markersInBand(const MapContent& content, const QRectF& band);

// The record index a frame's name carries: the number after "bob" (bob12 gives 12).
std::optional<int> recordIndexOfFrameName(const QString& name);

// The hidden readouts of a pointer movement over the bare map: north-south and east-west
// of the current record as the surface's origin sees them, cut toward zero and written
// with 8 decimals ("49110.00000000" for a record at 0, 0).
QString northSouthReadout(float northSouth, const QString& decimalPoint = QStringLiteral("."));
QString eastWestReadout(float eastWest, const QString& decimalPoint = QStringLiteral("."));

} // namespace korvland
