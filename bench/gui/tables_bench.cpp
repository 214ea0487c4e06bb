// The status table's filling: the editor's "Table" button on a 1024-record set, the rows
// made and laid out in their three columns and the window painted once. Runs the real
// windows on the offscreen platform.
#include "app/app_context.h"
#include "app/qt_dialogs.h"
#include "app/settings/settings_store.h"
#include "data/landmark_file.h"
#include "data/landmark_set.h"
#include "editor/editor_window.h"
#include "tables/status_window.h"

#include "bench_files.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

// A file of 1024 records with long names, both sides and some switched off.
std::string writeFile() {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.side = static_cast<std::uint8_t>(i % 3);
        const std::string name = "Landmark number " + std::to_string(i) + " near the front line";
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-tables-bench-" + std::to_string(::getpid()) + ".dat", records);
}

// The editor and the status table over a loaded 1024-record set.
struct Windows {
    Windows()
        : store((benchFolder() / ("korvland-tables-bench-" + std::to_string(::getpid()) + ".INI")).string()),
          context{set, dialogs, store, {}, 0, {}, {}} {
        editor = std::make_unique<TForm2>(context);
        context.windows.editor = editor.get();
        status = std::make_unique<TForm6>(context);
        context.windows.status = status.get();
        const std::string file = writeFile();
        set.korvfileread(file);
        std::filesystem::remove(file);
        editor->setRecordMaximum(kMaxRecords);
        editor->show();
        QApplication::processEvents();
    }
    ~Windows() {
        status.reset();
        editor.reset();
        context.windows = {};
        std::error_code ignored;
        std::filesystem::remove(store.filePath(), ignored);
    }

    LandmarkSet set;
    QtDialogs dialogs;
    SettingsStore store;
    AppContext context;
    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm6> status;
};

void BM_StatusFill1024(benchmark::State& state) {
    Windows windows;
    for (auto _ : state) {
        windows.status->Button1Click();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_StatusFill1024)->Unit(benchmark::kMillisecond);

} // namespace
