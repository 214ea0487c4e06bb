// The map's names, its comparison with another version of the file, and the whole road from
// reading a file to a painted map, on 1024 records. Runs on the offscreen platform.
#include "data/landmark_set.h"
#include "ui/map/map_comparison.h"
#include "ui/map/map_scene.h"

#include "bench_support.h"

#include <QApplication>
#include <QGraphicsScene>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace korvland;
using namespace korvland::bench;

constexpr std::uint16_t kRecords = 1024;

// 1024 records of every kind and both sides over a theatre of some 750 × 1250 pixels at 1:1,
// with names of the usual length; with `changed`, every fortieth has changed side.
std::string writeStoryFile(const char* name, bool changed) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> north(48.4f, 50.0f);
    std::uniform_real_distribution<float> east(2.0f, 6.0f);
    std::vector<LandmarkRecord> records(kRecords);
    for (std::uint16_t i = 0; i < kRecords; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>((i % 2) ^ (changed && i % 40 == 0 ? 1 : 0));
        r.northSouth = north(random);
        r.eastWest = east(random);
        const std::string text = "Mont-Saint-" + std::to_string(i);
        std::copy_n(text.begin(), std::min(text.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile(name, records);
}

struct StoryScene {
    StoryScene() {
        set.read(writeStoryFile("korvland-story-bench.dat", false));
        other.read(writeStoryFile("korvland-story-other-bench.dat", true));
        content = buildMapScene(scene, set, 0, 2.0f);
    }
    ~StoryScene() { clearMapScene(scene, content); }
    LandmarkSet set;
    LandmarkSet other;
    QGraphicsScene scene;
    MapContent content;
};

// Measuring and placing every name at 2:1, where every kind has one.
void BM_Labels1024(benchmark::State& state) {
    StoryScene host;
    for (auto _ : state)
        showLabels(host.scene, host.content, host.set, 2.0f);
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Labels1024)->Unit(benchmark::kMillisecond);

// Comparing with the other version and ringing and noting what changed, as after each edit.
void BM_Compare1024(benchmark::State& state) {
    StoryScene host;
    for (auto _ : state) {
        const ComparisonMarks marks = showComparison(host.scene, host.content, host.other, host.set, 0, 2.0f);
        benchmark::DoNotOptimize(marks.changed.size());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Compare1024)->Unit(benchmark::kMillisecond);

// What the operator waits for: the file read, the editor reset, the map built and painted once.
void BM_OpenToMap1024(benchmark::State& state) {
    const std::string file = writeStoryFile("korvland-story-bench.dat", false);
    BenchWindows windows(file, "korvland-story-bench.INI");
    for (auto _ : state) {
        windows.document.read(QString::fromStdString(file));
        windows.map->showOnCommand();
        windows.map->repaint();
        state.PauseTiming();
        windows.map->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OpenToMap1024)->Unit(benchmark::kMillisecond);

} // namespace
