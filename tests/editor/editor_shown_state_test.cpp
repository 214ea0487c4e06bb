#include "editor_commands_harness.h"
#include "support_gui/named.h"

#include "ui/common/radio_group.h"
#include "ui/common/record_format.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

// What the editor shows is what the file will hold: nothing named before a file is read, a
// type-06 landmark as switched off, a hexadecimal byte in capitals, a profile named after its
// landmark file, and a recent file that is gone as gone.
TEST_F(EditorCommandsTest, TheEditorShowsWhatTheFileWillHold) {
    create();
    editor->show();
    EXPECT_EQ(labelText(kKindLabel), "");
    const QString path = landmarkFile("lndmrks0.dat", 3);
    openLandmark(path);
    EXPECT_EQ(labelText(kKindLabel), "Airfield");

    auto* active = named<RadioGroup>(editor, kActiveGroup);
    auto* type = named<QLineEdit>(editor, kTypeBox);
    type->selectAll();
    QTest::keyClicks(type, "06");
    EXPECT_EQ(active->itemIndex(), 1);
    EXPECT_EQ(labelText(kNoticePanel), typeSixStaysOffNotice());
    active->button(0)->click(); // "Yes" is refused as well
    EXPECT_EQ(active->itemIndex(), 1);

    auto* subType = named<QLineEdit>(editor, kSubTypeBox);
    subType->setFocus();
    subType->selectAll();
    QTest::keyClicks(subType, "ab");
    emit subType->editingFinished();
    EXPECT_EQ(subType->text(), "AB");

    dialogs.expectSaveFile(std::nullopt);
    dialogs.expectInformation();
    trigger(kSaveProfileAction);
    EXPECT_EQ(dialogs.asked()[dialogs.asked().size() - 2].request.proposedName, "lndmrks0.lmp");

    std::filesystem::remove(path.toStdString());
    dialogs.expectQuestion(true);
    trigger("MRUEntry0");
    EXPECT_EQ(dialogs.last().text, path + " is no longer there. Remove it from the recent files?");
    EXPECT_EQ(openMenuCaptions(), (QStringList{"&Master", "&Profile", "&Landmark"}));
    EXPECT_TRUE(editor->saveRecentFiles());
    EXPECT_TRUE(store.readList("Form2.MRUList", "H", 4).empty());
}

} // namespace
} // namespace korvland::testing
