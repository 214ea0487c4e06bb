#pragma once

#include "data/landmark_set.h"
#include "ui/map/marker_items.h"

#include <QGraphicsItem>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QTransform>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvland {

// A landmark and the pixel of the picture where it lies.
struct BackgroundAnchor {
    std::uint16_t id = 0;
    QPointF pixel;
    bool operator==(const BackgroundAnchor&) const = default;
};
using BackgroundAnchors = std::array<BackgroundAnchor, 2>;

// "ID:X,Y", as the settings file and the command line write an anchor; nothing for any other text.
std::optional<BackgroundAnchor> parseAnchor(const QString& text);
QString anchorText(const BackgroundAnchor& anchor);

// Where the picture goes: scaled and moved on each axis so that both anchors fall on the
// centres of their landmarks' markers. A fit that cannot be made says why.
struct BackgroundFit {
    enum class Problem { None, UnknownLandmark, SameLandmark, PixelsInLine, MarkersInLine, TurnedOver };
    Problem problem = Problem::None;
    std::uint16_t id = 0; // the identifier no landmark has
    QTransform transform;
};
BackgroundFit fitBackground(const BackgroundAnchors& anchors, const LandmarkSet& set,
                            const std::vector<MapMarker>& markers);
// The message for a fit that cannot be made.
QString backgroundFitProblemText(const BackgroundFit& fit);

// The picture under everything else of the map; never under the pointer.
class BackgroundItem : public QGraphicsItem {
  public:
    explicit BackgroundItem(QImage picture);
    const QImage& picture() const { return mPicture; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QImage mPicture;
};

} // namespace korvland
