// The editor's find bar: Ctrl+F from any window, typing, next and previous with wrapping,
// the "3 of 12" line, "Select All Matches", Escape.
#include "editor_window_fixture.h"
#include "support_gui/named.h"

#include "ui/common/edit_actions.h"
#include "ui/editor/find_bar.h"

#include <QApplication>
#include <QPushButton>

#include <vector>

namespace korvland::testing {
namespace {
using namespace editor_names;

class FindBarTest : public EditorWindowTest {
  protected:
    void SetUp() override {
        load(frontLine());
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    FindBar* bar() const { return named<FindBar>(editor, find_bar_names::kWindow); }
    QLineEdit* field() const { return named<QLineEdit>(editor, find_bar_names::kText); }
    QString result() const { return named<QLabel>(editor, find_bar_names::kResult)->text(); }
    void ctrlF(QWidget* where) { QTest::keyClick(where, Qt::Key_F, Qt::ControlModifier); }
};

struct FindCase {
    int from;          // the record number shown before the search
    const char* typed; // typed into the field, one key at a time
    std::vector<QKeyCombination> keys;
    int shown; // the record number shown after
    const char* result;
};

const FindCase kFinds[] = {
    {2, "crepy", {}, 3, "1 of 1"}, // letter case and accents aside
    {1, "A", {}, 1, "1 of 4"},     // typing keeps a current record that matches
    {2, "a", {}, 3, "2 of 4"},
    {1, "a", {Qt::Key_F3}, 3, "2 of 4"},
    {1, "a", {Qt::Key_Return, Qt::Key_Return, Qt::Key_Return}, 6, "4 of 4"},
    {1, "a", {Qt::Key_Return, Qt::Key_F3, Qt::Key_F3, Qt::Key_F3}, 1, "1 of 4"}, // wraps forward
    {1, "a", {Qt::SHIFT | Qt::Key_F3}, 6, "4 of 4"},                             // and back
    {4, "a", {Qt::SHIFT | Qt::Key_F3, Qt::SHIFT | Qt::Key_F3}, 1, "1 of 4"},
    {5, "VALOIS", {}, 3, "1 of 1"},
    {5, "zzz", {Qt::Key_F3}, 5, "Not found"},
    {5, "a", {Qt::Key_Backspace}, 6, ""}, // an empty field finds nothing and says nothing
};

TEST_F(FindBarTest, TypingAndStepsMoveTheCurrentRecordAndCountTheMatches) {
    for (const FindCase& c : kFinds) {
        SCOPED_TRACE(std::string(c.typed) + " from " + std::to_string(c.from));
        select(c.from);
        ctrlF(edit(kNameBox));
        ASSERT_TRUE(bar()->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), field());
        QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(), Qt::Key_Delete);
        QTest::keyClicks(field(), QString::fromUtf8(c.typed));
        for (QKeyCombination key : c.keys)
            QTest::keyClick(field(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(text(kRecordNumberBox), QString::number(c.shown));
        EXPECT_EQ(shownIndex(), c.shown - 1);
        EXPECT_EQ(result(), c.result);
        EXPECT_EQ(document.selectedIndices(), QList<int>{c.shown - 1}) << "the record found is the selection";
        EXPECT_FALSE(editor->isModified());
    }
}

// A marker clicked on the map, then a name found in the editor: "Switch Off" switches off the
// landmark the editor shows, not the one clicked before.
TEST_F(FindBarTest, SwitchOffAfterAFindSwitchesOffTheLandmarkFound) {
    map->showOnCommand();
    map->markerPressed(*map->markers()[4].frame);
    ASSERT_EQ(document.currentIndex(), 4);
    ctrlF(edit(kNameBox));
    QTest::keyClicks(field(), QStringLiteral("cambrai"));
    QTest::keyClick(field(), Qt::Key_Return);
    ASSERT_EQ(shownIndex(), 3);
    QAction* switchOff = windows.editActions->switchOff();
    EXPECT_EQ(switchOff->text(), "S&witch Off");
    switchOff->trigger();
    EXPECT_FALSE(document.isActive(3));
    EXPECT_TRUE(document.isActive(4));
    EXPECT_EQ(group(kActiveGroup)->itemIndex(), 1) << "the editor shows the landmark switched off";
}

TEST_F(FindBarTest, CtrlFFromAnotherWindowOpensTheBarEscapeHidesIt) {
    EXPECT_FALSE(bar()->isVisibleTo(editor.get()));
    ownership->show();
    ownership->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ownership.get()));
    ctrlF(ownership.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), field());
    QTest::keyClicks(field(), QStringLiteral("lens"));
    EXPECT_EQ(shownIndex(), 4);
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), edit(kRecordNumberBox));
    // Opened again, the text waits selected for the next search.
    ctrlF(edit(kRecordNumberBox));
    EXPECT_EQ(field()->selectedText(), "lens");
}

TEST_F(FindBarTest, TheWindowGrowsUntilTheBarIsInSightAndShrinksBackWhenItCloses) {
    editor->resize(editor->width(), 250);
    QApplication::processEvents();
    const int before = editor->height();
    editor->showFindBar();
    QApplication::processEvents();
    const QWidget* bar = editor->findBar();
    EXPECT_LE(bar->geometry().bottom(), bar->parentWidget()->height()) << "the whole bar is in sight";
    EXPECT_GT(editor->height(), before);
    QTest::keyClick(named<QLineEdit>(bar, find_bar_names::kText), Qt::Key_Escape);
    EXPECT_EQ(editor->height(), before);
}

TEST_F(FindBarTest, SelectAllMatchesSelectsThemAndTheStatusBarCountsThem) {
    ctrlF(edit(kNameBox));
    auto* button = named<QPushButton>(editor, find_bar_names::kSelectAll);
    QTest::keyClicks(field(), QStringLiteral("zzz"));
    button->click();
    EXPECT_EQ(document.selectedIndices(), QList<int>{0}) << "nothing found leaves the record shown";
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field(), QStringLiteral("A"));
    button->click();
    EXPECT_EQ(document.selectedIndices(), (QList<int>{0, 2, 3, 5}));
    EXPECT_EQ(control<QLabel>(kSelectionPanel)->text(), "4 selected");
    // A new file: the old count goes.
    load(frontLine());
    EXPECT_EQ(result(), "");
}

} // namespace
} // namespace korvland::testing
