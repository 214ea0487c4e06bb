#include "editor/kind_label.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace korvland {

namespace {

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

constexpr double kReadableContrast = 3.0;
constexpr qreal kHaloWidth = 2.5; // a little over one pixel on either side of each stroke

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor haloColour(const QColor& text) {
    return contrastRatio(text, Qt::white) >= kReadableContrast ? QColor(Qt::white) : QColor(Qt::black);
}

void KindLabel::paintEvent(QPaintEvent*) {
    const QString shown = text();
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const QRectF area = contentsRect();
    const qreal x = area.left() + (area.width() - metrics.horizontalAdvance(shown)) / 2;
    const qreal y = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    QPainterPath path;
    path.addText(QPointF(std::round(x), std::round(y)), font(), shown);

    const QColor colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.strokePath(path, QPen(haloColour(colour), kHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
}

} // namespace korvland
