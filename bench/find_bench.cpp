// Finding a name among a full set of 1024 records: what every keystroke in the find field
// and every "next match" costs.
#include "data/landmark_file.h"
#include "data/landmark_filter.h"
#include "data/landmark_set.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvland;

// 1024 names of 20 to 40 bytes with accented letters; only records 100 and 900 hold "Crépy".
void loadNames(LandmarkSet& set) {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        records[i].landmarkId = static_cast<std::uint16_t>(i);
        records[i].loFileType = static_cast<std::uint8_t>(i % 10);
        std::string name = "Saint-\xC9tienne-du-Ch\xE2teau " + std::to_string(i);
        if (i == 100 || i == 900)
            name = "Cr\xE9py-en-Valois " + std::to_string(i);
        name.resize(std::min<std::size_t>(name.size() + i % 12, kNameSize), 'x');
        records[i].setNameBytes(name);
    }
    const std::vector<std::uint8_t> bytes = encodeLandmarkFile(kMaxRecords, 63, 0, records);
    const std::filesystem::path folder =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path path =
        folder / ("korvland-find-bench-" + std::to_string(::getpid()) + ".dat");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    set.read(path.string());
    std::filesystem::remove(path);
}

// From the second match the next one lies 800 records on, and the "k of n" count reads
// every name once more.
void BM_Find1024(benchmark::State& state) {
    LandmarkSet set;
    loadNames(set);
    const NameMatcher matcher("CREPY");
    std::size_t from = 100;
    for (auto _ : state) {
        const std::optional<FindMatch> match = findMatch(set, matcher, from, FindStep::Next);
        from = match->index;
        benchmark::DoNotOptimize(from);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_Find1024)->Unit(benchmark::kMicrosecond);

} // namespace
