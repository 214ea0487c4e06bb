#include "ui/map/map_scene.h"

#include "data/map_projection.h"
#include "ui/common/record_format.h"
#include "ui/map/front_line_item.h"

#include <QGraphicsScene>

#include <algorithm>
#include <span>

namespace korvland {

namespace {

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
        marker.icon->setPos(centre.x - kIconSize / 2, centre.y - kIconSize / 2);
        marker.frame->setPos(centre.x - kFrameSize / 2, centre.y - kFrameSize / 2);
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
    if (!content.frontLine)
        return;
    scene.removeItem(content.frontLine);
    delete content.frontLine;
    content.frontLine = nullptr;
}

void clearMapScene(QGraphicsScene& scene, MapContent& content) {
    // As for a build: one repaint of everything rather than one rectangle per item.
    scene.update();
    hideFrontLine(scene, content);
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
