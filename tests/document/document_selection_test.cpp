// The current record and the selection of many records, and the edits of the selection with
// their rules.
#include "data/recovery_copy.h"
#include "document/recovery_keeper.h"
#include "document_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace korvland::testing {
namespace {

struct SelectionCase {
    const char* name;
    QList<int> before;
    std::function<void(LandmarkDocument&)> change;
    QList<int> after;
};

// clang-format off
const SelectionCase kSelections[] = {
    {"SetReplaces", {1, 2}, [](auto& d) { d.setSelection({4, 3}); }, {3, 4}},
    {"SetIgnoresWhatIsNoRecord", {}, [](auto& d) { d.setSelection({-1, 2, 8, 1023}); }, {2}},
    {"SetTheSame", {1, 2}, [](auto& d) { d.setSelection({2, 1, 2}); }, {1, 2}},
    {"Add", {1}, [](auto& d) { d.addToSelection({1, 5}); }, {1, 5}},
    {"AddNothingNew", {1, 5}, [](auto& d) { d.addToSelection({5, 9}); }, {1, 5}},
    {"Remove", {1, 5}, [](auto& d) { d.removeFromSelection({1, 7}); }, {5}},
    {"ToggleOn", {1}, [](auto& d) { d.toggleSelected(3); }, {1, 3}},
    {"ToggleOff", {1, 3}, [](auto& d) { d.toggleSelected(3); }, {1}},
    {"ToggleNoRecord", {1}, [](auto& d) { d.toggleSelected(8); }, {1}},
    {"All", {2}, [](auto& d) { d.selectAll(); }, {0, 1, 2, 3, 4, 5, 6, 7}},
    {"None", {2}, [](auto& d) { d.selectNone(); }, {}},
    {"NoneOfNothing", {}, [](auto& d) { d.selectNone(); }, {}},
    {"Invert", {0, 2, 7}, [](auto& d) { d.invertSelection(); }, {1, 3, 4, 5, 6}},
};
// clang-format on

void PrintTo(const SelectionCase& c, std::ostream* out) {
    *out << c.name;
}

class SelectionChange : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionChange, SelectsTheRecordsAndAnnouncesOnlyARealChange) {
    const SelectionCase& c = GetParam();
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setSelection(c.before);
    QSignalSpy changed(&d, &LandmarkDocument::selectionChanged);
    c.change(d);
    EXPECT_EQ(d.selectedIndices(), c.after);
    EXPECT_EQ(d.selectedCount(), c.after.size());
    for (int i = -1; i <= 8; ++i)
        EXPECT_EQ(d.isSelected(i), c.after.contains(i)) << i;
    EXPECT_EQ(changed.count(), c.before == c.after ? 0 : 1);
    // Selecting is not an edit.
    EXPECT_EQ(open.stack().count(), 0);
    EXPECT_FALSE(d.isModified());
}

INSTANTIATE_TEST_SUITE_P(Operations, SelectionChange, ::testing::ValuesIn(kSelections),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Every way of moving the current record, as the windows call it: a plain move makes the
// record the selection alone, and both are in place when the move is announced.
struct MoveCase {
    const char* name;
    std::function<void(OpenDocument&)> move;
    int current;
    bool keepsSelection = false;
};

// clang-format off
const MoveCase kMoves[] = {
    {"RecordNumberStatusRowMarkerOrMapArrow", [](auto& o) { o.document.select(3); }, 3},
    {"FindAsTyped", [](auto& o) { o.document.find(QStringLiteral("cambrai"), FindStep::Here); }, 3},
    {"FindNext", [](auto& o) { o.document.findNext(QStringLiteral("Lens")); }, 4},
    {"FindPrevious", [](auto& o) { o.document.findPrevious(QStringLiteral("Arras")); }, 0},
    {"UndoBringsTheRecordBack", [](auto& o) { o.stack().undo(); }, 3},
    {"Read", [](auto& o) { o.document.read(qPath(o.path)); }, 0},
    {"Restore", [](auto& o) {
         o.document.keepRecoveryCopies(qPath(o.dir.file("kept")));
         o.document.recoveryKeeper()->writeNow();
         o.document.restore(*recoveryCopyOf(o.dir.file("kept"), o.path));
     }, 0},
    {"WithCtrl", [](auto& o) { o.document.select(3, LandmarkDocument::SelectionUpdate::Keep); }, 3, true},
    {"ToNoRecord", [](auto& o) { o.document.select(8); }, 6, true},
};
// clang-format on

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.name;
}

class CurrentRecordMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(CurrentRecordMove, MakesTheRecordTheSelectionUnlessAModifierKeepsIt) {
    const MoveCase& c = GetParam();
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setSide(3, 0);
    d.select(6);
    d.setSelection({2, 4});
    QList<int> selectionWhenAnnounced;
    QObject::connect(&d, &LandmarkDocument::currentChanged, &d,
                     [&] { selectionWhenAnnounced = d.selectedIndices(); });
    c.move(open);
    const QList<int> expected = c.keepsSelection ? QList<int>{2, 4} : QList<int>{c.current};
    EXPECT_EQ(d.currentIndex(), c.current);
    EXPECT_EQ(d.selectedIndices(), expected);
    if (!c.keepsSelection) {
        EXPECT_EQ(selectionWhenAnnounced, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, CurrentRecordMove, ::testing::ValuesIn(kMoves),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CurrentRecord, EveryPickIsAnnouncedAndNoneIsAStep) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    QSignalSpy current(&d, &LandmarkDocument::currentChanged);
    EXPECT_TRUE(d.select(3));
    EXPECT_TRUE(d.select(3));
    EXPECT_FALSE(d.select(8));
    EXPECT_FALSE(d.select(-1));
    EXPECT_EQ(current.count(), 2);
    EXPECT_EQ(d.currentIndex(), 3);
    EXPECT_EQ(d.currentRecord().nameBytes(), "Cambrai");
    EXPECT_EQ(open.stack().count(), 0);
}

TEST(CurrentRecord, UndoAndRedoBringTheChangedRecordBackIntoView) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.select(3);
    d.setSide(3, 0);
    d.select(6);
    QSignalSpy current(&d, &LandmarkDocument::currentChanged);
    open.stack().undo();
    EXPECT_EQ(d.currentIndex(), 3);
    d.select(0);
    open.stack().redo();
    EXPECT_EQ(d.currentIndex(), 3);
    EXPECT_EQ(current.count(), 3);
    // An edit of the selection leaves the current record where it is.
    d.select(0);
    d.setSelection({6, 7});
    d.switchOffSelection();
    open.stack().undo();
    EXPECT_EQ(d.currentIndex(), 0);
}

TEST(SelectionEdits, SwitchOnLeavesTypeSixOffAndSaysHowMany) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.selectAll();
    EXPECT_EQ(d.switchOffSelection(), (LandmarkDocument::BulkEdit{6, 0}));
    EXPECT_EQ(open.stack().undoText(), QStringLiteral("Switch Off 6 Landmarks"));
    EXPECT_EQ(d.switchOnSelection(), (LandmarkDocument::BulkEdit{6, 2}));
    EXPECT_EQ(open.stack().undoText(), QStringLiteral("Switch On 6 Landmarks"));
    EXPECT_FALSE(d.isActive(1));
    EXPECT_FALSE(d.isActive(5));
    EXPECT_EQ(d.setSideOfSelection(1), (LandmarkDocument::BulkEdit{5, 0}));
    EXPECT_EQ(open.stack().undoText(), QStringLiteral("Side of 5 Landmarks"));
    EXPECT_EQ(open.stack().count(), 3);
    // One record alone follows the same rule.
    EXPECT_EQ(d.setActive(5, true), LandmarkDocument::ActiveEdit::Refused);
}

// Whichever window started the edit, one announcement tells every window its outcome, after
// the records changed; a rule that left every record as it was is announced too.
TEST(SelectionEdits, AnnounceTheirOutcomeAfterTheChange) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    QStringList order;
    QObject::connect(&d, &LandmarkDocument::recordsChanged, &d, [&] { order << "records"; });
    QSignalSpy edited(&d, &LandmarkDocument::selectionEdited);
    QObject::connect(&d, &LandmarkDocument::selectionEdited, &d, [&] { order << "edited"; });
    d.setSelection({1, 5});
    d.switchOnSelection();
    d.setSelection({1, 4, 5});
    d.switchOffSelection();
    d.switchOffSelection();
    d.switchOnSelection();
    EXPECT_EQ(order, QStringList({"edited", "records", "edited", "records", "edited"}));
    ASSERT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.at(0).at(1).value<LandmarkDocument::BulkEdit>(), (LandmarkDocument::BulkEdit{0, 2}));
    EXPECT_EQ(edited.at(1).at(0).value<LandmarkDocument::Field>(), LandmarkDocument::Field::Active);
    EXPECT_EQ(edited.at(2).at(1).value<LandmarkDocument::BulkEdit>(), (LandmarkDocument::BulkEdit{1, 2}));
}

TEST(SelectionEdits, KeepAProfilesFlagTwoWhenSwitchingOffAndGiveItBackOnUndo) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    const std::string profile = open.dir.file("front.lmp");
    d.saveProfile(qPath(profile));
    std::vector<std::uint8_t> bytes = readBytes(profile);
    bytes[130 + 0] = 2; // record 0's flag
    writeBytes(profile, bytes);
    d.openProfile(qPath(profile));
    d.setSelection({0, 3});
    EXPECT_EQ(d.switchOffSelection(), (LandmarkDocument::BulkEdit{1, 0}));
    EXPECT_EQ(d.set().disabledFlag(0), 2);
    EXPECT_EQ(d.switchOnSelection().changed, 2);
    open.stack().undo();
    EXPECT_EQ(d.set().disabledFlag(0), 2);
    // The single edit stores the flag the editor's "No" stands for.
    EXPECT_EQ(d.setActive(0, false), LandmarkDocument::ActiveEdit::Changed);
    EXPECT_EQ(d.set().disabledFlag(0), 1);
}

} // namespace
} // namespace korvland::testing
