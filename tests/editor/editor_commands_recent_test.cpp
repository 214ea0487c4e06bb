#include "editor_commands_harness.h"

#include "ui/common/recent_files.h"

namespace korvland::testing {
namespace {
using namespace editor_names;

struct AddCase {
    const char* name;
    QStringList start;
    QString added;
    QStringList expected;
    Qt::CaseSensitivity fileSystem = Qt::CaseSensitive;
};

TEST(EditorCommandsRecentFiles, AddKeepsFourDistinctEntriesMostRecentFirst) {
    const AddCase cases[] = {
        {"first entry", {}, "/a/x.dat", {"/a/x.dat"}},
        {"blank ignored", {"/a/x.dat"}, "   ", {"/a/x.dat"}},
        {"empty ignored", {"/a/x.dat"}, "", {"/a/x.dat"}},
        {"new goes on top", {"/a/x.dat"}, "/a/y.dat", {"/a/y.dat", "/a/x.dat"}},
        {"fifth drops the oldest", {"/4", "/3", "/2", "/1"}, "/5", {"/5", "/4", "/3", "/2"}},
        {"same path moves up", {"/4", "/3", "/2", "/1"}, "/2", {"/2", "/4", "/3", "/1"}},
        {"other letter case keeps the stored one where case is ignored",
         {"/d/E.dat", "/d/D.dat", "/d/Lndmrks.dat"},
         "/D/LNDMRKS.DAT",
         {"/d/Lndmrks.dat", "/d/E.dat", "/d/D.dat"},
         Qt::CaseInsensitive},
        {"top stays top where case is ignored", {"/x", "/y"}, "/X", {"/x", "/y"}, Qt::CaseInsensitive},
        {"other letter case is another file where case counts",
         {"/d/E.dat", "/d/Lndmrks.dat"},
         "/d/LNDMRKS.DAT",
         {"/d/LNDMRKS.DAT", "/d/E.dat", "/d/Lndmrks.dat"}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecentFiles list(c.fileSystem);
        for (auto it = c.start.rbegin(); it != c.start.rend(); ++it)
            list.add(*it);
        ASSERT_EQ(list.entries(), c.start);
        list.add(c.added);
        EXPECT_EQ(list.entries(), c.expected);
    }
}

TEST(EditorCommandsRecentFiles, SavedListReadsBackAndAnEmptyListRemovesTheSection) {
    TempDir dir;
    SettingsStore store(dir.file("korvland.INI"));
    RecentFiles list;
    for (const char* path : {"/p/a.dat", "/p/b.dat", "/p/c.dat"})
        list.add(QString::fromLatin1(path));
    list.save(store);
    EXPECT_EQ(store.readString("Form2.MRUList", "H0", ""), "/p/c.dat");
    EXPECT_EQ(store.readString("Form2.MRUList", "H2", ""), "/p/a.dat");

    RecentFiles loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.entries(), list.entries());

    // A section that holds no list (no "H0") goes when an empty list is saved; a list
    // stored meanwhile stays (see the merge below).
    store.eraseSection("Form2.MRUList");
    store.writeString("Form2.MRUList", "H1", "/p/stray.dat");
    RecentFiles().save(store);
    EXPECT_EQ(store.readString("Form2.MRUList", "H1", "none"), "none");
    loaded.load(store);
    EXPECT_TRUE(loaded.entries().isEmpty());
}

// Two editors run at once; the other one ended first and stored its list. This one, ending
// last, puts the files it opened on top of what is stored now instead of erasing the
// other's; a name the settings file cannot keep is left out without a word.
struct MergeCase {
    const char* name;
    QStringList storedAtStart;
    QStringList openedHere;  // in the order of opening
    QStringList storedAtEnd; // by the other editor
    QStringList expected;
    Qt::CaseSensitivity fileSystem = Qt::CaseSensitive;
};

TEST(EditorCommandsRecentFiles, SavingKeepsWhatAnotherEditorStoredMeanwhile) {
    const MergeCase cases[] = {
        {"the other's files stay below this run's",
         {"/x", "/y"},
         {"/a1"},
         {"/b2", "/b1", "/x", "/y"},
         {"/a1", "/b2", "/b1", "/x"}},
        {"a stored entry opened again goes on top",
         {"/x", "/y"},
         {"/y"},
         {"/b1", "/x", "/y"},
         {"/y", "/b1", "/x"}},
        {"nothing opened keeps the other's list", {"/x"}, {}, {"/b1", "/x"}, {"/b1", "/x"}},
        {"this run's files keep their order",
         {},
         {"/a1", "/a2", "/a3"},
         {"/b1"},
         {"/a3", "/a2", "/a1", "/b1"}},
        {"more than four opened here",
         {},
         {"/a1", "/a2", "/a3", "/a4", "/a5"},
         {"/b1"},
         {"/a5", "/a4", "/a3", "/a2"}},
        {"the stored letter case where case is ignored",
         {"/d/A.dat"},
         {"/D/a.DAT"},
         {"/b.dat", "/d/A.dat"},
         {"/d/A.dat", "/b.dat"},
         Qt::CaseInsensitive},
        {"a name with a line break is left out",
         {},
         {"/x.dat", "/a\nb.dat", "/c\r.dat"},
         {"/y.dat"},
         {"/x.dat", "/y.dat"}},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        SettingsStore store(dir.file("korvland.INI"));
        const auto toStd = [](const QStringList& list) {
            std::vector<std::string> out;
            for (const QString& entry : list)
                out.push_back(entry.toStdString());
            return out;
        };
        store.writeList("Form2.MRUList", "H", 4, toStd(c.storedAtStart));
        RecentFiles list(c.fileSystem);
        list.load(store);
        for (const QString& path : c.openedHere)
            list.add(path);
        store.writeList("Form2.MRUList", "H", 4, toStd(c.storedAtEnd));
        EXPECT_NO_THROW(list.save(store));
        EXPECT_EQ(store.readList("Form2.MRUList", "H", 4), toStd(c.expected));
    }
}

TEST_F(EditorCommandsTest, OpeningFiveFilesAndOneAgainInOtherCaseOrdersTheList) {
    create();
    QStringList paths;
    for (const char* name : {"A.dat", "B.dat", "C.dat", "D.dat", "E.dat"}) {
        paths << landmarkFile(name);
        openLandmark(paths.back());
    }
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));

