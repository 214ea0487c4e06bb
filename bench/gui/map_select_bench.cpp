// Moving the map's highlight between two records, the whole road a selection takes
// (set the editor's record number, run UpDown1Changing: the editor's refresh, then the
// map's refresh of the current marker, highlight and centring), on maps of 64 and 1024
// records in one run, so that the two can be compared. Runs the real windows on the
// offscreen platform; part of the GUI benchmark program, whose main makes the application.
#include "data/landmark_file.h"

#include "bench_support.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

// A landmark file of `count` records of every kind, spread over a map larger than the window.
std::string writeFile(std::uint16_t count) {
    std::vector<LandmarkRecord> records(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 45.0f + static_cast<float>(i % 32) * 0.25f;
        r.eastWest = 2.0f + static_cast<float>(i / 32) * 0.25f;
        const std::string name = "Landmark " + std::to_string(i);
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-map-bench-" + std::to_string(count) + ".dat", records);
}

// The editor and the map, shown, over a file of `count` records, after one marker press
// so that every selection also refreshes the current marker.
struct MapWindows : BenchWindows {
    explicit MapWindows(std::uint16_t count) : BenchWindows(writeFile(count), "korvland-map-bench.INI") {
        map->show();
        map->markerPressed(*map->marker(0)->frame);
        QApplication::processEvents();
    }
};

void mapSelect(benchmark::State& state, std::uint16_t count, bool paint) {
    MapWindows windows(count);
    // Two records far apart, so that every step scrolls.
    const int numbers[2] = {2, count - 1};
    int step = 0;
    for (auto _ : state) {
        windows.editor->setRecordNumber(numbers[step++ % 2]);
        windows.editor->selectRecord();
        if (paint)
            QApplication::processEvents();
    }
    benchmark::DoNotOptimize(windows.set.currentIndex());
    state.SetItemsProcessed(state.iterations());
}

void BM_MapSelect64(benchmark::State& state) {
    mapSelect(state, 64, false);
}
void BM_MapSelect1024(benchmark::State& state) {
    mapSelect(state, 1024, false);
}
// The same, with the event loop then painting what moved.
void BM_MapSelectAndPaint64(benchmark::State& state) {
    mapSelect(state, 64, true);
}
void BM_MapSelectAndPaint1024(benchmark::State& state) {
    mapSelect(state, 1024, true);
}
BENCHMARK(BM_MapSelect64);
BENCHMARK(BM_MapSelect1024);
BENCHMARK(BM_MapSelectAndPaint64);
BENCHMARK(BM_MapSelectAndPaint1024);

} // namespace
