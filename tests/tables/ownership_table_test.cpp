#include "tables_fixture.h"

#include "data/ownership_count.h"
#include "ui/tables/ownership_window.h"

#include <QLabel>
#include <QMenuBar>
#include <QUndoStack>

namespace korvland::testing {
namespace {

// Two airfields (Allied, German), a German city, an Allied troop position and a type-6 record.
LandmarkFileBuilder fivePlaces() {
    return LandmarkFileBuilder()
        .add(makeRecord(1000, 0, 0, 1, "Allied airfield"))
        .add(makeRecord(1001, 0, 0, 0, "German airfield"))
        .add(makeRecord(1002, 1, 0, 2, "German city"))
        .add(makeRecord(1003, 3, 0x20, 1, "Allied troops"))
        .add(makeRecord(1004, 6, 0xAC, 1, "Switched off"));
}

class OwnershipTableTest : public TablesTest {
  protected:
    // What the cell of `row` ("Allied", "German") and `column` shows.
    QString cell(const char* row, int column) const {
        auto* label = ownership->findChild<QLabel*>(QLatin1String(row) + QStringLiteral("Count") +
                                                    QString::number(column));
        EXPECT_NE(label, nullptr);
        return label ? label->text() : QString();
    }
    QAction* tableAction(const char* name) const {
        return ownership->findChild<QAction*>(QLatin1String(name));
    }
    void selectRecord(int number) {
        editor->setRecordNumber(number);
        editor->selectRecord();
    }
};

TEST_F(OwnershipTableTest, DataShowsTheTableCountedFromTheSet) {
    open(fivePlaces());
    editorAction("Data1")->trigger();
    ASSERT_TRUE(ownership->isVisible());
    EXPECT_EQ(ownership->shownCounts(), countOwnership(set));
    EXPECT_EQ(cell("Allied", 0), QStringLiteral("1"));
    EXPECT_EQ(cell("German", 0), QStringLiteral("1"));
    EXPECT_EQ(cell("German", 1), QStringLiteral("1"));
    EXPECT_EQ(cell("Allied", 3), QStringLiteral("1")); // troops under "Train Stations"
    EXPECT_EQ(cell("Allied", 8), QStringLiteral("0"));
    EXPECT_EQ(ownership->shownCounts().total(), 4u);
}

TEST_F(OwnershipTableTest, EditsShowAtTheNextSelectionOrUpdateData) {
    open(fivePlaces());
    editorAction("Data1")->trigger();
    // Record 3: the German city becomes Allied.
    selectRecord(3);
    clickItem("srg1", 1);
    ASSERT_EQ(set.record(2).side, 1);
    EXPECT_EQ(cell("German", 1), QStringLiteral("1"));

    selectRecord(1);
    EXPECT_EQ(cell("German", 1), QStringLiteral("0"));
    EXPECT_EQ(cell("Allied", 1), QStringLiteral("1"));

    // Switching a landmark off does not take it out of the count.
    document.setActive(0, false);
    document.setSide(document.currentIndex(), 0);
    tableAction("UpdateData1")->trigger();
    EXPECT_EQ(cell("Allied", 0), QStringLiteral("0"));
    EXPECT_EQ(cell("German", 0), QStringLiteral("2"));

    // An edit of many records, and its undo, recount at once.
    document.setSelection({0, 2});
    document.setSideOfSelection(0);
    EXPECT_EQ(cell("German", 1), QStringLiteral("1"));
    EXPECT_EQ(cell("Allied", 1), QStringLiteral("0"));
    document.undoStack()->undo();
    EXPECT_EQ(cell("German", 1), QStringLiteral("0"));
}

TEST_F(OwnershipTableTest, StatusTableSelectionRecountsThroughTheEditor) {
    open(fivePlaces());
    editorAction("Data1")->trigger();
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    document.setType(document.currentIndex(), 9); // the current record, the Allied airfield, becomes a blank
    EXPECT_EQ(cell("Allied", 8), QStringLiteral("0"));
    clickName(2);
    EXPECT_EQ(cell("Allied", 8), QStringLiteral("1"));
    EXPECT_EQ(cell("Allied", 0), QStringLiteral("0"));
}

TEST_F(OwnershipTableTest, CloseCommandCloseBoxAndFileReadHideIt) {
    open(fivePlaces());
    editorAction("Data1")->trigger();
    tableAction("Close1")->trigger();
    EXPECT_FALSE(ownership->isVisible());

    editorAction("Data1")->trigger();
    ownership->close();
    EXPECT_FALSE(ownership->isVisible());

    editorAction("Data1")->trigger();
    open(LandmarkFileBuilder().add(makeRecord(1000, 9, 0, 0, "Blank")), "lndmrks3.dat");
    EXPECT_FALSE(ownership->isVisible());
    // Showing it again counts the new file.
    editorAction("Data1")->trigger();
    EXPECT_EQ(ownership->shownCounts().total(), 1u);
    EXPECT_EQ(cell("German", 8), QStringLiteral("1"));
}

} // namespace
} // namespace korvland::testing
