#pragma once

#include "data/landmark_set.h"
#include "ui/map/marker_items.h"

#include <QFont>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QString>
#include <QTransform>

#include <vector>

namespace korvland {

// The landmarks' names beside their markers, in a small light font with a dark halo that
// reads on the ground and on the front line's washes, and dark in a light halo over the light
// parts of a background picture. Names that find
// no free place are left out rather than drawn over a marker or another name. One item for
// all names, above the ground and the front line, under the markers, never under the
// pointer.
class MapLabelsItem : public QGraphicsItem {
  public:
    struct Label {
        int record = 0;
        QRectF rect;
        QString text;
        bool switchedOff = false;
        // Over a light part of a background picture: dark letters in a light halo.
        bool onLightGround = false;
    };

    MapLabelsItem();

    // Measures and places the names the scale shows, of the records whose markers are given
    // (by record index), within `surface`.
    void setLabels(const LandmarkSet& set, const std::vector<MapMarker>& markers, float mapScale,
                   const QRectF& surface);
    // The picture under the names, placed on the map by `pictureToScene`, or none: each name's
    // halo takes the contrary of the ground under it.
    void setGround(const QImage* picture, const QTransform& pictureToScene = {});
    const std::vector<Label>& labels() const { return mLabels; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QFont mFont;
    QRectF mSurface;
    std::vector<Label> mLabels;
    // The outline of each name's text, made when it is first painted.
    std::vector<QPainterPath> mPaths;
};

} // namespace korvland
