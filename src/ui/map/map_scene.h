#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_set.h"
#include "ui/map/marker_items.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QTransform>

#include <vector>

class QGraphicsScene;

namespace korvland {

class BackgroundItem;
class ComparisonItem;
class FrontLineItem;
class MapLabelsItem;
struct ComparisonMarks;

// The map's ground, 0x106010 as blue-green-red: dark green.
inline constexpr BgrColour kMapGroundColour = 0x106010;

// What one build put into a scene: the marker of record i at index i, the size of the
// content surface, which reaches the right and bottom edges of the farthest frames, and
// the overlays while they are shown.
struct MapContent {
    std::vector<MapMarker> markers;
    QSize size;
    FrontLineItem* frontLine = nullptr;
    MapLabelsItem* labels = nullptr;
    ComparisonItem* comparison = nullptr;
    BackgroundItem* background = nullptr;
};

// The centres of the markers of `content`, by record index.
std::vector<QPointF> markerCentres(const MapContent& content);

// Builds the map of the set at a scale into `scene`: one marker per record, projected by
// the region's factors, each frame above its own icon and every record above those of
// lower index; the scene's rectangle becomes the content surface and its background the
// ground. The map window and the rasterizer both draw exactly what this builds. The
// scene should hold no other markers.
MapContent buildMapScene(QGraphicsScene& scene, const LandmarkSet& set, int region, float mapScale);

// Shows under the markers of `content` the ground each side's active landmarks hold and the
// front between them, or brings the overlay already shown up to date. Its diagram is
// computed again only when a position, side, type or switch of a record has changed what
// it shows; returns whether it was.
bool showFrontLine(QGraphicsScene& scene, MapContent& content, const LandmarkSet& set, int region,
                   float mapScale);
void hideFrontLine(QGraphicsScene& scene, MapContent& content);

// The names of the records beside their markers, as many as the scale shows and find room,
// placed anew from the set.
void showLabels(QGraphicsScene& scene, MapContent& content, const LandmarkSet& set, float mapScale);
void hideLabels(QGraphicsScene& scene, MapContent& content);

// Rings the markers whose records differ from `other` or are not in it, marks where the
// records only `other` has would stand, and adds what changed to each marker's hint.
// Returns what it marked.
ComparisonMarks showComparison(QGraphicsScene& scene, MapContent& content, const LandmarkSet& other,
                               const LandmarkSet& set, int region, float mapScale);
void hideComparison(QGraphicsScene& scene, MapContent& content);

// The picture under the map, placed by `transform` from picture pixels to the content surface.
void showBackground(QGraphicsScene& scene, MapContent& content, const QImage& picture,
                    const QTransform& transform);
void hideBackground(QGraphicsScene& scene, MapContent& content);

// Removes and deletes exactly the items of `content` from the scene, leaving the rest of
// the scene alone, and empties `content`.
void clearMapScene(QGraphicsScene& scene, MapContent& content);

} // namespace korvland