    // The oldest entry opened again goes back to the top.
    openLandmark(paths[1]);
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{paths[1], paths[4], paths[3], paths[2]}));
    EXPECT_EQ(openMenuCaptions(), (QStringList{"&Master", "&Profile", "&Landmark", "-", "&1 " + paths[1],
                                               "&2 " + paths[4], "&3 " + paths[3], "&4 " + paths[2]}));

    ASSERT_TRUE(editor->saveRecentFiles());
    EXPECT_EQ(store.readList("Form2.MRUList", "H", 4),
              (std::vector<std::string>{paths[1].toStdString(), paths[4].toStdString(),
                                        paths[3].toStdString(), paths[2].toStdString()}));
}

// Two names that differ in letter case are two files where the file system tells case
// apart: each keeps its own entry, and each entry opens its own file.
TEST_F(EditorCommandsTest, NamesDifferingInLetterCaseAreTwoEntriesWhereTheFileSystemTellsThemApart) {
    if (fileNameCaseSensitivity() == Qt::CaseInsensitive)
        GTEST_SKIP() << "this platform's file systems ignore letter case";
    create();
    const QString upper = landmarkFile("LNDMRKS3.MLF", 3);
    const QString lower = landmarkFile("lndmrks3.mlf", 7);
    openLandmark(upper);
    openLandmark(lower);
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{lower, upper}));

    action("MRUEntry1")->trigger();
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(labelText(kPathLabel), upper);
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{upper, lower}));
}

TEST_F(EditorCommandsTest, TheEditorStartsWithTheStoredListInItsOpenMenu) {
    store.writeString("Form2.MRUList", "H0", "/p/first.dat");
    store.writeString("Form2.MRUList", "H1", "/p/R&D/second.dat");
    create();
    EXPECT_EQ(editor->recentFiles().entries(), (QStringList{"/p/first.dat", "/p/R&D/second.dat"}));
    EXPECT_EQ(openMenuCaptions(), (QStringList{"&Master", "&Profile", "&Landmark", "-", "&1 /p/first.dat",
                                               "&2 /p/R&&D/second.dat"}));
}

TEST_F(EditorCommandsTest, AnEmptyListShowsNoSeparator) {
    create();
    EXPECT_EQ(openMenuCaptions(), (QStringList{"&Master", "&Profile", "&Landmark"}));
}

TEST_F(EditorCommandsTest, TheEditorStartsResetOnTheEmptySet) {
    create();
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_EQ(labelText(kPathLabel), "");
    EXPECT_EQ(labelText(kRecordCountLabel), "0");
    EXPECT_EQ(labelText(kRecordSizeLabel), "0");
    EXPECT_EQ(document.region(), 0);
    EXPECT_FALSE(editor->isModified());
}

} // namespace
} // namespace korvland::testing

namespace korvland::testing {
namespace {

TEST_F(EditorCommandsTest, RecentListReachesTheSettingsFileOnlyWhenTheEditorGoes) {
    create();
    const QString a = landmarkFile("lndmrks0.dat");
    const QString b = landmarkFile("lndmrks1.dat");
    openLandmark(a);
    openLandmark(b);
    EXPECT_EQ(store.readString("Form2.MRUList", "H0", "none"), "none");

    editor.reset();
    EXPECT_EQ(store.readList("Form2.MRUList", "H", 4),
              (std::vector<std::string>{b.toStdString(), a.toStdString()}));
}

} // namespace
} // namespace korvland::testing
