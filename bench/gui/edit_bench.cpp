// Edits of many landmarks at once with the windows following them: switching off 1024
// selected records in one step through the document, and undoing that step, with the map and
// both tables shown. Timed up to the repaint requests the windows make; the painting itself
// runs untimed between the iterations. Runs the real windows on the offscreen platform.
#include "data/landmark_file.h"

#include "bench_support.h"

#include <QApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

// 1024 switched-on records of every kind but the disabled one, both sides, over a map larger
// than the window.
std::string writeFile() {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 5);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 45.0f + static_cast<float>(i % 32) * 0.25f;
        r.eastWest = 2.0f + static_cast<float>(i / 32) * 0.25f;
        const std::string name = "Landmark number " + std::to_string(i);
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-edit-bench-" + std::to_string(::getpid()) + ".dat", records);
}

// The editor, the map, the status table and the ownership table shown and painted, every
// record selected.
struct EditWindows : BenchWindows {
    EditWindows() : BenchWindows(writeFile(), "korvland-edit-bench-" + std::to_string(::getpid()) + ".INI") {
        map->show();
        QApplication::processEvents();
        status->fillAndShow();
        ownership->showOnCommand();
        document.selectAll();
        QApplication::processEvents();
    }
    ~EditWindows() { std::remove(set.landmarkPath().c_str()); }
};

void BM_BulkSwitchOff1024(benchmark::State& state) {
    EditWindows windows;
    QUndoStack& history = *windows.document.undoStack();
    for (auto _ : state) {
        const LandmarkDocument::BulkEdit edit = windows.document.switchOffSelection();
        benchmark::DoNotOptimize(edit);
        state.PauseTiming();
        if (edit.changed != static_cast<int>(kMaxRecords))
            state.SkipWithError("not every record was switched off");
        QApplication::processEvents();
        history.undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_BulkSwitchOff1024)->Unit(benchmark::kMillisecond);

void BM_Undo1024(benchmark::State& state) {
    EditWindows windows;
    QUndoStack& history = *windows.document.undoStack();
    windows.document.switchOffSelection();
    QApplication::processEvents();
    for (auto _ : state) {
        history.undo();
        state.PauseTiming();
        if (!windows.document.isActive(0))
            state.SkipWithError("the undo switched nothing back on");
        QApplication::processEvents();
        history.redo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_Undo1024)->Unit(benchmark::kMillisecond);

} // namespace
