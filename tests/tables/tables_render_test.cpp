#include "tables_fixture.h"
#include "support_gui/render_keep.h"

#include "tables/caption_label.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

namespace korvland::testing {
namespace {

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
    editorAction("Data1")->trigger();
    ASSERT_TRUE(ownership->isVisible());
    QWidget* grid = ownership->findChild<QWidget*>(QStringLiteral("OwnershipGrid"));
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

} // namespace
} // namespace korvland::testing
