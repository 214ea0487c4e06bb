#include "ui/tables/caption_label.h"

#include "ui/common/kind_label.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace korvland {

namespace {
constexpr qreal kCaptionHaloWidth = 2.6; // beyond the smoothed edge of each stroke
} // namespace

CaptionLabel::CaptionLabel(const QString& text, const QColor& colour, bool raised, QWidget* parent)
    : QWidget(parent), mText(text), mColour(colour), mRaised(raised) {
    setAccessibleName(text);
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    QRect box = rect();
    // A caption wider than its box (a longer word of another language) is drawn narrower
    // rather than cut off.
    const qreal natural = QFontMetricsF(font()).horizontalAdvance(mText) + 2;
    if (natural > box.width() && box.width() > 0) {
        const qreal squeeze = box.width() / natural;
        painter.scale(squeeze, 1.0);
        box.setWidth(static_cast<int>(std::ceil(natural)));
    }
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    // The window behind the caption: its own background is not filled.
    const QColor background = parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                             : palette().color(QPalette::Window);
    if (needsHalo(mColour, background)) {
        // A light colour on the light window (white, aqua, yellow) reads only with a dark
        // outline around every stroke, as the editor's kind label has it.
        // The outline closes the gaps between letters: they get a pixel more where it fits.
        QFont face = font();
        face.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
        if (QFontMetricsF(face).horizontalAdvance(mText) + 2 > box.width())
            face = font();
        const QFontMetricsF metrics(face);
        const qreal y = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        QPainterPath path;
        path.addText(QPointF(box.left() + 1, std::round(y)), face, mText);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.strokePath(
            path, QPen(haloColour(mColour), kCaptionHaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(path, mColour);
        return;
    }
    if (mRaised) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(box.translated(-1, -1), kFlags, mText);
        painter.setPen(palette().color(QPalette::Shadow).darker(180));
        painter.drawText(box.translated(1, 1), kFlags, mText);
    }
    painter.setPen(mColour);
    painter.drawText(box, kFlags, mText);
}

} // namespace korvland
