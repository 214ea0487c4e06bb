#include "ui/common/kind_label.h"

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
constexpr qreal kHaloWidth = 1.8; // under a pixel on either side of each stroke
const QColor kDarkHalo(0x20, 0x20, 0x20);

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor haloColour(const QColor& text) {
    return contrastRatio(text, Qt::white) >= kReadableContrast ? QColor(Qt::white) : kDarkHalo;
}

bool needsHalo(const QColor& text, const QColor& background) {
    return contrastRatio(text, background) < kReadableContrast;
}

void KindLabel::paintEvent(QPaintEvent*) {
    const QString shown = text();
    if (shown.isEmpty())
        return;
    const QColor colour =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    // The window behind the label: its own background is not filled.
    const QColor background = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                             : palette().color(QPalette::Window);
    const bool halo = needsHalo(colour, background);
    QFont face = font();
    // A halo closes the gaps between letters: give them one pixel more.
    if (halo)
        face.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(face);
    const QRectF area = contentsRect();
    const qreal x = area.left() + (area.width() - metrics.horizontalAdvance(shown)) / 2;
    const qreal y = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    QPainterPath path;
    path.addText(QPointF(std::round(x), std::round(y)), face, shown);
    if (halo)
        painter.strokePath(path,
                           QPen(haloColour(colour), kHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
}

} // namespace korvland
