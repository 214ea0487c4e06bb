#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/start/command_line.h"
#include "ui/start/settings_location.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace korvland {
namespace {
using namespace editor_names;

using testing::LandmarkFileBuilder;
using testing::qstr;
using testing::ScriptedDialogs;
using testing::TempDir;

// --- the command line ------------------------------------------------------------------

struct ParseCase {
    const char* name;
    QStringList arguments; // after the program name
    int exitCode;          // -1: the program goes on
    QString file;          // relative to the working folder
    QString message;       // part of what is printed
};

TEST(CommandLine, ArgumentsNameOneFileByItsFullPathOrAreRefused) {
    const SettingsLocation settings{QStringLiteral("/opt/korv/bin/korvland.INI"), true};
    const QString here = QDir::currentPath();
    const std::vector<ParseCase> cases{
        {"no argument", {}, -1, {}, {}},
        {"relative file", {"demo/lndmrks0.dat"}, -1, "demo/lndmrks0.dat", {}},
        {"file URL from a file manager", {"file:///srv/land/Lndmrks1.DAT"}, -1, "/srv/land/Lndmrks1.DAT", {}},
        {"after --", {"--", "-odd.mlf"}, -1, "-odd.mlf", {}},
        {"two files", {"a.dat", "b.dat"}, 2, {}, "Only one file can be opened at a time."},
        {"unknown option", {"--bogus"}, 2, {}, "Unknown option 'bogus'."},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        QString printed;
        QTextStream err(&printed);
        const CommandLine command = readCommandLine(QStringList{"korvland"} + c.arguments, settings, err);
        if (c.exitCode < 0) {
            EXPECT_FALSE(command.exitCode.has_value());
            EXPECT_EQ(command.file, c.file.isEmpty() ? QString() : QDir(here).absoluteFilePath(c.file));
            EXPECT_TRUE(printed.isEmpty());
        } else {
            EXPECT_EQ(command.exitCode, c.exitCode);
            EXPECT_TRUE(command.file.isEmpty());
            EXPECT_TRUE(printed.contains(c.message)) << printed.toStdString();
            EXPECT_TRUE(printed.contains("korvland --help")) << printed.toStdString();
        }
    }
}

TEST(CommandLine, HelpAndVersionAnswerAndNameTheSettingsFile) {
    const SettingsLocation settings{QStringLiteral("/home/op/.config/korvland/korvland.INI"), false};
    QString printed;
    QTextStream out(&printed);
    EXPECT_EQ(answerInformationRequest({"/usr/bin/korvland", "--help"}, settings, out), 0);
    EXPECT_TRUE(printed.contains(" [options] [FILE]")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Settings file: /home/op/.config/korvland/korvland.INI"));
    EXPECT_TRUE(printed.contains("configuration folder"));

    printed.clear();
    EXPECT_EQ(answerInformationRequest({"korvland", "some.dat", "--version"}, settings, out), 0);
    EXPECT_TRUE(printed.startsWith("korvland ") && printed.endsWith("\n")) << printed.toStdString();

    printed.clear();
    // Anything else, the toolkit's own options among them, is for the application to take.
    EXPECT_EQ(answerInformationRequest({"korvland", "-platform", "offscreen", "some.dat"}, settings, out),
              std::nullopt);
    EXPECT_TRUE(printed.isEmpty());
}

// --- where the settings file lives -------------------------------------------------------

TEST(SettingsLocation, BesideAWritableProgramOrAnExistingFileElseInTheConfigurationFolder) {
    TempDir dir;
    const QString config = qstr(dir.file("config"));
    const QString portable = qstr(dir.file("portable"));
    std::filesystem::create_directory(portable.toStdString());
    const QString installed = qstr(dir.file("no-such-folder/bin"));

    EXPECT_EQ(chooseSettingsLocation(portable, config).path, portable + "/korvland.INI");
    EXPECT_TRUE(chooseSettingsLocation(portable, config).besideProgram);
    EXPECT_EQ(chooseSettingsLocation(installed, config).path, config + "/korvland/korvland.INI");
    EXPECT_FALSE(chooseSettingsLocation(installed, config).besideProgram);

    // An installed program keeps out of its bin folder even where it may write there (root and
    // /usr/bin, a user and ~/.local/bin), unless a settings file was put there on purpose.
    const QString installedBin = qstr(dir.file("prefix/bin"));
    std::filesystem::create_directories(dir.file("prefix/bin"));
    std::filesystem::create_directories(dir.file("prefix/share/applications"));
    std::ofstream(dir.file("prefix/share/applications/io.github.korvland.korvland.desktop"))
        << "[Desktop Entry]\n";
    EXPECT_EQ(chooseSettingsLocation(installedBin, config).path, config + "/korvland/korvland.INI");
    std::ofstream(dir.file("prefix/bin/korvland.INI")) << "[settings]\n";
    EXPECT_EQ(chooseSettingsLocation(installedBin, config).path, installedBin + "/korvland.INI");

    // A read-only folder that already holds the file keeps using it, as a portable copy did.
    const QString readOnly = qstr(dir.file("read-only"));
    std::filesystem::create_directory(readOnly.toStdString());
    std::ofstream(dir.file("read-only/korvland.INI")) << "[settings]\n";
    std::filesystem::permissions(readOnly.toStdString(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(chooseSettingsLocation(readOnly, config).path, readOnly + "/korvland.INI");
    std::filesystem::remove(dir.file("read-only/korvland.INI"));
    if (::geteuid() != 0) { // root may write any folder
        EXPECT_EQ(chooseSettingsLocation(readOnly, config).path, config + "/korvland/korvland.INI");
    }
    std::filesystem::permissions(readOnly.toStdString(), std::filesystem::perms::owner_all);
}

// --- a file named on the command line ------------------------------------------------------

class OpenOnHandOverTest : public testing::ScriptedDialogsTest<> {
  protected:
    void SetUp() override {
        std::ofstream(settings) << "[settings]\nstartdir=" << dir.path().string() << "\n";
        startup = std::make_unique<Startup>(dialogs, settings);
        startup->context().requestQuit = [this] { quitRequested = true; };
    }

    EditorWindow* editor() const { return startup->windows().editor.get(); }
    QString label(const char* name) const { return editor()->findChild<QLabel*>(name)->text(); }

    // Starts as the program does with `file` on its command line; the user presses the start
    // button, and the file opens once the editor has been shown.
    void startWith(const QString& file) {
        openOnHandOver(editor(), file);
        startup->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(startup->context().document.set().recordCount(), 0) << "nothing opens before the hand-over";
        EXPECT_TRUE(dialogs.asked().empty());
        QTest::mouseClick(startup->welcome()->startButton(), Qt::LeftButton);
        QTest::qWait(50);
    }

    TempDir dir;
    std::string settings = dir.file("korvland.INI");
    std::unique_ptr<Startup> startup;
    bool quitRequested = false;
};

TEST_F(OpenOnHandOverTest, LandmarkFileOpensAsOpenLandmarkOpensIt) {
    const QString path = qstr(LandmarkFileBuilder().addMany(7).writeTo(dir.file("LNDMRKS3.MLF")));
    startWith(path);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(label(kPathLabel), path);
    EXPECT_EQ(label(kRecordCountLabel), QStringLiteral("7"));
    EXPECT_EQ(label(kRegionLine), QStringLiteral("Landmarks of the Alsace Region"));
    EXPECT_EQ(editor()->recordNumber(), 1);
    EXPECT_EQ(editor()->recentFiles().entries().value(0), path) << "goes to the top of the recent files";
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(OpenOnHandOverTest, ProfileOpensAsOpenProfileOpensIt) {
    const std::string landmarks = LandmarkFileBuilder().addMany(4).writeTo(dir.file("lndmrks1.dat"));
    LandmarkSet other;
    other.read(landmarks);
    other.setDisabled(2, 1);
    other.saveProfile(dir.file("evening.LMP"));

    startWith(qstr(dir.file("evening.LMP")));
    EXPECT_EQ(label(kPathLabel), qstr(landmarks)) << "the landmark file the profile names";
    EXPECT_EQ(startup->context().document.set().recordCount(), 4);
    EXPECT_EQ(startup->context().document.set().disabledFlag(2), 1);
    EXPECT_TRUE(editor()->recentFiles().entries().isEmpty()) << "a profile is no recent landmark file";
}

TEST_F(OpenOnHandOverTest, UnreadableFileShowsTheReadErrorAndTheEditorGoesOn) {
    dialogs.expectError();
    startWith(qstr(dir.file("lndmrks9.dat")));
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("File not found.\n") + qstr(dir.file("lndmrks9.dat"))});
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(label(kPathLabel).isEmpty());
    EXPECT_TRUE(editor()->recentFiles().entries().isEmpty());

    // The program goes on: the menu's open still works.
    const QString good = qstr(LandmarkFileBuilder().addMany(3).writeTo(dir.file("lndmrks0.dat")));
    dialogs.expectOpenFile(good);
    editor()->openLandmarkCommand();
    EXPECT_EQ(label(kPathLabel), good);
}

} // namespace
} // namespace korvland
