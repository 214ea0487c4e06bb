// The status table on a 1024-record set: its filling by the editor's "Table" button, the rows
// made and laid out in their three columns and the window painted once; and a text typed in
// its filter, the rows hidden or shown and laid out again. Runs the real windows on the
// offscreen platform.
#include "data/landmark_file.h"

#include "bench_support.h"

#include <QApplication>
#include <QLineEdit>

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
    TableWindows()
        : BenchWindows(writeFile(), "korvland-tables-bench-" + std::to_string(::getpid()) + ".INI") {
        std::filesystem::remove(set.landmarkPath());
    }
};

void BM_StatusFill1024(benchmark::State& state) {
    TableWindows windows;
    for (auto _ : state) {
        windows.status->fillAndShow();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_StatusFill1024)->Unit(benchmark::kMillisecond);

// Each step types another text: every name has "number", a tenth of them "9", about as many
// "8"; the rows change between all of them and a tenth.
void BM_FilterStatus1024(benchmark::State& state) {
    TableWindows windows;
    windows.status->fillAndShow();
    QApplication::processEvents();
    auto* field = windows.status->findChild<QLineEdit*>(QStringLiteral("FilterText"));
    const QString texts[] = {QStringLiteral("9"), QStringLiteral("number"), QStringLiteral("8"),
                             QStringLiteral("number")};
    std::size_t step = 0;
    for (auto _ : state) {
        field->setText(texts[step++ % std::size(texts)]);
        QApplication::processEvents();
    }
    if (windows.document.filter().text.empty())
        state.SkipWithError("the text did not reach the filter");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_FilterStatus1024)->Unit(benchmark::kMillisecond);

} // namespace
