#include "editor_commands_harness.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

using Kind = ScriptedDialogs::Kind;

TEST_F(EditorCommandsTest, OpenLandmarkAsksInTheLandmarksFolderAndResetsTheEditor) {
    create();
    const QString path = landmarkFile("lndmrks2.dat", 5, 80);
    openLandmark(path);

    const FileDialogRequest& asked = dialogs.asked().back().request;
    EXPECT_TRUE(asked.title.isEmpty());
    EXPECT_EQ(asked.filter, "Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*");
    EXPECT_EQ(asked.defaultSuffix, "dat");
    EXPECT_EQ(asked.initialFolder, context.landmarksFolder);
    EXPECT_FALSE(asked.readOnlyOption);

    EXPECT_EQ(set.recordCount(), 5);
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(labelText(kPathLabel), path);
    EXPECT_EQ(labelText(kRecordCountLabel), "5");
    EXPECT_EQ(labelText(kRecordSizeLabel), "80");
    EXPECT_EQ(document.region(), 2);
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Verdun Region");
    EXPECT_EQ(document.proposedSaveName(), "lndmrks2.dat");
    EXPECT_EQ(editor->recentFiles().entries(), QStringList{path});
    EXPECT_FALSE(editor->isModified());
    EXPECT_EQ(quitRequests, 0);
}

TEST_F(EditorCommandsTest, ReadingTheSameFileAgainStartsAtRecordOne) {
    create();
    const QString path = landmarkFile("lndmrks1.dat", 8);
    openLandmark(path);
    EXPECT_EQ(editor->recordMaximum(), 8);
    editor->setRecordNumber(6);
    editor->selectRecord();
    ASSERT_EQ(set.currentIndex(), 5);

    action("MRUEntry0")->trigger();
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(set.currentIndex(), 0);
    EXPECT_EQ(editor->recordMaximum(), 8);

    openLandmark(landmarkFile("lndmrks2.dat", 3));
    EXPECT_EQ(editor->recordMaximum(), 3);
}

TEST_F(EditorCommandsTest, EveryOpenDialogStartsInTheFolderOfThatMoment) {
    create();
    const QString path = landmarkFile("a.dat");
    openLandmark(path);
    context.landmarksFolder = QStringLiteral("/somewhere/else");
    dialogs.expectOpenFile(std::nullopt);
    trigger(kOpenMasterAction);
    dialogs.expectOpenFile(std::nullopt);
    trigger(kOpenProfileAction);
    ASSERT_EQ(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[1].request.initialFolder, "/somewhere/else");
    EXPECT_EQ(dialogs.asked()[2].request.initialFolder, "/somewhere/else");
}

TEST_F(EditorCommandsTest, MasterCopyInAnyFolderAndLetterCaseSetsTheRegion) {
    create();
    std::filesystem::create_directories(dir.path() / "Masters");
    const QString path = landmarkFile("Masters/LNDMRKS3.MLF", 4);
    dialogs.expectOpenFile(path);
    trigger(kOpenMasterAction);

    const FileDialogRequest& asked = dialogs.asked().back().request;
    EXPECT_EQ(asked.title, "Choose A Masterflie to Open");
    EXPECT_EQ(asked.filter, "Master Landmarks File|*.mlf");
    EXPECT_EQ(asked.defaultSuffix, "mlf");
    EXPECT_TRUE(asked.readOnlyOption);
    EXPECT_EQ(asked.initialFolder, context.landmarksFolder);

    EXPECT_EQ(set.recordCount(), 4);
    EXPECT_EQ(set.currentFileName(), "lndmrks3.mlf");
    EXPECT_EQ(document.region(), 3);
    EXPECT_EQ(map->windowTitle(), "Map of Alsace Region[*]");
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Alsace Region");
    EXPECT_EQ(document.proposedSaveName(), "lndmrks3.dat");
    EXPECT_EQ(editor->recentFiles().entries(), QStringList{path});
}

struct RegionCase {
    const char* fileName;
    int region;
    const char* caption;
    const char* line;
};

