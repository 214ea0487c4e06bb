#include "ui/map/map_selection.h"

#include <cmath>
#include <limits>

namespace korvland {

namespace {

// A whole number held as a 32-bit float, written fixed with 8 decimals while it has at
// most 12 digits, in scientific notation beyond. The cut is made on the double, so that
// coordinates beyond any integer type (or NaN) still give a text.
QString readoutText(double value, const QString& decimalPoint) {
    // A whole number has no sign of its own at zero: -0.4 reads 0, not -0.
    const double cut = std::trunc(value) + 0.0;
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const float stored = std::fabs(cut) <= std::numeric_limits<float>::max() || std::isnan(cut)
                             ? static_cast<float>(cut)
                             : (cut > 0 ? kInfinity : -kInfinity);
    QString text;
    if (std::isnan(stored))
        text = QStringLiteral("NAN");
    else if (std::isinf(stored))
        text = stored > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    else if (std::fabs(stored) >= 1e12f)
        text = QString::number(stored, 'E', 11);
    else
        text = QString::number(stored, 'f', 8);
    return text.replace(QLatin1Char('.'), decimalPoint);
}

} // namespace

MarkerFrameItem* MapSelection::highlight(const MapContent& content, const LandmarkSet& set, int current) {
    if (current < 0 || static_cast<std::size_t>(current) >= content.markers.size())
        return nullptr;
    const MapMarker& marker = content.markers[static_cast<std::size_t>(current)];
    MarkerFrameItem* found = marker.frame;

    if (mSelectedMarker && static_cast<std::size_t>(*mSelectedMarker) < content.markers.size()) {
        const MapMarker& left = content.markers[static_cast<std::size_t>(*mSelectedMarker)];
        MarkerFrameItem* previous = left.frame;
        // Back to its place in the stacking order, among the markers of its index.
        const qreal z = previous->isDimmed() ? kDimmedZ : 0;
        left.icon->setZValue(z);
        previous->setZValue(z);
        previous->setFrameShape(MarkerFrameItem::Shape::Square);
        previous->setColour(mSavedMarkerColour);
        previous->setHatched(set.disabledFlag(static_cast<std::size_t>(mSelectedRecord)) != 0);
    }

    // Above every other marker, those of higher index included, so that it is always seen.
    marker.icon->setZValue(kHighlightZ);
    found->setZValue(kHighlightZ);
    mSavedMarkerColour = found->colour();
    found->setFrameShape(MarkerFrameItem::Shape::Circle);
    found->setColour(kHighlightColour);
    found->setHatched(set.disabledFlag(static_cast<std::size_t>(current)) != 0);

    mSelectedMarker = current;
    mSelectedRecord = current;
    return found;
}

QList<int> markersInBand(const MapContent& content, const QRectF& band) {
    QList<int> inside;
    // The centre in whole pixels, where the marker is drawn from.
    constexpr int kFrameHalf = kFrameSize / 2;
    const QPointF toCentre(kFrameHalf, kFrameHalf);
    for (const MapMarker& marker : content.markers) {
        if (band.contains(marker.frame->pos() + toCentre))
            inside.append(marker.frame->index());
    }
    return inside;
}

QPoint centringScroll(QPoint frame, QSize client) {
    return {frame.x() - client.width() / 2 + 10, frame.y() - client.height() / 2 + 10};
}

std::optional<int> recordIndexOfFrameName(const QString& name) {
    if (!name.startsWith(QLatin1String("bob")))
        return std::nullopt;
    bool ok = false;
    const int index = name.mid(3).toInt(&ok);
    if (!ok || index < 0)
        return std::nullopt;
    return index;
}

QString northSouthReadout(float northSouth, const QString& decimalPoint) {
    return readoutText(49110.0 - static_cast<double>(northSouth) * 1000.0, decimalPoint);
}

QString eastWestReadout(float eastWest, const QString& decimalPoint) {
    return readoutText(static_cast<double>(eastWest) * 1000.0 - 5927.5, decimalPoint);
}

} // namespace korvland
