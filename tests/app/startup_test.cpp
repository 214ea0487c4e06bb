#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/named.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/common/dialogs.h"
#include "ui/common/hint_presenter.h"
#include "ui/common/program_icon.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/map/splash_window.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <QHelpEvent>

#include <gtest/gtest.h>

#include <filesystem>

namespace korvland {
namespace {
using namespace editor_names;
using testing::named;

using testing::ScriptedDialogs;
using testing::TempDir;

std::string textOf(const std::string& path) {
    const auto bytes = testing::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    testing::writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

class StartupTest : public testing::ScriptedDialogsTest<> {
  protected:
    TempDir dir;
    std::string settings = dir.file("korvland.INI");
};

TEST_F(StartupTest, FirstStartAsksForTheFolderAndStoresItAsChosen) {
    // A settings file without the key, and one whose key is empty, both count as a first start.
    for (const char* before : {"", "[Settings]\nStartDir=\n"}) {
        if (*before)
            writeText(settings, before);
        const QString chosen = QString::fromStdString(dir.file("Games/Land"));
        dialogs.expectChooseFolder(chosen);
        Startup startup(dialogs, settings);
        EXPECT_EQ(dialogs.asked().back().text, QDir::currentPath())
            << "the chooser starts in the working folder";
        EXPECT_EQ(SettingsStore(settings).readString("settings", "startdir", ""), chosen.toStdString());
        EXPECT_EQ(startup.context().landmarksFolder, chosen) << "letter case kept";
        std::filesystem::remove(settings);
    }
}

TEST_F(StartupTest, StoredFolderIsUsedWithoutAskingOrWriting) {
    writeText(settings, "[settings]\nstartdir=/no/such/Folder\n");
    Startup startup(dialogs, settings);
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(startup.context().landmarksFolder, QStringLiteral("/no/such/Folder"));
    EXPECT_EQ(textOf(settings), "[settings]\nstartdir=/no/such/Folder\n");
}

TEST_F(StartupTest, CancelledChooserLeavesHomeFolderAndWritesNothing) {
    dialogs.expectChooseFolder(std::nullopt);
    dialogs.expectInformation();
    Startup startup(dialogs, settings);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Landmarks folder not set.")});
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Information"));
    EXPECT_EQ(startup.context().landmarksFolder, QDir::homePath());
    EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(StartupTest, UnwritableSettingsFileReportsAndLeavesFolderEmpty) {
    const std::string unwritable = dir.file("missing/korvland.INI");
    const QString message = QString::fromStdString("Unable to write to " + unwritable + ".");
    dialogs.expectChooseFolder(QStringLiteral("/srv/land"));
    dialogs.expectError();
    // At the end the placements of the status table, ownership table and map window, then
    // the editor's recent-files list all fail the same way: that is said once.
    dialogs.expectError();
    {
        Startup startup(dialogs, unwritable);
        EXPECT_EQ(dialogs.messages(), QStringList{message});
        EXPECT_EQ(dialogs.last().title, QStringLiteral("KORV TLQ Landmarks Editor"));
        EXPECT_TRUE(startup.context().landmarksFolder.isEmpty());
        ASSERT_NE(startup.windows().status.get(), nullptr) << "start-up goes on";
    }
    EXPECT_EQ(dialogs.messages(), (QStringList{message, message}));
}

TEST_F(StartupTest, AnOversizedSettingsFileIsReportedOnceAndLeftAsItIs) {
    const std::string text = "[settings]\nstartdir=/kept\n;" + std::string(std::size_t{3} << 20, 'x') + "\n";
    writeText(settings, text);
    dialogs.expectError();
    {
        Startup startup(dialogs, settings);
        EXPECT_EQ(startup.context().landmarksFolder, QDir::homePath());
        startup.show();
        startup.welcome()->startButton()->click();
        startup.windows().editor->close();
    }
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().front().startsWith(
        QString::fromStdString("The settings file " + settings + " is larger than 1 MiB")));
    EXPECT_TRUE(textOf(settings) == text) << "the file was changed";
}

TEST_F(StartupTest, WindowsAreCreatedInOrderAndDestroyedInReverseEachHiddenFirst) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    QStringList events;
    QStringList titles;
    auto observer = [&](Startup::Event event, QWidget* window) {
        if (event == Startup::Event::Created) {
            events << QStringLiteral("+") + window->objectName();
            titles << applicationTitle();
        } else {
            events << QStringLiteral("-") + window->objectName();
            EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
        }
    };
    {
        Startup startup(dialogs, settings, observer);
        const ProgramWindows& w = startup.windows();
        const QList<QWidget*> all{startup.welcome(), w.editor.get(),    w.map.get(),
                                  w.splash.get(),    w.ownership.get(), w.status.get()};
        for (QWidget* window : all) {
            ASSERT_NE(window, nullptr);
            EXPECT_FALSE(window->isVisible()) << "nothing shows before the event loop";
        }
        startup.show();
        EXPECT_TRUE(startup.welcome()->isVisible());
        for (QWidget* window : all)
            window->show();
    }
    EXPECT_EQ(events, (QStringList{"+Form1", "+Form2", "+Form3", "+Form4", "+Form5", "+Form6", "-Form6",
                                   "-Form5", "-Form4", "-Form3", "-Form2", "-Form1"}));
    // Every message box, from the first window on, carries the program's one name.
    for (const QString& title : titles)
        EXPECT_EQ(title, QStringLiteral("KORV TLQ Landmarks Editor"));
}

TEST_F(StartupTest, StartButtonHandsOverToTheEditorForGood) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    Startup startup(dialogs, settings);
    startup.show();
    startup.welcome()->startButton()->click();
    EXPECT_FALSE(startup.welcome()->isVisible());
    EXPECT_TRUE(startup.windows().editor->isVisible());
    // The record stepper and number box wait for a file.
    for (const char* name : {kRecordStepper, kRecordNumberBox}) {
        if (auto* control = startup.windows().editor->findChild<QWidget*>(QLatin1String(name))) {
            EXPECT_FALSE(control->isEnabled()) << name;
        }
    }
}

TEST_F(StartupTest, ClosingTheWelcomeWindowEndsTheProgram) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    Startup startup(dialogs, settings);
    int quits = 0;
    startup.context().requestQuit = [&] { ++quits; };
    startup.show();
    EXPECT_TRUE(startup.welcome()->close());
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed()) << "only the named requests end the program";
}