TEST_F(EditorCommandsTest, RegionTextsFollowTheExactFileName) {
    create();
    const RegionCase matching[] = {
        {"lndmrks0.dat", 0, "Map of Marne Region", "Landmarks of the Marne Region"},
        {"lndmrks1.dat", 1, "Map of Flanders Region", "Landmarks of the Flanders Region"},
        {"lndmrks2.mlf", 2, "Map of Verdun Region", "Landmarks of the Verdun Region"},
        {"LNDMRKS3.DAT", 3, "Map of Alsace Region", "Landmarks of the Alsace Region"},
        {"Lndmrks4.Mlf", 4, "Map of Island Region", "Landmarks of the Island Region"},
    };
    for (const RegionCase& c : matching) {
        SCOPED_TRACE(c.fileName);
        openLandmark(landmarkFile(c.fileName));
        EXPECT_EQ(document.region(), c.region);
        EXPECT_EQ(map->windowTitle(), QString::fromLatin1(c.caption) + "[*]");
        EXPECT_EQ(labelText(kRegionLine), c.line);
        EXPECT_EQ(document.proposedSaveName(), QStringLiteral("lndmrks%1.dat").arg(c.region));
    }

    // Names that match nothing keep the region and texts of the last match (Island), while
    // a save goes back to the file that was read.
    std::filesystem::create_directories(dir.path() / "lndmrks0.mlf");
    const char* other[] = {"lndmrks5.dat", "lndmrks2.dat.bak", "xlndmrks1.dat",         "lndmrks1.txt",
                           "lndmrks.dat",  "lndmrks12.dat",    "lndmrks0.mlf/plain.dat"};
    for (const char* name : other) {
        SCOPED_TRACE(name);
        openLandmark(landmarkFile(name));
        EXPECT_EQ(set.recordCount(), 3);
        EXPECT_EQ(document.region(), 4);
        EXPECT_EQ(map->windowTitle(), "Map of Island Region[*]");
        EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Island Region");
        const QFileInfo read(QString::fromStdString((dir.path() / name).string()));
        EXPECT_EQ(document.proposedSaveName(), read.fileName());
        EXPECT_EQ(document.proposedSaveFolder(), read.absolutePath());
    }
}

TEST_F(EditorCommandsTest, ANameMatchingNothingAtStartKeepsTheStartingState) {
    create();
    const QString mapCaption = map->windowTitle();
    const QString line = labelText(kRegionLine);
    openLandmark(landmarkFile("Custom.DAT"));
    EXPECT_EQ(set.currentFileName(), "custom.dat");
    EXPECT_EQ(document.region(), 0);
    EXPECT_EQ(map->windowTitle(), mapCaption);
    EXPECT_EQ(labelText(kRegionLine), line);
    EXPECT_EQ(document.proposedSaveName(), "Custom.DAT");
}

TEST_F(EditorCommandsTest, ProfileLoadsItsLandmarkFileAndFlagsButNotTheRecentList) {
    const QString landmarks = landmarkFile("lndmrks4.dat", 6);
    const std::string profilePath = dir.file("choice.lmp");
    {
        LandmarkSet other;
        other.read(landmarks.toStdString());
        other.setDisabled(2, 1);
        other.setDisabled(5, 1);
        other.saveProfile(profilePath);
    }
    create();
    dialogs.expectOpenFile(QString::fromStdString(profilePath));
    trigger(kOpenProfileAction);

    const FileDialogRequest& asked = dialogs.asked().back().request;
    EXPECT_EQ(asked.title, "Open a Landmarks Profile");
    EXPECT_EQ(asked.filter, "Landmark Profile|*.lmp");
    EXPECT_EQ(asked.defaultSuffix, "lmp");
    EXPECT_EQ(asked.initialFolder, context.landmarksFolder);

    EXPECT_EQ(set.recordCount(), 6);
    EXPECT_EQ(set.disabledFlag(2), 1);
    EXPECT_EQ(set.disabledFlag(5), 1);
    EXPECT_EQ(set.disabledFlag(1), 0);
    EXPECT_EQ(document.region(), 4);
    EXPECT_EQ(labelText(kPathLabel), landmarks);
    EXPECT_EQ(labelText(kRecordCountLabel), "6");
    EXPECT_TRUE(editor->recentFiles().entries().isEmpty());
    EXPECT_TRUE(action(kMapAction)->isEnabled());
}

TEST_F(EditorCommandsTest, RecentEntryOpensItsFileAndMovesToTheTop) {
    create();
    const QString a = landmarkFile("lndmrks0.dat", 3);
    const QString b = landmarkFile("lndmrks1.dat", 7);
    openLandmark(a);
    openLandmark(b);
    ASSERT_EQ(editor->recentFiles().entries(), (QStringList{b, a}));

    QAction* entryA = action("MRUEntry1");
    ASSERT_NE(entryA, nullptr);
    EXPECT_EQ(entryA->text(), "&2 " + a);
    entryA->trigger();

    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(document.region(), 0);
    EXPECT_EQ(labelText(kPathLabel), a);
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{a, b}));
    EXPECT_EQ(openMenuCaptions(),
              (QStringList{"&Master", "&Profile", "&Landmark", "-", "&1 " + a, "&2 " + b}));
}

