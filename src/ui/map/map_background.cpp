#include "ui/map/map_background.h"

#include <QCoreApplication>
#include <QPainter>
#include <QRegularExpression>

namespace korvland {

namespace {

// Under the front line's washes (-1) and every other item.
constexpr qreal kBackgroundZ = -2;

std::optional<QPointF> markerCentre(std::uint16_t id, const LandmarkSet& set,
                                    const std::vector<MapMarker>& markers) {
    for (std::size_t i = 0; i < set.recordCount() && i < markers.size(); ++i)
        if (set.record(i).landmarkId == id)
            return markers[i].frame->pos() + QPointF(kFrameSize / 2.0, kFrameSize / 2.0);
    return std::nullopt;
}

} // namespace

std::optional<BackgroundAnchor> parseAnchor(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,5})\\s*:\\s*(-?\\d+(?:\\.\\d+)?)\\s*,\\s*(-?\\d+(?:\\.\\d+)?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const uint id = match.captured(1).toUInt();
    if (id > 0xFFFF)
        return std::nullopt;
    return BackgroundAnchor{static_cast<std::uint16_t>(id),
                            QPointF(match.captured(2).toDouble(), match.captured(3).toDouble())};
}

QString anchorText(const BackgroundAnchor& anchor) {
    return QStringLiteral("%1:%2,%3").arg(anchor.id).arg(anchor.pixel.x()).arg(anchor.pixel.y());
}

BackgroundFit fitBackground(const BackgroundAnchors& anchors, const LandmarkSet& set,
                            const std::vector<MapMarker>& markers) {
    BackgroundFit fit;
    std::array<QPointF, 2> centres;
    for (std::size_t k = 0; k < 2; ++k) {
        const std::optional<QPointF> centre = markerCentre(anchors[k].id, set, markers);
        if (!centre) {
            fit.problem = BackgroundFit::Problem::UnknownLandmark;
            fit.id = anchors[k].id;
            return fit;
        }
        centres[k] = *centre;
    }
    const QPointF pixels = anchors[1].pixel - anchors[0].pixel;
    const QPointF span = centres[1] - centres[0];
    // Two anchors fix a scale on each axis only when they lie apart on both, in the picture
    // and on the map; one the wrong way round would show the picture mirrored.
    if (anchors[0].id == anchors[1].id)
        fit.problem = BackgroundFit::Problem::SameLandmark;
    else if (pixels.x() == 0 || pixels.y() == 0)
        fit.problem = BackgroundFit::Problem::PixelsInLine;
    else if (span.x() == 0 || span.y() == 0)
        fit.problem = BackgroundFit::Problem::MarkersInLine;
    else if (span.x() / pixels.x() < 0 || span.y() / pixels.y() < 0)
        fit.problem = BackgroundFit::Problem::TurnedOver;
    if (fit.problem != BackgroundFit::Problem::None)
        return fit;
    const qreal sx = span.x() / pixels.x();
    const qreal sy = span.y() / pixels.y();
    fit.transform = QTransform(sx, 0, 0, sy, centres[0].x() - sx * anchors[0].pixel.x(),
                               centres[0].y() - sy * anchors[0].pixel.y());
    return fit;
}

QString backgroundFitProblemText(const BackgroundFit& fit) {
    switch (fit.problem) {
    case BackgroundFit::Problem::UnknownLandmark:
        return QCoreApplication::translate("korvland::BackgroundFit", "No landmark has the identifier %1")
            .arg(fit.id);
    case BackgroundFit::Problem::SameLandmark:
        return QCoreApplication::translate("korvland::BackgroundFit",
                                           "The two anchors name the same landmark");
    case BackgroundFit::Problem::PixelsInLine:
        return QCoreApplication::translate("korvland::BackgroundFit",
                                           "The two anchors must lie apart both across and down the picture");
    case BackgroundFit::Problem::MarkersInLine:
        return QCoreApplication::translate(
            "korvland::BackgroundFit",
            "The two anchors' landmarks must lie apart both across and down the map");
    case BackgroundFit::Problem::TurnedOver:
        return QCoreApplication::translate("korvland::BackgroundFit",
                                           "The anchors would show the picture mirrored: on the picture they "
                                           "must lie to each other as their landmarks do on the map");
    case BackgroundFit::Problem::None:
        break;
    }
    return {};
}

BackgroundItem::BackgroundItem(QImage picture) : mPicture(std::move(picture)) {
    setZValue(kBackgroundZ);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

QRectF BackgroundItem::boundingRect() const {
    return QRectF(QPointF(0, 0), mPicture.size());
}

QPainterPath BackgroundItem::shape() const {
    return {};
}

void BackgroundItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QPointF(0, 0), mPicture);
}

} // namespace korvland
