#include "ui/map/front_line_item.h"

#include "ui/common/record_format.h"

#include <QPainter>
#include <QPen>

namespace korvland {

namespace {

// Enough of the side colour to tell the ground apart, little enough that the dark-green
// ground and every marker's colours stay as they are.
constexpr int kWashAlpha = 96;
constexpr qreal kFrontWidth = 3.0;
constexpr qreal kFrontEdge = 1.5; // light edge on each side of the line
const QColor kFrontColour(20, 20, 20);
const QColor kFrontEdgeColour(225, 225, 215);

// Under every marker, which all lie at the default height.
constexpr qreal kBelowMarkers = -1.0;

QColor washColour(FrontSide side) {
    QColor colour = colourFromBgr(side == FrontSide::Allied ? kAlliedColour : kGermanColour);
    colour.setAlpha(kWashAlpha);
    return colour;
}

} // namespace

FrontLineItem::FrontLineItem() {
    setZValue(kBelowMarkers);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

bool FrontLineItem::setSites(std::vector<FrontSite> sites, FrontRect content) {
    if (mComputed && sites == mSites && content == mContent)
        return false;
    prepareGeometryChange();
    mSites = std::move(sites);
    mContent = content;
    mComputed = true;
    ++mComputations;
    mGeometry = computeFrontLine(mSites, mContent);

    // One path per side, its cells wound alike, so that the wash is filled once where two
    // cells of a side meet and leaves no seam along their common border.
    mWash = {};
    for (QPainterPath& wash : mWash)
        wash.setFillRule(Qt::WindingFill);
    for (const FrontCell& cell : mGeometry.cells) {
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(cell.corners.size()));
        for (const FrontPoint& corner : cell.corners)
            polygon.append(QPointF(corner.x, corner.y));
        mWash[static_cast<std::size_t>(cell.side)].addPolygon(polygon);
        mWash[static_cast<std::size_t>(cell.side)].closeSubpath();
    }
    mFront.clear();
    mFront.reserve(static_cast<qsizetype>(mGeometry.front.size()));
    for (const FrontSegment& segment : mGeometry.front)
        mFront.append(QLineF(segment.from.x, segment.from.y, segment.to.x, segment.to.y));
    update();
    return true;
}

QRectF FrontLineItem::boundingRect() const {
    const qreal reach = kFrontWidth / 2 + kFrontEdge;
    return QRectF(QPointF(mContent.left, mContent.top), QPointF(mContent.right, mContent.bottom))
        .adjusted(-reach, -reach, reach, reach);
}

QPainterPath FrontLineItem::shape() const {
    return {};
}

void FrontLineItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    // The ends of the front reach the content's edges; their round caps stay within them.
    painter->setClipRect(
        QRectF(QPointF(mContent.left, mContent.top), QPointF(mContent.right, mContent.bottom)),
        Qt::IntersectClip);
    // The wash's only visible border, between the sides, lies under the front line; drawn
    // without smoothing it costs a fraction, which counts at every scroll step.
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(washColour(FrontSide::German));
    painter->drawPath(mWash[static_cast<std::size_t>(FrontSide::German)]);
    painter->setBrush(washColour(FrontSide::Allied));
    painter->drawPath(mWash[static_cast<std::size_t>(FrontSide::Allied)]);

    // Line by line: the raster engine smooths many short lines far faster than one long
    // outline across the whole window. The edge is opaque, so that where two lines meet it
    // is drawn no darker.
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(kFrontEdgeColour, kFrontWidth + 2 * kFrontEdge, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& line : mFront)
        painter->drawLine(line);
    painter->setPen(QPen(kFrontColour, kFrontWidth, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& line : mFront)
        painter->drawLine(line);
    painter->restore();
}

} // namespace korvland
