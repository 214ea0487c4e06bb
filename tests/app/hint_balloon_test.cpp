#include "support_gui/render_keep.h"
#include "ui/common/hint_balloon.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::keep;

// The balloon as the map shows it, over the map's dark green ground.
QImage render(const HintBalloon& balloon) {
    QImage image(balloon.size() + QSize(16, 16), QImage::Format_RGB32);
    image.fill(QColor(0x10, 0x60, 0x10));
    QPainter painter(&image);
    painter.setClipRegion(balloon.mask().translated(8, 8));
    const_cast<HintBalloon&>(balloon).render(&painter, QPoint(8, 8), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

TEST(HintText, WrapsAtSpacesWithinTheWidthAndKeepsLongWordsWhole) {
    struct Case {
        const char* text;
        HintStyle style;
        QStringList lines;
        int designedParagraphs = 1; // a marker's hint; the others fit their text
    };
    const Case cases[] = {
        // Every word of a marker's hint is wider than 20 pixels, so each stands alone.
        {"German Town: Arras", kNormalHintStyle, {"German", "Town:", "Arras"}},
        {"Blank Landmark: ", kNormalHintStyle, {"Blank", "Landmark:"}},
        {"Allied  Bridge:   Pont-a-Mousson", kNormalHintStyle, {"Allied", "Bridge:", "Pont-a-Mousson"}},
        // Short words share the wider lines of the About box's style.
        {"a b c d", kAboutHintStyle, {"a b c d"}},
        {"first\nsecond", kAboutHintStyle, {"first", "second"}},
        {"German City: Reims\n7 unknown bytes differ",
         kNormalHintStyle,
         {"German", "City:", "Reims", "7 unknown bytes differ"}},
        {"Show the landmarks named so", kNormalHintStyle, {"Show the landmarks named so"}, 0},
    };
    for (const Case& c : cases) {
        const QFontMetrics metrics(hintFont(c.style));
        EXPECT_EQ(wrapHint(QString::fromLatin1(c.text), metrics, c.style, c.designedParagraphs), c.lines)
            << c.text;
    }
}

TEST(HintText, NoLineOfSeveralWordsIsWiderThanTheStyleAllows) {
    const QString text = QStringLiteral("A program to modify KORV Landmark files for TLQ Play at a b c de");
    for (const HintStyle style : {kNormalHintStyle, kAboutHintStyle}) {
        const QFontMetrics metrics(hintFont(style));
        const QStringList lines = wrapHintText(text, metrics, style.maxTextWidth);
        EXPECT_EQ(lines.join(QLatin1Char(' ')), text) << "no word lost or split";
        for (const QString& line : lines) {
            if (line.contains(QLatin1Char(' '))) {
                EXPECT_LE(metrics.horizontalAdvance(line), style.maxTextWidth) << line.toStdString();
            }
        }
    }
}

TEST(HintPlacement, StaysOnItsScreenAndNeverCoversThePointer) {
    const QSize balloon(70, 60);
    const QSize arrow(16, 22);
    // The first screen, a second one to its right, and one left of and above the origin.
    const QRect screens[] = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1280, -200, 1280, 1024}};
    for (const QRect& screen : screens) {
        const int xs[] = {screen.left(), screen.left() + 30, screen.center().x(), screen.right() - 10,
                          screen.right()};
        const int ys[] = {screen.top(), screen.top() + 5, screen.center().y(), screen.bottom() - 20,
                          screen.bottom()};
        for (const int x : xs) {
            for (const int y : ys) {
                const QPoint pointer(x, y);
                const QRect placed(placeHint(balloon, pointer, screen, arrow), balloon);
                const auto where = [&] { return "pointer " + std::to_string(x) + "," + std::to_string(y); };
                EXPECT_TRUE(screen.contains(placed)) << where();
                EXPECT_FALSE(placed.intersects(QRect(pointer, arrow))) << where();
            }
        }
    }
    // Where there is room, the balloon hangs just below the pointer's arrow.
    EXPECT_EQ(placeHint(balloon, {500, 400}, screens[0], arrow), QPoint(500, 424));
}

TEST(HintBalloonLook, IsAMaroonRoundedBoxWithRedBorderSilverTextAndBlackShadow) {
    HintBalloon balloon;
    balloon.setHint(QStringLiteral("German Town: Arras"), kNormalHintStyle, 1);
    const QImage image = render(balloon);
    keep(image, "hint_balloon.png");
    HintBalloon about;
    about.setHint(QStringLiteral("A program to modify KORV Landmark files"), kAboutHintStyle);
    keep(render(about), "hint_balloon_about.png");

    EXPECT_EQ(balloon.lines().size(), 3);
    const QRect box = balloon.boxRect().translated(8, 8);
    const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    const QColor ground(0x10, 0x60, 0x10);
    EXPECT_EQ(at(box.center().x(), box.top()), kHintBorder);
    EXPECT_EQ(at(box.left(), box.center().y()), kHintBorder);
    EXPECT_EQ(at(box.left() + 2, box.top() + 2 + 6), kHintFill) << "inside the border, beside the text";
    // The shadow shows below and to the right of the box, four pixels deep.
    EXPECT_EQ(at(box.center().x(), box.bottom() + 4), Qt::black);
    EXPECT_EQ(at(box.right() + 4, box.center().y()), Qt::black);
    EXPECT_EQ(at(box.center().x(), box.bottom() + 5), ground);
    // Rounded: the box's corner is not part of the balloon, nor the shadow's free corners.
    EXPECT_EQ(at(box.left(), box.top()), ground);
    EXPECT_EQ(at(box.right() + 4, box.top()), ground);
    EXPECT_EQ(at(box.left(), box.bottom() + 4), ground);

    int silver = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            silver += at(x, y) == kHintText;
    EXPECT_GT(silver, 60) << "the text is drawn in silver";
}

} // namespace
} // namespace korvland
