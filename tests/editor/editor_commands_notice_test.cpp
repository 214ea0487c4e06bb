#include "editor_commands_harness.h"
#include "support_gui/named.h"

#include "support_gui/render_keep.h"
#include "ui/editor/path_label.h"

#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <vector>

namespace korvland::testing {
namespace {
using namespace editor_names;

// Files opened one after the other (a folder below the test folder, or none), and what
// "Save Landmark" then proposes: a file name and a folder (empty: the landmarks folder),
// with the location line the editor shows.
struct ProposalCase {
    std::vector<std::pair<const char*, const char*>> opened;
    const char* name;
    const char* folder;
    const char* location;
};

// Each case in a run of its own: the document remembers the region of every file read.
class SaveProposalTest : public EditorCommandsTest, public ::testing::WithParamInterface<ProposalCase> {};

TEST_P(SaveProposalTest, SaveProposesTheRegionsFileOrElseTheFileTheDataCameFrom) {
    const ProposalCase& c = GetParam();
    create();
    for (const auto& [folder, name] : c.opened) {
        std::filesystem::create_directories(dir.path() / folder);
        openLandmark(landmarkFile(*folder ? std::string(folder) + "/" + name : std::string(name)));
    }
    dialogs.expectSaveFile(std::nullopt);
    dialogs.expectInformation();
    trigger(kSaveLandmarkAction);
    const FileDialogRequest& asked = dialogs.asked().at(dialogs.asked().size() - 2).request;
    EXPECT_EQ(asked.proposedName, c.name);
    EXPECT_EQ(asked.initialFolder,
              *c.folder ? QString::fromStdString((dir.path() / c.folder).string()) : context.landmarksFolder);
    EXPECT_EQ(labelText(kRegionLine), c.location) << "the region stays as it was";
}

INSTANTIATE_TEST_SUITE_P(
    OpenedFiles, SaveProposalTest,
    ::testing::Values(ProposalCase{{{"", "lndmrks2.dat"}, {"copies", "alsace-copy.dat"}},
                                   "alsace-copy.dat",
                                   "copies",
                                   "Landmarks of the Verdun Region"},
                      ProposalCase{{{"copies", "Alsace-Copy.DAT"}}, "Alsace-Copy.DAT", "copies", ""},
                      // Outside the landmarks folder: beside the master copy.
                      ProposalCase{{{"copies", "alsace-copy.dat"}, {"masters", "LNDMRKS3.MLF"}},
                                   "lndmrks3.dat",
                                   "masters",
                                   "Landmarks of the Alsace Region"},
                      ProposalCase{{{"", "lndmrks1.dat"}, {"copies", "lndmrks5.dat"}},
                                   "lndmrks5.dat",
                                   "copies",
                                   "Landmarks of the Flanders Region"}));

// What a save leaves in the notice panel, until the next edit.
struct SavedCase {
    const char* command;
    int records;
    std::vector<std::size_t> switchedOff;
    const char* fileName;
    const char* notice;
};

TEST_F(EditorCommandsTest, SaveTellsWhatWasWrittenUntilTheNextEditOrRead) {
    const SavedCase cases[] = {
        {kSaveLandmarkAction, 5, {1, 3}, "out.dat", "Saved out.dat: 5 landmarks, 2 switched off."},
        {kSaveProfileAction, 1, {}, "mine.lmp", "Saved mine.lmp: 1 landmark, 0 switched off."},
        {kSaveProfileAction,
         4,
         {0, 1, 2, 3},
         "all off.lmp",
         "Saved all off.lmp: 4 landmarks, 4 switched off."},
        // A file name is no pattern: its "%2" is not where the count goes.
        {kSaveLandmarkAction, 3, {0}, "v%2.dat", "Saved v%2.dat: 3 landmarks, 1 switched off."},
    };
    create();
    editor->show();
    const QString standing = labelText(kNoticePanel);
    for (const SavedCase& c : cases) {
        SCOPED_TRACE(c.notice);
        openLandmark(landmarkFile("lndmrks1.dat", c.records));
        EXPECT_EQ(named<QLabel>(editor, kPathLabel)->toolTip(),
                  QString::fromStdString(dir.file("lndmrks1.dat")))
            << "the whole path is one hover away";
        for (std::size_t index : c.switchedOff)
            document.setActive(static_cast<int>(index), false);
        dialogs.expectSaveFile(QString::fromStdString(dir.file(c.fileName)));
        trigger(c.command);
        EXPECT_EQ(labelText(kNoticePanel), c.notice);
        EXPECT_EQ(named<PathLabel>(editor, kNoticePanel)->shownText(), c.notice)
            << "the whole line is in sight";
        keep(editor->grab(), "editor_saved.png");

        // A cancelled save and a selection leave it; an edit takes it away.
        dialogs.expectSaveFile(std::nullopt);
        dialogs.expectInformation();
        trigger(c.command);
        editor->selectRecord();
        EXPECT_EQ(labelText(kNoticePanel), c.notice);
        QTest::keyClicks(named<QLineEdit>(editor, kNameBox), "x");
        EXPECT_EQ(labelText(kNoticePanel), standing);

        // So does the next read, of a file the line is not about.
        dialogs.expectSaveFile(QString::fromStdString(dir.file(c.fileName)));
        dialogs.expectQuestion(true); // replace the file saved before
        trigger(c.command);
        const bool unsaved = editor->isModified(); // a profile keeps the edits unsaved
        dialogs.expectOpenFile(landmarkFile("lndmrks2.dat"));
        if (unsaved)
            dialogs.expectSaveChoice(SaveChoice::Discard);
        trigger(kOpenLandmarkAction);
        EXPECT_EQ(labelText(kNoticePanel), standing);
    }
}

} // namespace
} // namespace korvland::testing
