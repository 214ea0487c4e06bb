#include "tables_fixture.h"

#include "data/ownership_count.h"
#include "ui/tables/ownership_window.h"

#include <QLabel>
#include <QMenuBar>
#include <QUndoStack>

#include <functional>

namespace korvland::testing {
namespace {
using namespace editor_names;

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
    editorAction(kDataAction)->trigger();
    ASSERT_TRUE(ownership->isVisible());
    EXPECT_EQ(ownership->shownCounts(), countOwnership(set));
    EXPECT_EQ(cell("Allied", 0), QStringLiteral("1"));
    EXPECT_EQ(cell("German", 0), QStringLiteral("1"));
    EXPECT_EQ(cell("German", 1), QStringLiteral("1"));
    EXPECT_EQ(cell("Allied", 3), QStringLiteral("1")); // troops under "Train Stations"
    EXPECT_EQ(cell("Allied", 8), QStringLiteral("0"));
    EXPECT_EQ(ownership->shownCounts().total(), 4u);
}

TEST_F(OwnershipTableTest, EditsShowAtOnceAndAtUpdateData) {
    open(fivePlaces());
    editorAction(kDataAction)->trigger();
    // Record 3: the German city becomes Allied.
    selectRecord(3);
    clickItem(kSideGroup, 1);
    ASSERT_EQ(set.record(2).side, 1);
    EXPECT_EQ(cell("German", 1), QStringLiteral("0"));
    EXPECT_EQ(cell("Allied", 1), QStringLiteral("1"));

    selectRecord(1);
    // Switching a landmark off does not take it out of the count.
    document.setActive(0, false);
    document.setSide(document.currentIndex(), 0);
    tableAction(ownership_names::kRecountAction)->trigger();
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
    editorAction(kDataAction)->trigger();
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    document.setType(document.currentIndex(), 9); // the current record, the Allied airfield, becomes a blank
    clickName(2);
    EXPECT_EQ(cell("Allied", 8), QStringLiteral("1"));
    EXPECT_EQ(cell("Allied", 0), QStringLiteral("0"));
}

// Every kind of edit, its undo and its redo show in the cells at once, as the data layer
// counts the set (the counts `korvland-cli info` gives).
TEST_F(OwnershipTableTest, EveryEditItsUndoAndRedoRecountAtOnce) {
    open(fivePlaces());
    openProfileWith({0, 0, 2}); // the German city is left out by a profile's flag 2
    editorAction(kDataAction)->trigger();
    const struct {
        const char* what;
        std::function<void()> edit;
    } edits[] = {
        {"type", [this] { document.setType(1, 7); }},
        {"sub-type", [this] { document.setSubType(3, 0x05); }}, // counted by its type alone
        {"type 06", [this] { document.setType(0, 6); }},
        {"side", [this] { document.setSide(1, 1); }},
        {"switch", [this] { document.setActive(2, false); }},
        {"side of many",
         [this] {
             document.setSelection({0, 1, 3});
             document.setSideOfSelection(0);
         }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.what);
        e.edit();
        for (int step = 0; step < 3; ++step) {
            const OwnershipCounts expected = countOwnership(set);
            for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
                EXPECT_EQ(cell("Allied", static_cast<int>(column)),
                          QString::number(expected.at(OwnershipRow::Allied, column)));
                EXPECT_EQ(cell("German", static_cast<int>(column)),
                          QString::number(expected.at(OwnershipRow::German, column)));
            }
            // Undo, then redo.
            step == 0 ? document.undoStack()->undo() : document.undoStack()->redo();
        }
    }
}

TEST_F(OwnershipTableTest, CloseCommandCloseBoxAndFileReadHideIt) {
    open(fivePlaces());
    editorAction(kDataAction)->trigger();
    tableAction(ownership_names::kCloseAction)->trigger();
    EXPECT_FALSE(ownership->isVisible());

    editorAction(kDataAction)->trigger();
    ownership->close();
    EXPECT_FALSE(ownership->isVisible());

    editorAction(kDataAction)->trigger();
    open(LandmarkFileBuilder().add(makeRecord(1000, 9, 0, 0, "Blank")), "lndmrks3.dat");
    EXPECT_FALSE(ownership->isVisible());
    // Showing it again counts the new file.
    editorAction(kDataAction)->trigger();
    EXPECT_EQ(ownership->shownCounts().total(), 1u);
    EXPECT_EQ(cell("German", 8), QStringLiteral("1"));
}

} // namespace
} // namespace korvland::testing
