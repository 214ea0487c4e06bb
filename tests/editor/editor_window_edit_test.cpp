#include "editor_window_fixture.h"
#include "support_gui/named.h"

#include "ui/editor/path_label.h"

#include <QApplication>
#include <QClipboard>

#include <string>

namespace korvland::testing {
namespace {
using namespace editor_names;

// Replaces the whole text of a box in one change, as pasting does.
void paste(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Types characters one by one, also those that no key of the test keyboard carries.
void typeText(QLineEdit* box, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

std::string nameField(const LandmarkRecord& record) {
    return std::string(record.name.begin(), record.name.end());
}

TEST_F(EditorWindowTest, ADigitTypedAfterTwoIsRefusedNotFoldedIntoTheType) {
    load(LandmarkFileBuilder().add(makeRecord(1, 0x1A, 0, 0, "Somme")).addMany(1));
    QTest::keyClick(edit(kTypeBox), Qt::Key_End);
    QTest::keyClick(edit(kTypeBox), 'B');
    EXPECT_EQ(set.record(0).loFileType, 0x1A);
    EXPECT_EQ(text(kTypeBox), "1A");
    EXPECT_FALSE(editor->isModified());
    // Room for a digit: the byte is whole again with it.
    QTest::keyClick(edit(kTypeBox), Qt::Key_Backspace);
    QTest::keyClick(edit(kTypeBox), 'B');
    EXPECT_EQ(set.record(0).loFileType, 0x1B);
    EXPECT_EQ(text(kTypeBox), "1B");
    EXPECT_EQ(kindLabel()->text(), "Unknown");
    EXPECT_TRUE(editor->isModified());
}

TEST_F(EditorWindowTest, TypeEditShowsTheNewKindAtOnce) {
    load(LandmarkFileBuilder().add(makeRecord(1, 1, 0x20, 0, "Verdun")));
    paste(edit(kTypeBox), "05");
    EXPECT_EQ(set.record(0).loFileType, 5);
    EXPECT_EQ(text(kTypeBox), "05");
    EXPECT_EQ(kindLabel()->text(), "Balloon");
    EXPECT_EQ(kindColour(), QColor(128, 128, 0));
}

// Both hexadecimal boxes refuse, without a word, every text that is no byte: the box
// keeps its text, the record its value. The next valid text is applied normally.
TEST_F(EditorWindowTest, HexBoxesRefuseTextThatIsNoByte) {
    const char* const cases[] = {"1G", "", " 1", "-1", "$1", "100000000", "FFFFFFFF", "123"};
    load(LandmarkFileBuilder().add(makeRecord(1, 0x03, 0x13, 0, "Arras")));
    const LandmarkRecord before = set.record(0);
    for (const char* box : {kTypeBox, kSubTypeBox}) {
        const QString shown = text(box);
        for (const char* bad : cases) {
            SCOPED_TRACE(std::string(box) + " '" + bad + "'");
            if (*bad == 0) {
                retype(box, QString());
                EXPECT_EQ(text(box), QString()) << "emptied on the way to another value";
            } else {
                paste(edit(box), QString::fromLatin1(bad));
                EXPECT_EQ(text(box), shown);
            }
            EXPECT_EQ(set.record(0), before);
            edit(box)->setText(shown);
        }
        paste(edit(box), "FF");
        EXPECT_EQ(box == std::string(kTypeBox) ? set.record(0).loFileType : set.record(0).loFileNo, 0xFF);
        document.setType(0, before.loFileType);
        document.setSubType(0, before.loFileNo);
    }
    EXPECT_TRUE(dialogs.asked().empty()) << "no error box for text that never reached the record";
}

TEST_F(EditorWindowTest, ALetterBeyondFInTheTypeIsRefusedThenUndoneByBackspace) {
    load(LandmarkFileBuilder().add(makeRecord(1, 0x1A, 0, 0, "Lens")));
    QTest::keyClick(edit(kTypeBox), Qt::Key_End);
    QTest::keyClick(edit(kTypeBox), 'K');
    EXPECT_EQ(text(kTypeBox), "1A");
    EXPECT_EQ(set.record(0).loFileType, 0x1A);
    QTest::keyClick(edit(kTypeBox), Qt::Key_Backspace);
    EXPECT_EQ(text(kTypeBox), "1");
    EXPECT_EQ(set.record(0).loFileType, 0x1A) << "one digit waits for its second";
}

// Keys typed into a hexadecimal box: '*' selects all, '<' is Backspace, '|' Return and
// '>' Tab (leaving the box); anything else is typed.
struct HexTyping {
    const char* keys;
    int stored;
    const char* shown;
};

TEST_F(EditorWindowTest, HexBoxesStoreWholeBytesAndPutTheValueBackInAnEmptyBox) {
    const HexTyping cases[] = {
        {"*1", 0x1A, "1"},   {"*1B", 0x1B, "1B"}, {"*123", 0x12, "12"}, {"<<", 0x1A, ""},
        {"<<|", 0x1A, "1A"}, {"<<>", 0x1A, "1A"}, {"*5|", 0x05, "05"},  {"*C>", 0x0C, "0C"},
        {"<7", 0x17, "17"},  {"*K", 0x1A, "1A"},
    };
    load(LandmarkFileBuilder().add(makeRecord(1, 0x1A, 0x1A, 0, "Lens")).addMany(1));
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    for (const char* name : {kTypeBox, kSubTypeBox}) {
        for (const HexTyping& c : cases) {
            SCOPED_TRACE(std::string(name) + " " + c.keys);
            QLineEdit* box = edit(name);
            box->setFocus();
            box->end(false);
            for (const char* key = c.keys; *key; ++key) {
                switch (*key) {
                case '*':
                    box->selectAll();
                    break;
                case '<':
                    QTest::keyClick(box, Qt::Key_Backspace);
                    break;
                case '|':
                    QTest::keyClick(box, Qt::Key_Return);
                    break;
                case '>':
                    QTest::keyClick(box, Qt::Key_Tab);
                    break;
                default:
                    QTest::keyClick(box, *key);
                    break;
                }
            }
            const LandmarkRecord& record = set.record(0);
            EXPECT_EQ(name == std::string(kTypeBox) ? record.loFileType : record.loFileNo, c.stored);
            EXPECT_EQ(text(name), QString::fromLatin1(c.shown));
            document.setType(0, 0x1A);
            document.setSubType(0, 0x1A);
            select(1);
        }
    }
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(EditorWindowTest, SubTypeEditLeavesTheLabelUntilTheNextSelection) {
    load(LandmarkFileBuilder().add(makeRecord(1, 3, 0x13, 0, "Rail")).addMany(1));
    EXPECT_EQ(kindLabel()->text(), "Train Station");
    retype(kSubTypeBox, "14");
    EXPECT_EQ(set.record(0).loFileNo, 0x14);
    EXPECT_EQ(text(kSubTypeBox), "14") << "the box keeps the text as typed";
    EXPECT_EQ(kindLabel()->text(), "Train Station");
    EXPECT_EQ(kindColour(), QColor(255, 0, 0));
    EXPECT_TRUE(editor->isModified());

    QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    QTest::mouseClick(spinner()->downButton(), Qt::LeftButton);
    EXPECT_EQ(kindLabel()->text(), "Troops");
    EXPECT_EQ(kindColour(), QColor(128, 128, 0));
    EXPECT_EQ(text(kSubTypeBox), "14");
}

TEST_F(EditorWindowTest, AFortyCharacterNameIsShownWholeAndRenamed) {
    LandmarkRecord record = makeRecord(1, 1, 0, 0, "");
    const std::string forty = "Bois de la Caure northern trench line 40";
    ASSERT_EQ(forty.size(), 40u);
    std::copy(forty.begin(), forty.end(), record.name.begin());
    load(LandmarkFileBuilder().add(record));
    EXPECT_EQ(text(kNameBox).toStdString(), forty);

    retype(kNameBox, "Somme");
    // Five new bytes, the terminator, then the old name from its seventh byte on.
    EXPECT_EQ(nameField(set.record(0)), "Somme" + std::string(1, '\0') + forty.substr(6));
    EXPECT_EQ(text(kNameBox), "Somme");
    EXPECT_TRUE(editor->isModified());

    // Back to forty characters: the box takes no forty-first, the field has no terminator.
    retype(kNameBox, QString::fromStdString(forty + "XYZ"));
    EXPECT_EQ(text(kNameBox).toStdString(), forty);
    EXPECT_EQ(nameField(set.record(0)), forty);
    editor->refreshRecord();
    EXPECT_EQ(text(kNameBox).toStdString(), forty);
}

TEST_F(EditorWindowTest, NameBoxTakesOnlyWindows1252Characters) {
    load(LandmarkFileBuilder().add(makeRecord(1, 1, 0, 0, "Old")));
    edit(kNameBox)->selectAll();
    typeText(edit(kNameBox), QString::fromUtf8("\u0141\u00F3d\u017A \u20AC"));
    // The Polish letters outside the code page are refused; the others are stored encoded.
    EXPECT_EQ(text(kNameBox), QString::fromUtf8("\u00F3d \u20AC"));
    EXPECT_EQ(set.record(0).nameBytes(), "\xF3"
                                         "d \x80");
    // Pasting text with such a character is refused whole.
    paste(edit(kNameBox), QString::fromUtf8("Gda\u0144sk"));
    EXPECT_EQ(set.record(0).nameBytes(), "\xF3"
                                         "d \x80");
}

TEST_F(EditorWindowTest, SideChoiceStoresZeroOrOneAndTellsTheMap) {
    load(LandmarkFileBuilder().add(makeRecord(1, 1, 0, 2, "Reims")).addMany(1));
    clickItem(kSideGroup, 1);
    EXPECT_EQ(set.record(0).side, 1);
    EXPECT_EQ(map->savedMarkerColour(), kAlliedColour);
    EXPECT_TRUE(editor->isModified());
    clickItem(kSideGroup, 0);
    EXPECT_EQ(set.record(0).side, 0);
    EXPECT_EQ(map->savedMarkerColour(), kGermanColour);
    clickItem(kSideGroup, 1);
    select(2);
    select(1);
    EXPECT_EQ(group(kSideGroup)->itemIndex(), 1);
}

TEST_F(EditorWindowTest, ActiveChoiceStoresTheItemIndexForAnyTypeButSix) {
    load(LandmarkFileBuilder().add(makeRecord(1, 6, 0xAC, 0, "Off")).addMany(1));
    EXPECT_EQ(group(kActiveGroup)->itemIndex(), 1);
    clickItem(kActiveGroup, 0);
    EXPECT_EQ(set.disabledFlag(0), 1) << "type 06 is written switched off: it stays off";
    EXPECT_EQ(group(kActiveGroup)->itemIndex(), 1);
    EXPECT_EQ(editor->focusWidget(), edit(kRecordNumberBox));
    EXPECT_FALSE(editor->isModified());
    select(2);
    clickItem(kActiveGroup, 1);
    EXPECT_EQ(set.disabledFlag(1), 1);
    EXPECT_TRUE(editor->isModified());
    clickItem(kActiveGroup, 0);
    EXPECT_EQ(set.disabledFlag(1), 0);
    EXPECT_EQ(set.disabledFlag(0), 1) << "only the current record";
}

TEST_F(EditorWindowTest, ActiveChoiceLeavesFocusWhenTheNumberBoxIsDisabled) {
    load(LandmarkFileBuilder().addMany(2));
    editor->setRecordControlsEnabled(false);
    edit(kNameBox)->setFocus();
    clickItem(kActiveGroup, 1);
    EXPECT_EQ(set.disabledFlag(0), 1);
    EXPECT_NE(editor->focusWidget(), edit(kRecordNumberBox));
}

TEST_F(EditorWindowTest, SelectionFromCodeSendsNoEdit) {
    load(LandmarkFileBuilder()
             .add(makeRecord(1, 1, 0, 1, "Allied"))
             .add(makeRecord(2, 1, 0, 2, "German by two"))
             .addMany(1));
    std::array<std::uint8_t, kMaxRecords> flags{};
    flags[1] = 2;
    openProfileWith(flags);
    for (int number : {2, 1, 2, 3})
        select(number);
    EXPECT_EQ(set.record(1).side, 2);
    EXPECT_EQ(set.disabledFlag(1), 2);
    EXPECT_FALSE(editor->isModified());
}

TEST_F(EditorWindowTest, ChoosingWhatIsAlreadyChosenLeavesTheSetUnmodified) {
    load(LandmarkFileBuilder().add(makeRecord(1, 1, 0, 0, "German")).addMany(1));
    clickItem(kActiveGroup, 0); // already "Yes"
    clickItem(kSideGroup, 0);   // already "German"
    EXPECT_EQ(set.disabledFlag(0), 0);
    EXPECT_EQ(set.record(0).side, 0);
    EXPECT_FALSE(editor->isModified()) << "closing would ask about changes that were never made";
}

TEST_F(EditorWindowTest, ALongPathKeepsTheFileNameInSight) {
    load(LandmarkFileBuilder().addMany(1));
    auto* label = named<QLabel>(editor, kPathLabel);
    const QString path = QStringLiteral("/srv/game/servers/europe-west/landmark-archive/2026/november/"
                                        "operators/lndmrks3.dat");
    label->setText(path);
    EXPECT_EQ(label->text(), path) << "the label keeps the whole path";
    const QString shown = static_cast<PathLabel*>(label)->shownText();
    EXPECT_LT(shown.size(), path.size());
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/srv"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("lndmrks3.dat"))) << shown.toStdString();
}

} // namespace
} // namespace korvland::testing
