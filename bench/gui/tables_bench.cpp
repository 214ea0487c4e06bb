// The status table's filling: the editor's "Table" button on a 1024-record set, the rows
// made and laid out in their three columns and the window painted once. Runs the real
// windows on the offscreen platform.
#include "data/landmark_file.h"

#include "bench_support.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
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

// The windows over a loaded 1024-record set, the file itself gone again.
struct TableWindows : BenchWindows {
    TableWindows() : BenchWindows(writeFile(), "korvland-tables-bench-" + std::to_string(::getpid()) + ".INI") {
        std::filesystem::remove(set.landmarkPath());
    }
};

void BM_StatusFill1024(benchmark::State& state) {
    TableWindows windows;
    for (auto _ : state) {
        windows.status->Button1Click();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_StatusFill1024)->Unit(benchmark::kMillisecond);

} // namespace
