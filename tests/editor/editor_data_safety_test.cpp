#include "editor_commands_harness.h"
#include "support_gui/named.h"

#include "ui/common/radio_group.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

// Flows in which the editor used to lose an operator's data without a word.
class EditorDataSafetyTest : public EditorCommandsTest {
  protected:
    template <typename T = QWidget> T* control(const char* name) const { return required<T>(editor, name); }
    void clickItem(const char* groupName, int item) const {
        clickRadioItem(*control<RadioGroup>(groupName), item);
    }
    void selectRecord(int number) const {
        editor->setRecordNumber(number);
        editor->selectRecord();
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
};

TEST_F(EditorDataSafetyTest, ReplacingAnExistingFileAsksFirstAndNoReturnsToTheDialog) {
    create();
    // Flanders, then a file whose name matches no region: that file is proposed, and the
    // operator picks Flanders' file instead.
    const QString flanders = landmarkFile("lndmrks1.dat", 5);
    std::filesystem::create_directories(dir.path() / "island");
    const QString island = landmarkFile("island/island-copy.dat", 9);
    openLandmark(flanders);
    openLandmark(island);
    const auto flandersBytes = readBytes(flanders.toStdString());

    // "No" to the question returns to the dialog; cancelling it there writes nothing.
    const std::size_t firstAsked = dialogs.asked().size();
    dialogs.expectSaveFile(flanders);
    dialogs.expectQuestion(false);
    dialogs.expectSaveFile(std::nullopt);
    dialogs.expectInformation();
    trigger(kSaveLandmarkAction);
    const auto& asked = dialogs.asked();
    EXPECT_EQ(asked[firstAsked].request.proposedName, "island-copy.dat");
    EXPECT_EQ(asked[firstAsked + 1].text,
              QStringLiteral("lndmrks1.dat in %1 is not the file being edited (%2). Replace it?")
                  .arg(QString::fromStdString(dir.path().string()), island));
    EXPECT_EQ(dialogs.messages().back(), "Landmarks file not compiled.");
    EXPECT_EQ(readBytes(flanders.toStdString()), flandersBytes);

    // "Yes" replaces it.
    dialogs.expectSaveFile(flanders);
    dialogs.expectQuestion(true);
    trigger(kSaveLandmarkAction);
    EXPECT_EQ(readBytes(flanders.toStdString()), set.compiledBytes());

    // The profile's save dialog asks the same question.
    const std::string profile = dir.file("mine.lmp");
    writeBytes(profile, {1, 2, 3});
    dialogs.expectSaveFile(QString::fromStdString(profile));
    dialogs.expectQuestion(false);
    dialogs.expectSaveFile(std::nullopt);
    dialogs.expectInformation();
    trigger(kSaveProfileAction);
    EXPECT_EQ(dialogs.messages().back(), "Landmarks Profile not saved.");
    EXPECT_EQ(readBytes(profile), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(EditorDataSafetyTest, SavingKeepsTheRecordsInMemorySoReEnablingWritesWhatTheScreenShows) {
    create();
    editor->show();
    openLandmark(landmarkFile("lndmrks0.dat", 6)); // record 3 (index 2) is Supply, sub-type 02
    selectRecord(3);
    ASSERT_EQ(text(kTypeBox), "02");
    clickItem(kActiveGroup, 1); // switched off

    const std::string first = dir.file("first.dat");
    dialogs.expectSaveFile(QString::fromStdString(first));
    trigger(kSaveLandmarkAction);
    const auto firstBytes = readBytes(first);
    EXPECT_EQ(firstBytes.at(100 + 2 * 63 + 4), 6);
    EXPECT_EQ(firstBytes.at(100 + 2 * 63 + 5), 0xAC);

    // The screen and the set still tell the record's own type.
    selectRecord(1);
    selectRecord(3);
    EXPECT_EQ(text(kTypeBox), "02");
    EXPECT_EQ(text(kSubTypeBox), "02");
    EXPECT_EQ(control<QLabel>(kKindLabel)->text(), "Supply");

    // Switched on again, the record is written as shown.
    clickItem(kActiveGroup, 0);
    const std::string second = dir.file("second.dat");
    dialogs.expectSaveFile(QString::fromStdString(second));
    trigger(kSaveLandmarkAction);
    const auto secondBytes = readBytes(second);
    EXPECT_EQ(secondBytes.at(100 + 2 * 63 + 4), 2);
    EXPECT_EQ(secondBytes.at(100 + 2 * 63 + 5), 2);
    // A save with nothing switched back on writes what a single save always wrote.
    EXPECT_EQ(std::vector<std::uint8_t>(secondBytes.begin(), secondBytes.begin() + 100 + 2 * 63),
              std::vector<std::uint8_t>(firstBytes.begin(), firstBytes.begin() + 100 + 2 * 63));
}

TEST_F(EditorDataSafetyTest, BeforeTheFirstReadNothingCanBeEditedAndClosingAsksNothing) {
    create();
    editor->show();
    for (const char* name : {kNameBox, kTypeBox, kSubTypeBox, kSideGroup, kActiveGroup})
        EXPECT_FALSE(control(name)->isEnabled()) << name;

    QTest::keyClicks(control<QLineEdit>(kNameBox), "Calais");
    QTest::keyClicks(control<QLineEdit>(kTypeBox), "4");
    clickItem(kSideGroup, 1);
    clickItem(kActiveGroup, 0);
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(set.record(0).side, 0);
    EXPECT_EQ(set.disabledFlag(0), 0);

    // No question about a set that cannot be saved.
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(quitRequests, 1);

    // A failed first read leaves them disabled; a successful one enables them.
    dialogs.expectOpenFile(QString::fromStdString(dir.file("missing.dat")));
    dialogs.expectError();
    trigger(kOpenLandmarkAction);
    EXPECT_FALSE(control(kNameBox)->isEnabled());
    openLandmark(landmarkFile("lndmrks0.dat"));
    for (const char* name : {kNameBox, kTypeBox, kSubTypeBox, kSideGroup, kActiveGroup})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
}

} // namespace
} // namespace korvland::testing
