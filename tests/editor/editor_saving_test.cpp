#include "editor_commands_harness.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

// The landmarks folder is "lm", which always holds lndmrks3.dat; files are read from there
// or from "other". In the texts, {lm} is the landmarks folder and {read} the file read.
struct DestinationCase {
    const char* read;
    const char* proposed; // the folder and name the save dialog offers
    const char* chosen;   // where the operator saves
    const char* question; // asked before replacing; none where the file is new
};

const DestinationCase kDestinations[] = {
    {"lm/lndmrks3.dat", "lm/lndmrks3.dat", "lm/lndmrks3.dat",
     "lndmrks3.dat already exists.\nDo you want to replace it?"},
    {"other/lndmrks3.dat", "other/lndmrks3.dat", "other/lndmrks3.dat",
     "lndmrks3.dat already exists.\nDo you want to replace it?"},
    {"other/LNDMRKS3.MLF", "other/lndmrks3.dat", "other/lndmrks3.dat", nullptr},
    {"other/island.dat", "other/island.dat", "other/island.dat",
     "island.dat already exists.\nDo you want to replace it?"},
    {"other/lndmrks3.dat", "other/lndmrks3.dat", "lm/lndmrks3.dat",
     "lndmrks3.dat in {lm} is not the file being edited ({read}). Replace it?"},
};

TEST_F(EditorCommandsTest, SaveLandmarkProposesTheFileReadAndSaysWhenAnotherWouldBeReplaced) {
    const QString root = QString::fromStdString(dir.path().string()) + QLatin1Char('/');
    context.landmarksFolder = root + QStringLiteral("lm");
    create();
    for (const DestinationCase& c : kDestinations) {
        SCOPED_TRACE(c.read);
        std::filesystem::remove_all(dir.path() / "other");
        std::filesystem::create_directories(dir.path() / "other");
        std::filesystem::create_directories(dir.path() / "lm");
        const QString landmarks = landmarkFile("lm/lndmrks3.dat", 4);
        const QString read = landmarkFile(c.read, 3);
        const auto landmarksBytes = readBytes(landmarks.toStdString());
        dialogs.expectOpenFile(read);
        if (editor->isModified())
            dialogs.expectSaveChoice(SaveChoice::Discard);
        trigger(kOpenLandmarkAction);
        switchOffFirst();

        const QString chosen = root + QLatin1String(c.chosen);
        dialogs.expectSaveFile(chosen);
        if (c.question)
            dialogs.expectQuestion(true);
        trigger(kSaveLandmarkAction);
        const FileDialogRequest& request =
            dialogs.asked()[dialogs.asked().size() - (c.question ? 2 : 1)].request;
        EXPECT_EQ(request.initialFolder + QLatin1Char('/') + request.proposedName,
                  root + QLatin1String(c.proposed));
        if (c.question) {
            EXPECT_EQ(dialogs.last().text, QString::fromLatin1(c.question)
                                               .replace(QStringLiteral("{lm}"), context.landmarksFolder)
                                               .replace(QStringLiteral("{read}"), read));
        }
        EXPECT_EQ(readBytes(chosen.toStdString()), set.compiledBytes());
        EXPECT_FALSE(editor->isModified());
        if (chosen != landmarks) {
            EXPECT_EQ(readBytes(landmarks.toStdString()), landmarksBytes);
        }
    }
}

// Closing the editor or opening lndmrks1.dat from the recent files over an unsaved edit of
// lndmrks0.dat.
struct LeavingCase {
    const char* what;
    bool quitting;
    SaveChoice choice;
    bool saved; // after Save: the save dialog names a file (else it is cancelled)
    bool goesOn;
};

const LeavingCase kLeavings[] = {
    {"quit, cancel", true, SaveChoice::Cancel, false, false},
    {"quit, discard", true, SaveChoice::Discard, false, true},
    {"quit, save", true, SaveChoice::Save, true, true},
    {"quit, save dialog cancelled", true, SaveChoice::Save, false, false},
    {"open, cancel", false, SaveChoice::Cancel, false, false},
    {"open, discard", false, SaveChoice::Discard, false, true},
    {"open, save", false, SaveChoice::Save, true, true},
    {"open, save dialog cancelled", false, SaveChoice::Save, false, false},
};

TEST_F(EditorCommandsTest, TheQuestionBeforeChangesAreLostNamesTheFileAndSavesDiscardsOrCancels) {
    create();
    editor->show();
    const QString other = landmarkFile("lndmrks1.dat", 8);
    const QString saved = QString::fromStdString(dir.file("saved.dat"));
    for (const LeavingCase& c : kLeavings) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(saved.toStdString());
        const int quits = quitRequests;
        for (const QString& path : {other, landmarkFile("lndmrks0.dat", 3)}) {
            dialogs.expectOpenFile(path);
            if (editor->isModified())
                dialogs.expectSaveChoice(SaveChoice::Discard);
            trigger(kOpenLandmarkAction);
        }
        switchOffFirst();
        EXPECT_EQ(editor->windowTitle().toStdString(), "lndmrks0.dat[*] - KORV TLQ Landmarks Editor");
        EXPECT_TRUE(editor->isWindowModified());

        dialogs.expectSaveChoice(c.choice);
        if (c.choice == SaveChoice::Save) {
            dialogs.expectSaveFile(c.saved ? std::optional(saved) : std::nullopt);
            if (!c.saved)
                dialogs.expectInformation();
        }
        if (c.quitting)
            EXPECT_EQ(editor->close(), c.goesOn);
        else
            trigger("MRUEntry1");
        const std::size_t after = c.choice != SaveChoice::Save ? 1 : c.saved ? 2 : 3;
        EXPECT_EQ(dialogs.asked()[dialogs.asked().size() - after].text,
                  c.quitting
                      ? "1 change not saved. Save the change to lndmrks0.dat before quitting?"
                      : "1 change not saved. Save the change to lndmrks0.dat before opening lndmrks1.dat?");
        EXPECT_EQ(quitRequests - quits, c.quitting && c.goesOn ? 1 : 0);
        EXPECT_EQ(set.recordCount(), !c.quitting && c.goesOn ? 8 : 3);
        EXPECT_EQ(std::filesystem::exists(saved.toStdString()), c.saved);
        EXPECT_EQ(editor->isWindowModified(), c.quitting ? !c.saved : !c.goesOn);
        editor->show();
    }

    // A close that arrives while the question is up waits for its answer, then asks again.
    dialogs.expectSaveChoice(SaveChoice::Cancel, [this] {
        QCloseEvent second;
        QCoreApplication::sendEvent(editor.get(), &second);
        EXPECT_FALSE(second.isAccepted());
    });
    EXPECT_FALSE(editor->close());
    dialogs.expectSaveChoice(SaveChoice::Discard);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.allAnswered());
}

} // namespace
} // namespace korvland::testing
