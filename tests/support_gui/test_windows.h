#pragma once

#include "app/app_context.h"
#include "app/program_windows.h"
#include "app/settings/settings_store.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "document/landmark_document.h"
#include "editor/editor_window.h"
#include "map/map_window.h"
#include "map/splash_window.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

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
    std::unique_ptr<TForm2>& editor = windows.editor;
    std::unique_ptr<TForm3>& map = windows.map;
    std::unique_ptr<TForm4>& splash = windows.splash;
    std::unique_ptr<TForm5>& ownership = windows.ownership;
    std::unique_ptr<TForm6>& status = windows.status;
};

} // namespace korvland::testing
