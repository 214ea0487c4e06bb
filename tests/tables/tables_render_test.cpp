#include "support_gui/layout_checks.h"
#include "support_gui/named.h"
#include "support_gui/render_keep.h"
#include "tables_fixture.h"

#include "ui/common/kind_label.h"
#include "ui/tables/caption_label.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMap>
#include <QPixmap>
#include <QTranslator>

#include <algorithm>
#include <map>

namespace korvland::testing {
namespace {
using namespace editor_names;

// A file as large as the busiest column: three-digit counts under every caption.
LandmarkFileBuilder busyFile() {
    LandmarkFileBuilder builder;
    for (int i = 0; i < 1024; ++i) {
        const auto type = static_cast<std::uint8_t>(i % 10 == 6 ? 3 : i % 10);
        builder.add(makeRecord(static_cast<std::uint16_t>(1000 + i), type, 0,
                               static_cast<std::uint8_t>(i % 7 == 0), "Landmark " + std::to_string(i)));
    }
    return builder;
}

TEST_F(TablesTest, OwnershipTableFitsEveryCaptionAndCountInItsCell) {
    open(busyFile());
    editorAction(kDataAction)->trigger();
    ASSERT_TRUE(ownership->isVisible());
    QWidget* grid = named<QWidget>(ownership, ownership_names::kGrid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->size(), QSize(633, 75));
    EXPECT_EQ(ownership->minimumSize(), ownership->maximumSize()) << "the table is not resizable";

    const QList<CaptionLabel*> captions = grid->findChildren<CaptionLabel*>();
    EXPECT_EQ(captions.size(), 12);
    for (const CaptionLabel* caption : captions) {
        // The raised edge takes one pixel on either side.
        EXPECT_LE(QFontMetrics(caption->font()).horizontalAdvance(caption->text()) + 2, caption->width())
            << caption->text().toStdString();
    }
    for (const QLabel* count : grid->findChildren<QLabel*>())
        EXPECT_LE(count->sizeHint().width(), count->width()) << count->objectName().toStdString();
    keep(ownership->grab(), "ownership_table.png");

    QTest::mouseClick(tableButton(), Qt::LeftButton);
    QApplication::processEvents();
    keep(status->grab(), "status_table.png");
}

// Column captions of another language, some longer than their cells.
class LongerCaptions : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        static const std::map<std::string, QString> words{{"Airfields", QStringLiteral("Flugpl\u00e4tze")},
                                                          {"Cities", QStringLiteral("Gro\u00dfst\u00e4dte")},
                                                          {"Supply", QStringLiteral("Nachschub")},
                                                          {"Towns", QStringLiteral("St\u00e4dte")}};
        const auto found = words.find(source);
        if (std::string_view(context) != "korvland::OwnershipWindow" || found == words.end())
            return {};
        return found->second;
    }
};

// A caption longer than its cell takes the room up to two pixels before the rule to its
// right; what still does not fit is drawn narrower, whole, not cut off at its edge.
TEST_F(TablesTest, LongerCaptionsStayClearOfTheNextRuleAndAreDrawnWhole) {
    LongerCaptions translator;
    QCoreApplication::installTranslator(&translator);
    OwnershipWindow window(context);
    QCoreApplication::removeTranslator(&translator);
    QWidget* grid = named<QWidget>(&window, ownership_names::kGrid);
    ASSERT_NE(grid, nullptr);
    constexpr int kRules[] = {56, 121, 169, 225, 321, 377, 441, 497, 553, 633};
    QMap<QString, CaptionLabel*> captions;
    for (CaptionLabel* caption : grid->findChildren<CaptionLabel*>())
        captions[caption->text()] = caption;
    ASSERT_TRUE(captions.contains(QStringLiteral("St\u00e4dte")));
    EXPECT_EQ(captions[QStringLiteral("St\u00e4dte")]->width(), 46)
        << "a word that fits keeps its cell's width";
    for (const QString& word : {QStringLiteral("Flugpl\u00e4tze"), QStringLiteral("Gro\u00dfst\u00e4dte"),
                                QStringLiteral("Nachschub")}) {
        SCOPED_TRACE(word.toStdString());
        ASSERT_TRUE(captions.contains(word));
        CaptionLabel* caption = captions[word];
        const QRect box = caption->geometry();
        const int rule = *std::upper_bound(std::begin(kRules), std::end(kRules), box.left());
        EXPECT_EQ(box.left() + box.width(), rule - 2) << "the room up to two pixels before the rule";
        // None fits there: drawn in full width and then cut, it would be the left part of its
        // whole picture.
        CaptionLabel whole(word, caption->colour(), caption->isRaised(), grid);
        whole.setFont(caption->font());
        whole.resize(QFontMetrics(caption->font()).horizontalAdvance(word) + 2, box.height());
        EXPECT_NE(caption->grab().toImage(), whole.grab().toImage().copy(QRect(QPoint(), box.size())));
    }
}

