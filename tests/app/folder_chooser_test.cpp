#include "support/fixture_builder.h"
#include "support_gui/named.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/start/folder_chooser.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace korvland {
namespace {

using testing::named;

using testing::ScriptedDialogs;
using testing::TempDir;

class FolderChooserTest : public testing::ScriptedDialogsTest<> {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "Games" / "Land");
        std::filesystem::create_directories(dir.path() / "alpha");
        testing::writeBytes(dir.path() / "file.dat", {1, 2, 3});
    }

    QString root() const { return QString::fromStdString(dir.path().string()); }
    QStringList listed(FolderChooser& chooser) const {
        QStringList names;
        auto* list = named<QListWidget>(&chooser, folder_chooser_names::kList);
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    QString pathLine(FolderChooser& chooser) const {
        return named<QLabel>(&chooser, folder_chooser_names::kPathLine)->text();
    }

    TempDir dir;
};

TEST_F(FolderChooserTest, ListsFoldersAndMovesThroughThem) {
    FolderChooser chooser(dialogs, nullptr, root());
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Choose Landmarks Files Location"));
    EXPECT_EQ(listed(chooser), (QStringList{"..", "alpha", "Games"}))
        << "folders only, any letter case order";
    EXPECT_EQ(pathLine(chooser), root());
    EXPECT_EQ(chooser.result(), root());

    auto* list = named<QListWidget>(&chooser, folder_chooser_names::kList);
    list->setCurrentRow(2);
    EXPECT_EQ(pathLine(chooser), root() + QStringLiteral("/Games")) << "the line follows the selection";
    EXPECT_EQ(chooser.result(), root() + QStringLiteral("/Games"));
    emit list->itemActivated(list->item(2));
    EXPECT_EQ(chooser.currentFolder(), root() + QStringLiteral("/Games"));
    EXPECT_EQ(listed(chooser), (QStringList{"..", "Land"}));
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(chooser.currentFolder(), root());

    chooser.enterFolder(QStringLiteral("/"));
    EXPECT_FALSE(listed(chooser).contains(QStringLiteral(".."))) << "nothing above the root";
    EXPECT_EQ(chooser.result(), QStringLiteral("/"));
}

TEST_F(FolderChooserTest, ReturnOnAListedFolderMovesIntoItWithoutConfirming) {
    FolderChooser chooser(dialogs, nullptr, root() + QStringLiteral("/Games"));
    chooser.show();
    auto* list = named<QListWidget>(&chooser, folder_chooser_names::kList);
    list->setFocus();
    list->setCurrentRow(0); // ".."
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(chooser.isVisible()) << "the folder just left must not be confirmed";
    EXPECT_EQ(chooser.currentFolder(), root());

    // With no folder picked in the list, Return confirms the folder shown.
    list->setCurrentItem(nullptr);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.QDialog::result(), QDialog::Accepted);
    EXPECT_EQ(chooser.result(), root());
}

// As opened, no row is chosen: Return goes to the default button "OK", also while the list
// has the keyboard focus (which gives its first row a focus frame without choosing it).
TEST_F(FolderChooserTest, ReturnRightAfterOpeningConfirmsTheStartingFolder) {
    FolderChooser chooser(dialogs, nullptr, root() + QStringLiteral("/Games"));
    chooser.show();
    chooser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
    auto* list = named<QListWidget>(&chooser, folder_chooser_names::kList);
    list->setFocus();
    EXPECT_TRUE(list->selectedItems().isEmpty());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.QDialog::result(), QDialog::Accepted);
    EXPECT_EQ(chooser.result(), root() + QStringLiteral("/Games"));

    // A row the user moved to with the keys is entered by Return.
    FolderChooser again(dialogs, nullptr, root());
    again.show();
    again.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
    auto* rows = named<QListWidget>(&again, folder_chooser_names::kList);
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Down); // "alpha", after ".."
    QTest::keyClick(rows, Qt::Key_Return);
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(again.currentFolder(), root() + QStringLiteral("/alpha"));
}

