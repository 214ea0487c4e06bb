#pragma once

#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/common/app_context.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/map/splash_window.h"
#include "ui/start/program_windows.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace korvland::testing {

// The editor window and the windows that follow the document with it, made and connected
// by start-up's own factory over one document, scripted dialogs and a settings file in a
// fresh temporary folder, and destroyed in reverse order. Fixtures derive from it to reach
// the parts by name.
class TestWindows {
  public:
    TestWindows() { context.landmarksFolder = QString::fromStdString(dir.path().string()); }
    ~TestWindows() { destroyWindows(); }

    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

    void createWindows() { windows.create(context); }
    void destroyWindows() { windows.destroy(); }

    // Lays `flags` over the open file as opening a profile does (a flag of 2 comes only from
    // a profile).
    void openProfileWith(const std::array<std::uint8_t, kMaxRecords>& flags) {
        ProfileContents profile;
        const std::string path = set.landmarkPath();
        std::copy(path.begin(), path.end(), profile.landmarkPath.begin());
        profile.profileCount = set.recordCount();
        profile.disabledFlags = flags;
        const std::filesystem::path file = dir.path() / "flags.lmp";
        writeBytes(file, encodeProfile(profile));
        document.openProfile(QString::fromStdString(file.string()));
    }

    TempDir dir;
    LandmarkDocument document;
    // The document's set, for reading; changes go through the document.
    const LandmarkSet& set = document.set();
    ScriptedDialogs dialogs;
    SettingsStore store{dir.file("korvland.INI")};
    AppContext context{document, dialogs, store, {}, {}, {}};
    ProgramWindows windows;
    std::unique_ptr<EditorWindow>& editor = windows.editor;
    std::unique_ptr<MapWindow>& map = windows.map;
    std::unique_ptr<SplashWindow>& splash = windows.splash;
    std::unique_ptr<OwnershipWindow>& ownership = windows.ownership;
    std::unique_ptr<StatusWindow>& status = windows.status;
};

// A test over the windows: by its end every dialog it scripted was asked for.
template <typename Base = ::testing::Test> class WindowsTest : public Base, protected TestWindows {
  protected:
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswered()) << "a scripted dialog was never shown"; }
};

} // namespace korvland::testing