TEST_F(StartupTest, AnEndRequestStopsTheEventLoop) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    Startup startup(dialogs, settings);
    startup.show();
    QTimer::singleShot(0, startup.welcome(), [&] { startup.welcome()->close(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(startup.welcome()->isVisible());
}

TEST_F(StartupTest, EveryWindowCarriesTheProgramIcon) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    Startup startup(dialogs, settings);
    const ProgramWindows& w = startup.windows();
    const auto imageOf = [](const QIcon& icon) {
        return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(imageOf(QApplication::windowIcon()), programIconImage());
    for (QWidget* window : QList<QWidget*>{startup.welcome(), w.editor.get(), w.map.get(), w.splash.get(),
                                           w.ownership.get(), w.status.get()})
        EXPECT_EQ(imageOf(window->windowIcon()), programIconImage()) << window->objectName().toStdString();
}

TEST_F(StartupTest, HintPresenterTakesThePlatformToolTipsPlaceOnce) {
    writeText(settings, "[settings]\nstartdir=/x\n");
    HintPresenter* presenter = nullptr;
    {
        Startup startup(dialogs, settings);
        presenter = HintPresenter::instance();
        ASSERT_NE(presenter, nullptr);
        EXPECT_EQ(presenter->style(), kNormalHintStyle);

        QWidget* label = named<QWidget>(startup.windows().editor, kPathLabel);
        ASSERT_NE(label, nullptr);
        label->setToolTip(QStringLiteral("a hint"));
        QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &hover);
        EXPECT_FALSE(QToolTip::isVisible());
    }
    Startup again(dialogs, settings);
    EXPECT_EQ(HintPresenter::instance(), presenter) << "one presenter for the life of the program";
}

TEST(ProgramIcon, Is32By32InSixteenColours) {
    const QImage icon = programIconImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(icon.pixel(x, y)) == 255)
                colours.insert(icon.pixel(x, y));
    EXPECT_LE(colours.size(), 16);
    EXPECT_GE(colours.size(), 4) << "drawn, not blank";
}

} // namespace
} // namespace korvland
