#include "editor_window_fixture.h"

#include <QLocale>

#include <vector>

namespace korvland::testing {
namespace {
using namespace editor_names;

LandmarkFileBuilder records(int count) {
    LandmarkFileBuilder builder;
    builder.addMany(count);
    return builder;
}

TEST_F(EditorWindowTest, ArrowsWrapAtBothEnds) {
    load(records(5));
    QTest::mouseClick(spinner()->downButton(), Qt::LeftButton);
    EXPECT_EQ(editor->recordNumber(), 5);
    EXPECT_EQ(text(kRecordNumberBox), "5");
    EXPECT_EQ(set.currentIndex(), 4);
    EXPECT_EQ(shownIndex(), 4);

    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(text(kRecordNumberBox), "1");
    EXPECT_EQ(shownIndex(), 0);

    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(shownIndex(), 1);
    // The spinner's own writes are not typing.
    EXPECT_FALSE(edit(kRecordNumberBox)->isModified());
}

TEST_F(EditorWindowTest, UpAndDownKeysInTheNumberBoxStepAndWrap) {
    load(records(3));
    QTest::keyClick(edit(kRecordNumberBox), Qt::Key_Down);
    EXPECT_EQ(editor->recordNumber(), 3);
    EXPECT_EQ(shownIndex(), 2);
    QTest::keyClick(edit(kRecordNumberBox), Qt::Key_Up);
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(shownIndex(), 0);
}

TEST_F(EditorWindowTest, SpinnerSignalsTheOldNumberBeforeAndTheNewAfter) {
    load(records(4));
    std::vector<int> seen;
    QObject::connect(spinner(), &UpDown::changing, [&] { seen.push_back(-editor->recordNumber()); });
    QObject::connect(spinner(), &UpDown::clicked, [&] { seen.push_back(editor->recordNumber()); });
    QTest::mouseClick(spinner()->downButton(), Qt::LeftButton);
    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<int>{-1, 4, -4, 1}));
}

TEST_F(EditorWindowTest, TypingARecordNumberSelectsIt) {
    load(records(12));
    QLineEdit* box = edit(kRecordNumberBox);
    box->selectAll();
    QTest::keyClicks(box, "7");
    EXPECT_EQ(editor->recordNumber(), 7);
    EXPECT_EQ(set.currentIndex(), 6);
    EXPECT_EQ(shownIndex(), 6);
    // "71" names no record: the number stays, the box keeps what was typed.
    QTest::keyClicks(box, "1");
    EXPECT_EQ(editor->recordNumber(), 7);
    EXPECT_EQ(box->text(), "71");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "12");
    EXPECT_EQ(shownIndex(), 11);
    // Stepping goes on from the typed number.
    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(shownIndex(), 0);
}

TEST_F(EditorWindowTest, TextThatIsNoRecordNumberKeepsTheRecord) {
    load(records(12), 4);
    for (const char* typed : {"0", "x", "-2", " ", "0,"}) {
        retype(kRecordNumberBox, QString::fromLatin1(typed));
        EXPECT_EQ(editor->recordNumber(), 4) << typed;
        EXPECT_EQ(shownIndex(), 3) << typed;
    }
}

TEST_F(EditorWindowTest, NumbersFromOneThousandShowTheGroupSeparator) {
    load(records(1024), 999);
    const QString separator = QLocale().groupSeparator();
    EXPECT_EQ(text(kRecordNumberBox), "999");
    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(text(kRecordNumberBox), "1" + separator + "000");
    QTest::mouseClick(spinner()->downButton(), Qt::LeftButton);
    QTest::mouseClick(spinner()->downButton(), Qt::LeftButton);
    EXPECT_EQ(text(kRecordNumberBox), "998");
    // The number can be typed back with its separator.
    retype(kRecordNumberBox, "1" + separator + "024");
    EXPECT_EQ(shownIndex(), 1023);
}

TEST_F(EditorWindowTest, SettingTheNumberFromCodeWaitsForTheSelection) {
    load(records(6));
    editor->setRecordNumber(5);
    EXPECT_EQ(text(kRecordNumberBox), "5");
    EXPECT_EQ(shownIndex(), 0) << "no refresh before UpDown1Changing";
    editor->selectRecord();
    EXPECT_EQ(shownIndex(), 4);
    EXPECT_EQ(set.currentIndex(), 4);
    // Out-of-range numbers are kept within the record count.
    editor->setRecordNumber(40);
    EXPECT_EQ(editor->recordNumber(), 6);
    editor->setRecordNumber(-3);
    EXPECT_EQ(editor->recordNumber(), 1);
}

TEST_F(EditorWindowTest, ALowerMaximumBringsTheNumberWithinIt) {
    load(records(9), 9);
    editor->setRecordMaximum(2);
    EXPECT_EQ(editor->recordMaximum(), 2);
    EXPECT_EQ(editor->recordNumber(), 2);
    EXPECT_EQ(text(kRecordNumberBox), "2");
    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(editor->recordNumber(), 1);
    // A maximum below the minimum is raised to it.
    editor->setRecordMaximum(0);
    EXPECT_EQ(editor->recordMaximum(), 1);
    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(text(kRecordNumberBox), "1");
}

TEST_F(EditorWindowTest, DisabledRecordControlsIgnoreTheKeys) {
    load(records(3));
    editor->setRecordControlsEnabled(false);
    EXPECT_FALSE(spinner()->isEnabled());
    EXPECT_FALSE(edit(kRecordNumberBox)->isEnabled());
    QTest::keyClick(edit(kRecordNumberBox), Qt::Key_Up);
    EXPECT_EQ(editor->recordNumber(), 1);
}

} // namespace
} // namespace korvland::testing
