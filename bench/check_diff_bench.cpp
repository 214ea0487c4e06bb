// `korvland-cli check` and `diff` of 1024-record landmark files inside one process: the file
// read, the findings or the pairing and field comparison, and the report text.
//
// Files go to /dev/shm when it exists, so that the numbers measure the code rather than the disk.
#include "cli/commands.h"
#include "data/file_io.h"
#include "data/landmark_file.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace korvland;

std::filesystem::path benchFolder() {
    namespace fs = std::filesystem;
    const fs::path base = ::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path folder = base / ("korvland-check-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

// 1024 landmarks on a grid of markers apart from one another, all kinds and both sides; every
// `changeEvery`-th record's side and name differ from the first file's.
std::vector<LandmarkRecord> gridRecords(std::size_t changeEvery) {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(2000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 9);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 48.0f + static_cast<float>(i % 32) * 0.1f;
        r.eastWest = 2.0f + static_cast<float>(i / 32) * 0.1f;
        r.elevation = 100.0f;
        r.rotation = 45.0f;
        std::string name = "Landmark " + std::to_string(i);
        if (changeEvery != 0 && i % changeEvery == 0) {
            r.side ^= 1;
            name += " (moved)";
        }
        std::memcpy(r.name.data(), name.data(), name.size());
    }
    return records;
}

std::string writeGrid(const std::filesystem::path& folder, const char* name, std::size_t changeEvery) {
    const std::string path = (folder / name).string();
    replaceFileAtomically(path,
                          encodeLandmarkFile(kMaxRecords, kRecordFieldsSize, 0, gridRecords(changeEvery)));
    return path;
}

void BM_Check1024(benchmark::State& state) {
    const auto folder = benchFolder();
    const std::string file = writeGrid(folder, "lndmrks0.dat", 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::checkCommand(file, std::nullopt, false, false));
    std::filesystem::remove_all(folder);
}

// One record in ten differs in two fields.
void BM_Diff1024(benchmark::State& state) {
    const auto folder = benchFolder();
    const std::string a = writeGrid(folder, "a.dat", 0);
    const std::string b = writeGrid(folder, "b.dat", 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::diffCommand(a, b, std::nullopt, false));
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_Check1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Diff1024)->Unit(benchmark::kMicrosecond);

} // namespace
