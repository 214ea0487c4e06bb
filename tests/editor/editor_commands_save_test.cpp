#include "document/recovery_keeper.h"
#include "editor_commands_harness.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

using Kind = ScriptedDialogs::Kind;

TEST_F(EditorCommandsTest, SavedLandmarkFileEqualsWhatTheSetWritesForTheSameSteps) {
    create();
    const QString source = landmarkFile("lndmrks3.dat", 6, 80);
    openLandmark(source);
    document.setActive(1, false);
    document.setActive(4, false);

    const std::string written = dir.file("out/compiled.dat");
    std::filesystem::create_directories(dir.path() / "out");
    dialogs.expectSaveFile(QString::fromStdString(written));
    trigger(kSaveLandmarkAction);

    const FileDialogRequest& asked = dialogs.asked().back().request;
    EXPECT_EQ(asked.title, "Save Compiled Landmark File");
    EXPECT_EQ(asked.filter, "All Landmarks Files|*.dat");
    EXPECT_EQ(asked.defaultSuffix, "dat");
    EXPECT_EQ(asked.proposedName, "lndmrks3.dat");
    EXPECT_EQ(asked.initialFolder, context.landmarksFolder);

    LandmarkSet reference;
    reference.read(source.toStdString());
    reference.setDisabled(1, 1);
    reference.setDisabled(4, 1);
    reference.writeLandmarkFile(dir.file("reference.dat"));
    EXPECT_EQ(readBytes(written), readBytes(dir.file("reference.dat")));
    EXPECT_FALSE(editor->isModified());
    // The file written is the one being edited from now on.
    EXPECT_EQ(document.filePath(), QString::fromStdString(written));
    EXPECT_TRUE(editor->windowTitle().startsWith(QStringLiteral("compiled.dat[*] - ")))
        << editor->windowTitle().toStdString();
}

TEST_F(EditorCommandsTest, SavedProfileEqualsWhatTheSetWritesForTheSameSteps) {
    create();
    const QString source = landmarkFile("lndmrks0.dat", 9);
    openLandmark(source);
    document.setActive(7, false);

    const std::string written = dir.file("mine.lmp");
    dialogs.expectSaveFile(QString::fromStdString(written));
    trigger(kSaveProfileAction);

    const FileDialogRequest& asked = dialogs.asked().back().request;
    EXPECT_EQ(asked.title, "Save Landmark Profile");
    EXPECT_EQ(asked.filter, "Landmarks Profiles|*.lmp");
    EXPECT_EQ(asked.defaultSuffix, "lmp");
    EXPECT_EQ(asked.initialFolder, context.landmarksFolder);

    LandmarkSet reference;
    reference.read(source.toStdString());
    reference.setDisabled(7, 1);
    reference.saveProfile(dir.file("reference.lmp"));
    EXPECT_EQ(readBytes(written), readBytes(dir.file("reference.lmp")));
    EXPECT_EQ(readBytes(written).size(), 1154u);
    // A profile keeps the choice, not the landmark file: the edits are still unsaved.
    EXPECT_TRUE(editor->isModified());
}

TEST_F(EditorCommandsTest, SaveIntoAMissingFolderIsReported) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    for (const char* command : {kSaveLandmarkAction, kSaveProfileAction}) {
        SCOPED_TRACE(command);
        dialogs.expectSaveFile(QString::fromStdString(dir.file("no-such-folder/x.dat")));
        dialogs.expectError();
        trigger(command);
        // The message, then the file it is about on a line of its own.
        const QStringList lines = dialogs.messages().back().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_FALSE(lines[0].isEmpty());
        EXPECT_EQ(lines[0], errorBoxText(lines[0]));
        EXPECT_EQ(lines[1], QString::fromStdString(dir.file("no-such-folder/x.dat")));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "no-such-folder"));
    }
}

struct CancelCase {
    const char* command;
    const char* message;
};

TEST_F(EditorCommandsTest, CancelledSaveDialogsExplainThemselvesAndAFolderCancelSaysNothing) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    const CancelCase cases[] = {
        {kSaveProfileAction, "Landmarks Profile not saved."},
        {kSaveLandmarkAction, "Landmarks file not compiled."},
        {kChangeFolderAction, nullptr}, // the folder stays set: nothing to say
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.command);
        const auto shown = dialogs.messages().size();
        if (QLatin1String(c.command) == QLatin1String(kChangeFolderAction))
            dialogs.expectChooseFolder(std::nullopt);
        else
            dialogs.expectSaveFile(std::nullopt);
        if (c.message)
            dialogs.expectInformation();
        trigger(c.command);
        EXPECT_EQ(dialogs.messages().size(), shown + (c.message ? 1 : 0));
        if (c.message) {
            EXPECT_EQ(dialogs.messages().back(), c.message);
        }
        EXPECT_EQ(quitRequests, 0);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before);
}

TEST_F(EditorCommandsTest, ChangeFolderStoresTheChoiceAndUsesItForTheNextDialog) {
    create();
    const QString chosen = QString::fromStdString((dir.path() / "landmarks").string());
    dialogs.expectChooseFolder(chosen);
    trigger(kChangeFolderAction);
    EXPECT_EQ(dialogs.asked().back().text, QString::fromStdString(dir.path().string()));
    EXPECT_EQ(store.readString("settings", "startdir", ""), chosen.toStdString());
    EXPECT_EQ(context.landmarksFolder, chosen);

    dialogs.expectOpenFile(std::nullopt);
    trigger(kOpenLandmarkAction);
    EXPECT_EQ(dialogs.asked().back().request.initialFolder, chosen);
}

