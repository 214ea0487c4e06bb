#pragma once

#include "ui/map/front_line_geometry.h"

#include <QGraphicsItem>
#include <QLineF>
#include <QList>
#include <QPainterPath>

#include <array>
#include <vector>

namespace korvland {

// The ground each side holds, as a light wash of its side colour over the map's ground,
// and the front between them as a dark line with a light edge that reads on both washes.
// It lies under every marker and is never under the pointer: clicks and pointer movements
// find the markers and the bare surface as they would without it.
class FrontLineItem : public QGraphicsItem {
  public:
    FrontLineItem();

    // Takes the sites that hold ground and the content rectangle; the diagram is computed
    // again only when either differs from the last. Returns whether it was.
    bool setSites(std::vector<FrontSite> sites, FrontRect content);
    const FrontLineGeometry& geometry() const { return mGeometry; }
    // How many times the diagram has been computed.
    int computations() const { return mComputations; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    std::vector<FrontSite> mSites;
    FrontRect mContent;
    bool mComputed = false;
    int mComputations = 0;
    FrontLineGeometry mGeometry;
    // German, Allied.
    std::array<QPainterPath, 2> mWash;
    QList<QLineF> mFront;
};

} // namespace korvland
