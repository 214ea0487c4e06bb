#include "ui/map/map_scene.h"

#include "data/map_projection.h"
#include "ui/common/record_format.h"
#include "ui/map/front_line_item.h"
#include "ui/map/map_background.h"
#include "ui/map/map_comparison.h"
#include "ui/map/map_labels.h"

#include <QGraphicsScene>

#include <algorithm>
#include <span>

namespace korvland {

namespace {

template <typename Item> void removeOverlay(QGraphicsScene& scene, Item*& item) {
    if (!item)
        return;
    scene.removeItem(item);
    delete item;
    item = nullptr;
}

std::vector<LandmarkRecord> recordsOf(const LandmarkSet& set) {
    std::vector<LandmarkRecord> records(set.recordCount());
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = set.record(i);
    return records;
}

} // namespace

MapContent buildMapScene(QGraphicsScene& scene, const LandmarkSet& set, int region, float mapScale) {
    const std::size_t count = set.recordCount();
    const std::vector<LandmarkRecord> records = recordsOf(set);
    const std::vector<MapPoint> points = projectRecords(records, mapScale, region);

    // The whole surface changes: one repaint of everything, instead of the views
    // tracking the rectangle of each of up to 2048 items as it arrives.
    scene.update();
    MapContent content;
    content.markers.reserve(count);
    int right = 0;
    int bottom = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int index = static_cast<int>(i);
        const MapPoint centre = points[i];
        MapMarker marker{new MarkerIconItem(index), new MarkerFrameItem(index)};
        marker.sync(records[i], set.disabledFlag(i));
        // Whole pixels: an odd size puts the extra pixel right of and below the centre.
        constexpr int kIconHalf = kIconSize / 2;
        constexpr int kFrameHalf = kFrameSize / 2;
        marker.icon->setPos(centre.x - kIconHalf, centre.y - kIconHalf);
        marker.frame->setPos(centre.x - kFrameHalf, centre.y - kFrameHalf);
        // Items of equal height stack in the order they were added: each frame lies
        // above its own icon and every marker above those of lower index.
        scene.addItem(marker.icon);
        scene.addItem(marker.frame);
        right = std::max(right, centre.x - kFrameSize / 2 + kFrameSize);
        bottom = std::max(bottom, centre.y - kFrameSize / 2 + kFrameSize);
        content.markers.push_back(marker);
    }
    content.size = QSize(right, bottom);
    scene.setSceneRect(0, 0, right, bottom);
    scene.setBackgroundBrush(colourFromBgr(kMapGroundColour));
    return content;
}

bool showFrontLine(QGraphicsScene& scene, MapContent& content, const LandmarkSet& set, int region,
                   float mapScale) {
    // The markers stand where this projection puts them, and the ground is divided
    // between those very points.
    const std::vector<LandmarkRecord> records = recordsOf(set);
    const std::vector<MapPoint> points = projectRecords(records, mapScale, region);
    std::vector<FrontSite> sites =
        frontSites(records, std::span(set.disabledFlags()).first(records.size()), points);
    const FrontRect surface{0, 0, static_cast<double>(content.size.width()),
                            static_cast<double>(content.size.height())};
    if (!content.frontLine) {
        content.frontLine = new FrontLineItem;
        scene.addItem(content.frontLine);
    }
    return content.frontLine->setSites(std::move(sites), surface);
}

void hideFrontLine(QGraphicsScene& scene, MapContent& content) {
    removeOverlay(scene, content.frontLine);
}

std::vector<QPointF> markerCentres(const MapContent& content) {
    std::vector<QPointF> centres;
    centres.reserve(content.markers.size());
    for (const MapMarker& marker : content.markers)
        centres.push_back(marker.frame->pos() + QPointF(kFrameSize / 2.0, kFrameSize / 2.0));
    return centres;
}

namespace {

// The names' halos follow the picture under them, or the map's own ground.
void groundLabels(MapContent& content) {
    if (!content.labels)
        return;
    if (content.background)
        content.labels->setGround(&content.background->picture(), content.background->transform());
    else
        content.labels->setGround(nullptr);
}

} // namespace

void showLabels(QGraphicsScene& scene, MapContent& content, const LandmarkSet& set, float mapScale) {
    if (!content.labels) {
        content.labels = new MapLabelsItem;
        scene.addItem(content.labels);
    }
    content.labels->setLabels(set, content.markers, mapScale, QRectF(QPointF(0, 0), content.size));
    groundLabels(content);
}

void hideLabels(QGraphicsScene& scene, MapContent& content) {
    removeOverlay(scene, content.labels);
}

ComparisonMarks showComparison(QGraphicsScene& scene, MapContent& content, const LandmarkSet& other,
                               const LandmarkSet& set, int region, float mapScale) {
    const std::vector<QPointF> centres = markerCentres(content);
    ComparisonMarks marks = compareForMap(other, set, centres, region, mapScale);
    if (!content.comparison) {
        content.comparison = new ComparisonItem;
        scene.addItem(content.comparison);
    }
    content.comparison->setMarks(marks, centres);
    for (std::size_t i = 0; i < content.markers.size() && i < marks.notes.size(); ++i)
        content.markers[i].frame->setNote(marks.notes[i]);
    return marks;
}

void hideComparison(QGraphicsScene& scene, MapContent& content) {
    if (!content.comparison)
        return;
    removeOverlay(scene, content.comparison);
    for (const MapMarker& marker : content.markers)
        marker.frame->setNote({});
}

void showBackground(QGraphicsScene& scene, MapContent& content, const QImage& picture,
                    const QTransform& transform) {
    if (!content.background || content.background->picture().cacheKey() != picture.cacheKey()) {
        removeOverlay(scene, content.background);
        content.background = new BackgroundItem(picture);
        scene.addItem(content.background);
    }
    content.background->setTransform(transform);
    groundLabels(content);
}

void hideBackground(QGraphicsScene& scene, MapContent& content) {
    removeOverlay(scene, content.background);
    groundLabels(content);
}

void clearMapScene(QGraphicsScene& scene, MapContent& content) {
    // As for a build: one repaint of everything rather than one rectangle per item.
    scene.update();
    hideFrontLine(scene, content);
    hideLabels(scene, content);
    removeOverlay(scene, content.comparison);
    hideBackground(scene, content);
    // Last to first, as the markers were made.
    for (auto it = content.markers.rbegin(); it != content.markers.rend(); ++it) {
        scene.removeItem(it->frame);
        delete it->frame;
        scene.removeItem(it->icon);
        delete it->icon;
    }
    content.markers.clear();
    content.size = QSize();
}

} // namespace korvland