// A cancel keeps the folder in use and the settings file as they are, whatever the file
// names (the folder in use may differ from it, or the file name none).
TEST_F(EditorCommandsTest, CancelledChangeFolderChangesNothing) {
    create();
    for (const char* stored : {"/srv/landmarks", ""}) {
        SCOPED_TRACE(stored);
        store.writeString("settings", "startdir", stored);
        dialogs.expectChooseFolder(std::nullopt);
        const QString before = context.landmarksFolder;
        trigger(kChangeFolderAction);
        EXPECT_EQ(context.landmarksFolder, before);
        EXPECT_NE(context.landmarksFolder, QDir::homePath());
        EXPECT_EQ(store.readString("settings", "startdir", "?"), stored);
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(EditorCommandsTest, AboutBoxIsModalWithItsTexts) {
    create();
    QStringList texts;
    bool modal = false;
    dialogs.expectExec(QDialog::Accepted, [&](QDialog& d) {
        modal = d.isModal();
        for (QLabel* label : d.findChildren<QLabel*>())
            texts << label->text();
    });
    trigger(kAboutAction);
    EXPECT_EQ(dialogs.asked().back().title, "About the Landmarks Editor");
    EXPECT_TRUE(modal);
    EXPECT_TRUE(texts.contains("KORV TLQ Landmarks Editor"));
    EXPECT_TRUE(texts.contains("A program to modify KORV Landmark files for TLQ Play."));
    EXPECT_TRUE(texts.contains("Version 3.2"));
    // The box names where the operator's guide is.
    EXPECT_TRUE(texts.last().endsWith("/guide/index.html")) << texts.last().toStdString();
    EXPECT_EQ(texts.size(), 5);
}

TEST_F(EditorCommandsTest, MapCommandShowsSplashAndMapAndWaitsForTheMapToClose) {
    create();
    EXPECT_FALSE(action(kMapAction)->isEnabled());
    openLandmark(landmarkFile("lndmrks1.dat"));
    ASSERT_TRUE(action(kMapAction)->isEnabled());

    trigger(kMapAction);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->windowTitle(), "Map of Flanders Region[*]");
    EXPECT_FALSE(action(kMapAction)->isEnabled());

    map->close();
    EXPECT_TRUE(action(kMapAction)->isEnabled());
}

TEST_F(EditorCommandsTest, DataShowsTheOwnershipTable) {
    create();
    trigger(kDataAction);
    EXPECT_TRUE(ownership->isVisible());
}

// --- unsaved changes ------------------------------------------------------------------

TEST_F(EditorCommandsTest, ClosingWithoutChangesQuitsWithoutAQuestion) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    editor->show();
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(EditorCommandsTest, ClosingWithChangesAsksFirst) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    switchOffFirst();
    editor->show();

    dialogs.expectSaveChoice(SaveChoice::Cancel);
    EXPECT_FALSE(editor->close());
    EXPECT_EQ(dialogs.asked().back().text,
              "1 change not saved. Save the change to lndmrks0.dat before quitting?");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(quitRequests, 0);

    // Work no recovery copy keeps (its folder cannot be made under a file) is lost unless saved.
    document.keepRecoveryCopies(landmarkFile("lndmrks1.dat") + QStringLiteral("/kept"));
    document.recoveryKeeper()->writeNow();
    dialogs.expectSaveChoice(SaveChoice::Cancel);
    EXPECT_FALSE(editor->close());
    EXPECT_TRUE(dialogs.asked().back().text.startsWith("Unsaved work cannot be kept for recovery: "));
    dialogs.expectSaveChoice(SaveChoice::Discard);
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(EditorCommandsTest, OpeningOverChangesAsksBeforeEveryOpen) {
    create();
    const QString first = landmarkFile("lndmrks0.dat", 3);
    const QString second = landmarkFile("lndmrks1.dat", 8);
    openLandmark(first);
    openLandmark(second);
    switchOffFirst();

    // The question names the file chosen; "Cancel" keeps the edits: no read.
    for (const char* command : {kOpenLandmarkAction, kOpenMasterAction, kOpenProfileAction, "MRUEntry1"}) {
        SCOPED_TRACE(command);
        if (QString::fromLatin1(command) != "MRUEntry1")
            dialogs.expectOpenFile(first);
        dialogs.expectSaveChoice(SaveChoice::Cancel);
        trigger(command);
        EXPECT_EQ(dialogs.asked().back().text,
                  "1 change not saved. Save the change to lndmrks1.dat before opening lndmrks0.dat?");
        EXPECT_EQ(set.recordCount(), 8);
        EXPECT_TRUE(editor->isModified());
    }

    // A cancelled open dialog asks nothing and keeps the edits.
    dialogs.expectOpenFile(std::nullopt);
    trigger(kOpenLandmarkAction);
    EXPECT_TRUE(editor->isModified());

    // A successful open starts clean.
    dialogs.expectOpenFile(first);
    dialogs.expectSaveChoice(SaveChoice::Discard);
    trigger(kOpenLandmarkAction);
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_FALSE(editor->isModified());
    openLandmark(second); // no question now
}

TEST_F(EditorCommandsTest, FailedOpenKeepsTheSetModified) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    switchOffFirst();
    dialogs.expectOpenFile(QString::fromStdString(dir.file("gone.dat")));
    dialogs.expectSaveChoice(SaveChoice::Discard);
    dialogs.expectError();
    trigger(kOpenLandmarkAction);
    EXPECT_TRUE(editor->isModified());
}

} // namespace
} // namespace korvland::testing
