#include "tables/caption_label.h"

#include <QPainter>

namespace korvland {

CaptionLabel::CaptionLabel(const QString& text, const QColor& colour, bool raised, QWidget* parent)
    : QWidget(parent), mText(text), mColour(colour), mRaised(raised) {
    setAccessibleName(text);
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect box = rect();
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
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
