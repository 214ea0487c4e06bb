#pragma once

// What the GUI benchmarks share: the landmark files they read, kept in memory-backed /dev/shm
// where there is one so that the disk plays no part in the figures, and the program's windows.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/landmark_record.h"
#include "data/landmark_set.h"
#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "ui/common/app_context.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/map/splash_window.h"
#include "ui/start/program_windows.h"
#include "ui/start/qt_dialogs.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace korvland::bench {

inline std::filesystem::path benchFolder() {
    const std::filesystem::path shm("/dev/shm");
    return std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
}

// Writes `records` as a landmark file of 63-byte records named `name` in the bench folder.
inline std::string writeBenchFile(const std::filesystem::path& name,
                                  const std::vector<LandmarkRecord>& records) {
    const std::string path = (benchFolder() / name).string();
    replaceFileAtomically(
        path, encodeLandmarkFile(static_cast<std::uint16_t>(records.size()), kRecordFieldsSize, 0, records));
    return path;
}

// The editor window and the windows that follow the document with it, made and connected by
// start-up's own factory over one document read from `file`, with the Qt dialogs and a
// settings file of its own; the editor is shown on record 1. Destroyed in reverse order.
struct BenchWindows {
    BenchWindows(const std::string& file, const std::string& settingsName)
        : store((benchFolder() / settingsName).string()), context{document, dialogs, store, {}, {}, {}} {
        windows.create(context);
        document.read(QString::fromStdString(file));
        editor->setRecordMaximum(set.recordCount());
        editor->show();
        QApplication::processEvents();
    }
    ~BenchWindows() {
        windows.destroy();
        std::error_code ignored;
        std::filesystem::remove(store.filePath(), ignored);
    }
    BenchWindows(const BenchWindows&) = delete;
    BenchWindows& operator=(const BenchWindows&) = delete;

    LandmarkDocument document;
    const LandmarkSet& set = document.set();
    QtDialogs dialogs;
    SettingsStore store;
    AppContext context;
    ProgramWindows windows;
    std::unique_ptr<EditorWindow>& editor = windows.editor;
    std::unique_ptr<MapWindow>& map = windows.map;
    std::unique_ptr<SplashWindow>& splash = windows.splash;
    std::unique_ptr<OwnershipWindow>& ownership = windows.ownership;
    std::unique_ptr<StatusWindow>& status = windows.status;
};

} // namespace korvland::bench