TEST_F(FolderChooserTest, StartsInTheWorkingFolderWhenGivenNoneOrAMissingOne) {
    for (const QString& start : {QString(), root() + QStringLiteral("/gone")}) {
        FolderChooser chooser(dialogs, nullptr, start);
        EXPECT_EQ(chooser.currentFolder(), QDir::currentPath()) << start.toStdString();
    }
}

TEST_F(FolderChooserTest, NewFolderIsCreatedInsideAndEntered) {
    FolderChooser chooser(dialogs, nullptr, root());
    dialogs.expectPrompt(QStringLiteral("  Maps "));
    named<QPushButton>(&chooser, folder_chooser_names::kNewFolder)->click();
    EXPECT_EQ(dialogs.last().title, QStringLiteral("New Folder"));
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Name: (") + shortenedFolder(root()) + QLatin1Char(')'));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Maps"));
    EXPECT_EQ(chooser.result(), root() + QStringLiteral("/Maps"));
}

TEST_F(FolderChooserTest, NewFolderWithBlankOrCancelledAnswerDoesNothing) {
    FolderChooser chooser(dialogs, nullptr, root());
    for (const std::optional<QString>& answer :
         {std::optional<QString>(), std::optional(QString()), std::optional(QStringLiteral(" \t "))}) {
        dialogs.expectPrompt(answer);
        chooser.newFolderClick();
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
    EXPECT_EQ(chooser.currentFolder(), root());
}

TEST_F(FolderChooserTest, NewFolderThatCannotBeMadeShowsTheWarning) {
    FolderChooser chooser(dialogs, nullptr, root());
    // Already there, a file in the way, a path leading elsewhere, a parent that is missing.
    for (const char* name : {"alpha", "file.dat", "../escape", "no/such"}) {
        dialogs.expectPrompt(QString::fromUtf8(name));
        dialogs.expectWarning();
        chooser.newFolderClick();
        EXPECT_EQ(dialogs.last().text, QStringLiteral("IO-Error!\nCould not create folder.")) << name;
        EXPECT_EQ(chooser.currentFolder(), root());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "escape"));
}

TEST_F(FolderChooserTest, PathLineShowsMarkupLikeNamesAsTheyStand) {
    std::filesystem::create_directories(dir.path() / "<i>maps");
    FolderChooser chooser(dialogs, nullptr, root() + QStringLiteral("/<i>maps"));
    auto* line = named<QLabel>(&chooser, folder_chooser_names::kPathLine);
    EXPECT_EQ(line->text(), root() + QStringLiteral("/<i>maps"));
    // Taken for markup, "<i>" would vanish and the rest be set in italics.
    EXPECT_EQ(line->textFormat(), Qt::PlainText);
    EXPECT_EQ(chooser.result(), root() + QStringLiteral("/<i>maps"));
}

TEST(FolderChooserResult, KeepsLetterCaseWhereItCountsAndDropsTheClosingSeparator) {
    struct Case {
        const char* folder;
        bool caseSensitive;
        const char* result;
    } const cases[] = {
        {"/Games/Land", true, "/Games/Land"},        {"/Games/Land/", true, "/Games/Land"},
        {"/Games/./x/../Land", true, "/Games/Land"}, {"/", true, "/"},
        {"/Games/Land", false, "/GAMES/LAND"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooserResult(QString::fromUtf8(c.folder), c.caseSensitive).toStdString(), c.result)
            << c.folder;
}

TEST(FolderChooserPrompt, ShortensLongFoldersTo36CharactersKeepingTheEnd) {
    const QString exact(36, QLatin1Char('x'));
    EXPECT_EQ(shortenedFolder(exact), exact);
    const QString longer = QStringLiteral("/home/operator/games/servers/landmarks/Flanders");
    const QString shortened = shortenedFolder(longer);
    EXPECT_EQ(shortened.size(), 36);
    EXPECT_TRUE(longer.endsWith(shortened.mid(3)));
}

TEST_F(FolderChooserTest, RenderForInspection) {
    const QByteArray out = qgetenv("KORVLAND_SNAPSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "set KORVLAND_SNAPSHOT_DIR to write the picture";
    FolderChooser chooser(dialogs, nullptr, root());
    chooser.show();
    EXPECT_TRUE(chooser.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/folder_chooser.png")));
}

} // namespace
} // namespace korvland
