// Selecting a record in the editor window, the way the map and the status table do it
// (set the record number, run selectRecord: display refresh, then the map and
// ownership hooks), and stepping through a whole file with the spinner's arrow, on a
// file of up to 1024 records. Runs the real window on the offscreen platform.
#include "data/landmark_file.h"
#include "ui/common/up_down.h"

#include "bench_support.h"

#include <QApplication>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

// A landmark file of `count` records of every kind, with long names and wide coordinates.
std::string writeFile(std::uint16_t count) {
    std::vector<LandmarkRecord> records(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 3);
        r.northSouth = 48.5f + static_cast<float>(i) * 0.001f;
        r.eastWest = -123456.789f + static_cast<float>(i);
        r.elevation = static_cast<float>(i) * 3.25f;
        r.rotation = static_cast<float>(i % 360);
        const std::string name = "Landmark number " + std::to_string(i) + " near the front line";
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-editor-bench-" + std::to_string(count) + ".dat", records);
}

// The editor with the windows it calls into, shown, holding a file of `count` records.
struct Editor : BenchWindows {
    explicit Editor(std::uint16_t count) : BenchWindows(writeFile(count), "korvland-editor-bench.INI") {}
};

// One selection as another window makes it.
void BM_SelectRecord(benchmark::State& state) {
    Editor editor(1024);
    int number = 0;
    for (auto _ : state) {
        number = number % 1024 + 1;
        editor.editor->setRecordNumber(number);
        editor.editor->selectRecord();
    }
    benchmark::DoNotOptimize(editor.set.currentIndex());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectRecord);

// The same, with the event loop then painting what the selection changed.
void BM_SelectRecordAndPaint(benchmark::State& state) {
    Editor editor(1024);
    int number = 0;
    for (auto _ : state) {
        number = number % 1024 + 1;
        editor.editor->setRecordNumber(number);
        editor.editor->selectRecord();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectRecordAndPaint);

// Stepping through every record of a file with the right arrow: a refresh for the old
// number before each step and one for the new number after it.
void BM_StepThroughFile(benchmark::State& state) {
    const auto count = static_cast<std::uint16_t>(state.range(0));
    Editor editor(count);
    QToolButton* up = editor.editor->findChild<UpDown*>(QStringLiteral("UpDown1"))->upButton();
    for (auto _ : state) {
        for (int i = 0; i < count; ++i)
            up->click();
    }
    benchmark::DoNotOptimize(editor.set.currentIndex());
    state.SetComplexityN(count);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_StepThroughFile)->RangeMultiplier(2)->Range(64, 1024)->Complexity(benchmark::oN);

} // namespace