// Around each caption's own colour lies something at least 3:1 away from it: the window for
// the dark colours, a dark outline for white, aqua and yellow.
TEST_F(TablesTest, EveryOwnershipCaptionStandsOutThreeToOneFromWhatSurroundsIt) {
    open(busyFile());
    editorAction(kDataAction)->trigger();
    QWidget* grid = named<QWidget>(ownership, ownership_names::kGrid);
    ASSERT_NE(grid, nullptr);
    const QImage picture = grid->grab().toImage();
    keep(picture, "ownership_captions.png");
    keep(picture.copy(0, 0, 360, 25).scaled(1440, 100), "ownership_captions_4x.png");
    for (const CaptionLabel* caption : grid->findChildren<CaptionLabel*>()) {
        const QColor colour = caption->colour();
        const QRect box = caption->geometry();
        const auto isGlyph = [&](QPoint p) {
            const QColor seen = picture.pixelColor(p);
            return std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                       std::abs(seen.blue() - colour.blue()) <=
                   24;
        };
        SCOPED_TRACE(caption->text().toStdString());
        const QColor window = picture.pixelColor(box.topLeft());
        if (contrastRatio(colour, window) >= 3.0)
            continue; // the window itself sets it off
        // A light caption: going outward from its strokes, within two pixels, every way
        // meets its outline before the window.
        // Only over the text: the grid's etched lines may cross the cell beyond it.
        const int textRight =
            std::min(box.right() - 1, box.left() + 2 +
                                          QFontMetrics(caption->font()).horizontalAdvance(caption->text()) +
                                          static_cast<int>(caption->text().size()));
        int edges = 0, outlined = 0;
        for (int y = box.top() + 2; y < box.bottom() - 1; ++y) {
            for (int x = box.left() + 2; x < textRight; ++x) {
                if (!isGlyph({x, y}))
                    continue;
                for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next(x + step.x(), y + step.y());
                    if (isGlyph(next))
                        continue;
                    ++edges;
                    outlined += contrastRatio(picture.pixelColor(next), colour) >= 3.0 ||
                                contrastRatio(picture.pixelColor(next + step), colour) >= 3.0;
                }
            }
        }
        EXPECT_GT(edges, 20) << "drawn in its own colour";
        EXPECT_GE(outlined * 10, edges * 9) << outlined << " of " << edges << " ways out of the strokes";
    }
}

// The filter row above the list, with a choice from an ownership cell and a selection: no
// control overlaps another or the list, and every text fits its control.
TEST_F(TablesTest, StatusTableFilterRowFitsAboveTheListAtItsDesignedWidth) {
    open(busyFile());
    editorAction(kDataAction)->trigger();
    QTest::mouseClick(ownership->findChild<QLabel*>(QStringLiteral("AlliedCount4")), Qt::LeftButton);
    keep(ownership->grab(), "ownership_table_after_click.png");
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    status->resize(StatusWindow::kDesignedWidth, StatusWindow::kDesignedHeight);
    QTest::keyClicks(named<QLineEdit>(status, filter_row_names::kText), QStringLiteral("1"));
    document.setSelection({4, 14, 24});
    QApplication::processEvents();
    keep(status->grab(), "status_table_filtered.png");

    QWidget* row = named<QWidget>(status, status_names::kFilterRow);
    ASSERT_NE(row, nullptr);
    const QList<QWidget*> controls{
        named<QLineEdit>(row, filter_row_names::kText), named<QComboBox>(row, filter_row_names::kKind),
        named<QComboBox>(row, filter_row_names::kSide), named<QComboBox>(row, filter_row_names::kState),
        named<QCheckBox>(row, filter_row_names::kOnly)};
    for (int i = 0; i < controls.size(); ++i) {
        ASSERT_NE(controls[i], nullptr) << i;
        EXPECT_TRUE(controls[i]->isVisible()) << i;
        EXPECT_TRUE(row->rect().contains(controls[i]->geometry())) << i;
    }
    EXPECT_EQ(firstOverlap(status.get()), "");
    EXPECT_GE(controls[0]->width(), 80) << "room to type a name";
    for (QComboBox* combo : row->findChildren<QComboBox*>())
        for (int item = 0; item < combo->count(); ++item)
            EXPECT_LE(combo->sizeHint().width(), combo->width()) << combo->itemText(item).toStdString();
    auto* only = static_cast<QCheckBox*>(controls[4]);
    EXPECT_EQ(only->text(), QStringLiteral("Only the 15 Allied bridges"));
    EXPECT_LE(only->sizeHint().width(), only->width());
    EXPECT_LE(list()->geometry().bottom(), status->height());
}

} // namespace
} // namespace korvland::testing