TEST_F(EditorCommandsTest, RecentEntryWhoseFileHasGoneOffersItsRemovalAndStaysOnNo) {
    create();
    const QString a = landmarkFile("lndmrks0.dat", 3);
    const QString b = landmarkFile("lndmrks1.dat", 7);
    openLandmark(a);
    openLandmark(b);
    std::filesystem::remove(a.toStdString());

    dialogs.expectQuestion(false);
    action("MRUEntry1")->trigger();

    EXPECT_EQ(dialogs.last().text, a + " is no longer there. Remove it from the recent files?");
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{b, a}));
    EXPECT_EQ(set.recordCount(), 7);
    EXPECT_EQ(labelText(kPathLabel), b);
    EXPECT_EQ(document.region(), 1);
}

TEST_F(EditorCommandsTest, FailedReadShowsTheErrorAndKeepsEverything) {
    create();
    const QString good = landmarkFile("lndmrks1.dat", 4);
    openLandmark(good);
    LandmarkFileBuilder truncated;
    truncated.addMany(10).truncateTo(100 + 63 * 5 + 20);
    const QString bad = QString::fromStdString(truncated.writeTo(dir.path() / "lndmrks2.dat"));

    dialogs.expectOpenFile(bad);
    dialogs.expectError();
    trigger(kOpenLandmarkAction);
    EXPECT_EQ(dialogs.messages().back(), "Read beyond end of file.\n" + bad);

    EXPECT_EQ(set.recordCount(), 4);
    EXPECT_EQ(labelText(kPathLabel), good);
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Flanders Region");
    EXPECT_EQ(document.region(), 1);
    EXPECT_EQ(editor->recentFiles().entries(), QStringList{good});
}

TEST_F(EditorCommandsTest, FailedFirstReadLeavesTheCommandsOfALoadedSetDisabled) {
    create();
    EXPECT_FALSE(action(kMapAction)->isEnabled());
    EXPECT_FALSE(action(kSaveProfileAction)->isEnabled());
    EXPECT_FALSE(action(kSaveLandmarkAction)->isEnabled());
    EXPECT_TRUE(action(kDataAction)->isEnabled());

    dialogs.expectOpenFile(QString::fromStdString(dir.file("missing.dat")));
    dialogs.expectError();
    trigger(kOpenLandmarkAction);
    EXPECT_EQ(dialogs.messages().back(),
              "File not found.\n" + QString::fromStdString(dir.file("missing.dat")));
    EXPECT_FALSE(action(kMapAction)->isEnabled());
    EXPECT_FALSE(action(kSaveProfileAction)->isEnabled());
    EXPECT_FALSE(action(kSaveLandmarkAction)->isEnabled());
    EXPECT_TRUE(editor->recentFiles().entries().isEmpty());

    openLandmark(landmarkFile("lndmrks0.dat"));
    EXPECT_TRUE(action(kMapAction)->isEnabled());
    EXPECT_TRUE(action(kSaveProfileAction)->isEnabled());
    EXPECT_TRUE(action(kSaveLandmarkAction)->isEnabled());
}

TEST_F(EditorCommandsTest, CancelledOpenDialogsChangeNothingAndKeepTheProgramRunning) {
    create();
    const QString path = landmarkFile("lndmrks2.dat", 5);
    openLandmark(path);
    for (const char* command : {kOpenLandmarkAction, kOpenMasterAction, kOpenProfileAction}) {
        SCOPED_TRACE(command);
        dialogs.expectOpenFile(std::nullopt);
        trigger(command);
        EXPECT_EQ(quitRequests, 0);
        EXPECT_EQ(set.recordCount(), 5);
        EXPECT_EQ(set.landmarkPath(), path.toStdString());
        EXPECT_EQ(editor->recentFiles().entries(), QStringList{path});
        EXPECT_TRUE(action(kMapAction)->isEnabled());
    }
}

TEST_F(EditorCommandsTest, ReadingHidesTheMapAndTables) {
    create();
    openLandmark(landmarkFile("lndmrks0.dat"));
    map->show();
    ownership->show();
    status->show();
    openLandmark(landmarkFile("lndmrks1.dat"));
    EXPECT_FALSE(map->isVisible());
    EXPECT_FALSE(ownership->isVisible());
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(map->mapShown(), 0);
}

} // namespace
} // namespace korvland::testing
