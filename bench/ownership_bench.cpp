// The ownership table's recount of a full 1024-record set: the count every record
// selection runs while the table is shown.
#include "data/landmark_file.h"
#include "data/landmark_set.h"
#include "data/ownership_count.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvland;

// A set of 1024 records of every type byte and side byte, some switched off and some
// carrying a profile's flag 2.
void loadSample(LandmarkSet& set) {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        records[i].landmarkId = static_cast<std::uint16_t>(i);
        records[i].loFileType = static_cast<std::uint8_t>(i % 12 == 11 ? 255 : i % 12);
        records[i].loFileNo = static_cast<std::uint8_t>(i % 40);
        records[i].side = static_cast<std::uint8_t>(i % 3);
    }
    const std::vector<std::uint8_t> bytes = encodeLandmarkFile(kMaxRecords, 63, 0, records);
    const std::filesystem::path folder =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path path =
        folder / ("korvland-ownership-bench-" + std::to_string(::getpid()) + ".dat");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    set.read(path.string());
    std::filesystem::remove(path);
    std::array<std::uint8_t, kMaxRecords> flags{};
    for (std::size_t i = 0; i < kMaxRecords; ++i)
        flags[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 2 : i % 5 == 0);
    set.applyDisabledFlags(flags);
}

void BM_OwnershipRecount1024(benchmark::State& state) {
    LandmarkSet set;
    loadSample(set);
    for (auto _ : state) {
        OwnershipCounts counts = countOwnership(set);
        benchmark::DoNotOptimize(counts);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_OwnershipRecount1024)->Unit(benchmark::kMicrosecond);

} // namespace
