#include "ui/common/hint_balloon.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace korvland {

namespace {

// Room between the text and the border, and the rounding of the corners.
constexpr int kPadX = 5;
constexpr int kPadY = 3;
constexpr int kRadius = 6;
// Room between the pointer's arrow and the balloon.
constexpr int kPointerGap = 2;

// The one outline both the painting and the window's shape use, so that they agree
// to the pixel; without antialiasing there is no half-covered edge to clip.
void drawBox(QPainter& painter, const QRect& box) {
    painter.drawRoundedRect(box.adjusted(0, 0, -1, -1), kRadius, kRadius);
}

int clampInto(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length + 1));
}

} // namespace

QFont hintFont(const HintStyle& style) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    // Points to pixels at 96 pixels per inch, rounded as the size of a font's height is.
    font.setPixelSize((style.pointSize * 96 + 36) / 72);
    return font;
}

QStringList wrapHint(const QString& text, const QFontMetrics& metrics, const HintStyle& style,
                     int designedParagraphs) {
    QStringList lines;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype k = 0; k < paragraphs.size(); ++k)
        lines << wrapHintText(paragraphs[k], metrics,
                              k < designedParagraphs ? style.maxTextWidth : kFittedHintWidth);
    return lines;
}

QStringList wrapHintText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (line.isEmpty() || metrics.horizontalAdvance(joined) <= maxWidth) {
                line = joined;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }
    return lines;
}

QPoint placeHint(QSize size, QPoint pointer, const QRect& screen, QSize pointerExtent) {
    const int w = size.width();
    const int h = size.height();
    const auto fitsX = [&](int x) { return x >= screen.left() && x + w - 1 <= screen.right(); };
    const auto fitsY = [&](int y) { return y >= screen.top() && y + h - 1 <= screen.bottom(); };
    const int x = clampInto(pointer.x(), w, screen.left(), screen.right());
    const int y = clampInto(pointer.y(), h, screen.top(), screen.bottom());

    const int below = pointer.y() + pointerExtent.height() + kPointerGap;
    if (fitsY(below))
        return {x, below};
    const int above = pointer.y() - kPointerGap - h;
    if (fitsY(above))
        return {x, above};
    const int right = pointer.x() + pointerExtent.width() + kPointerGap;
    if (fitsX(right))
        return {right, y};
    const int left = pointer.x() - kPointerGap - w;
    if (fitsX(left))
        return {left, y};
    // Larger than the room on every side of the pointer: at least the screen keeps it.
    return {x, y};
}

HintBalloon::HintBalloon(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::BypassGraphicsProxyWidget |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("HintBalloon"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Everything inside the window's shape is painted.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

QRect HintBalloon::boxRect() const {
    return rect().adjusted(0, 0, -kHintShadowDepth, -kHintShadowDepth);
}

void HintBalloon::setHint(const QString& text, const HintStyle& style, int designedParagraphs) {
    mText = text;
    mFont = hintFont(style);
    const QFontMetrics metrics(mFont);
    mLines = wrapHint(text, metrics, style, designedParagraphs);
    int textWidth = 0;
    for (const QString& line : mLines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int textHeight = static_cast<int>(mLines.size()) * metrics.height();
    const QSize box(textWidth + 2 * kPadX, textHeight + 2 * kPadY);
    resize(box + QSize(kHintShadowDepth, kHintShadowDepth));

    QBitmap shape(size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::color1);
    painter.setBrush(Qt::color1);
    drawBox(painter, boxRect().translated(kHintShadowDepth, kHintShadowDepth));
    drawBox(painter, boxRect());
    painter.end();
    setMask(shape);
    update();
}

void HintBalloon::showAt(const QString& text, const HintStyle& style, QPoint pointer,
                         int designedParagraphs) {
    setHint(text, style, designedParagraphs);
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(placeHint(size(), pointer, screen->availableGeometry()));
    show();
    raise();
}

void HintBalloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    drawBox(painter, boxRect().translated(kHintShadowDepth, kHintShadowDepth));
    painter.setPen(kHintBorder);
    painter.setBrush(kHintFill);
    drawBox(painter, boxRect());

    painter.setFont(mFont);
    painter.setPen(kHintText);
    const QFontMetrics metrics(mFont);
    QRect line(boxRect().left() + kPadX, boxRect().top() + kPadY, boxRect().width() - 2 * kPadX,
               metrics.height());
    for (const QString& text : mLines) {
        painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, text);
        line.translate(0, metrics.height());
    }
}

} // namespace korvland
