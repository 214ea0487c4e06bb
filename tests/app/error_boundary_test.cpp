#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/start/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace korvland {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;

// A folder chooser that breaks the way only a programming error would.
class BrokenChooser : public ScriptedDialogs {
  public:
    std::optional<QString> chooseFolder(QWidget*, const QString&) override {
        throw std::out_of_range("index 7 of 4");
    }
};

// An operator-facing failure is shown where it happens; a programming error is not dressed
// up as one, but leaves the command for the test (or the program) to fail loudly.
TEST(ErrorBoundary, ACommandReportsUserErrorsAndLetsProgrammingErrorsThrough) {
    TempDir dir;
    const std::string settings = dir.file("korvland.INI");
    const std::string text = "[settings]\nstartdir=/x\n";
    testing::writeBytes(settings, std::vector<std::uint8_t>(text.begin(), text.end()));
    {
        BrokenChooser dialogs;
        Startup startup(dialogs, settings);
        EXPECT_THROW(startup.windows().editor->changeFolderCommand(), std::out_of_range);
        EXPECT_TRUE(dialogs.asked().empty())
            << "shown as a message: " << dialogs.messages().join('|').toStdString();
    }
    {
        // The settings file turned into a folder: "Change Folder" cannot store the choice.
        ScriptedDialogs dialogs;
        Startup startup(dialogs, settings);
        std::filesystem::remove(settings);
        std::filesystem::create_directory(settings);
        dialogs.expectChooseFolder(QStringLiteral("/srv/land"));
        dialogs.expectError();
        EXPECT_NO_THROW(startup.windows().editor->changeFolderCommand());
        EXPECT_EQ(dialogs.messages(),
                  QStringList{QString::fromStdString("Unable to write to " + settings + ".")});
        std::filesystem::remove(settings);
    }
}

} // namespace
} // namespace korvland
