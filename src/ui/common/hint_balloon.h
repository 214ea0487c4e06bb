#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QFontMetrics;

namespace korvland {

// The size of the hint text and the width at which it wraps. The About box asks for
// smaller text on wider lines while it is open.
struct HintStyle {
    int pointSize = 10;
    int maxTextWidth = 20;
    friend bool operator==(const HintStyle&, const HintStyle&) = default;
};
inline constexpr HintStyle kNormalHintStyle{10, 20};
inline constexpr HintStyle kAboutHintStyle{8, 55};

// The balloon's colours: maroon ground (0x000080 as blue-green-red), red border, silver text.
inline const QColor kHintFill{128, 0, 0};
inline const QColor kHintBorder{255, 0, 0};
inline const QColor kHintText{192, 192, 192};
inline constexpr int kHintShadowDepth = 4;

// The map's marker hints were designed to wrap at the style's narrow width, every word on a
// line of its own. A widget or scene item marks how many paragraphs at the start of its hint
// are such a designed hint (the property on a widget, the item data key on a scene item); the
// rest of that hint and every unmarked hint wrap only where a line would grow wider than
// kFittedHintWidth, so that a note reads as a line.
inline constexpr char kDesignedHintProperty[] = "korvlandDesignedHintParagraphs";
inline constexpr int kDesignedHintKey = 0x4B48;
inline constexpr int kFittedHintWidth = 400;

// Arial bold at the style's point size, sized in pixels as at 96 pixels per inch (10 pt
// is 13 pixels high) like every other measure of the program's windows.
QFont hintFont(const HintStyle& style);

// Breaks the text at spaces so that no line is wider than `maxWidth`, except a single
// word wider than that, which keeps a line of its own; line breaks in the text are kept.
QStringList wrapHintText(const QString& text, const QFontMetrics& metrics, int maxWidth);
// The first `designedParagraphs` paragraphs wrapped at the style's width, the rest at
// kFittedHintWidth.
QStringList wrapHint(const QString& text, const QFontMetrics& metrics, const HintStyle& style,
                     int designedParagraphs);

// Where a balloon of `size` goes for a pointer at `pointer` on a screen whose usable area
// is `screen`: below and to the right of the pointer's arrow where it fits, otherwise
// above it, otherwise beside it, and always within the screen. It never covers the
// pointer's arrow (`pointerExtent` past the hot spot) while the screen leaves room.
QPoint placeHint(QSize size, QPoint pointer, const QRect& screen, QSize pointerExtent = {16, 22});

// The balloon itself: a rounded maroon box with a red border and a black shadow, shown
// without taking focus or mouse input.
class HintBalloon : public QWidget {
    Q_OBJECT
  public:
    explicit HintBalloon(QWidget* parent = nullptr);

    // Lays out `text` in `style` and sizes the balloon (shadow included); does not show it.
    // The first `designedParagraphs` paragraphs are a designed hint (see kDesignedHintKey).
    void setHint(const QString& text, const HintStyle& style, int designedParagraphs = 0);
    // Sets the hint, places it for the pointer on the screen that holds it, and shows it.
    void showAt(const QString& text, const HintStyle& style, QPoint pointer, int designedParagraphs = 0);

    QString text() const { return mText; }
    const QStringList& lines() const { return mLines; }
    // The rounded box without its shadow, in the balloon's coordinates.
    QRect boxRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString mText;
    QStringList mLines;
    QFont mFont;
};

} // namespace korvland
