// `korvland-cli compile` of a 1024-record landmark file with a profile, as one whole
// process per iteration: start, read both files, write the result, exit.
//
// Files go to /dev/shm when it exists, so that the numbers measure the program rather than
// the disk; the "Disk" variant works in the temporary folder, where the flush to disk of
// the written file dominates.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/profile_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace korvland;

enum class Where { Memory, Disk };

// A folder with a 1024-record landmark file and a profile switching every third record off.
std::filesystem::path prepareFolder(Where where) {
    namespace fs = std::filesystem;
    const fs::path base = where == Where::Memory && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    const fs::path folder = base / ("korvland-cli-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);

    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 10);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 49.0f + static_cast<float>(i) * 0.001f;
        r.eastWest = 3.0f + static_cast<float>(i) * 0.001f;
        const std::string name = "Landmark " + std::to_string(i);
        std::copy(name.begin(), name.end(), r.name.begin());
    }
    const std::string landmarks = (folder / "lndmrks0.dat").string();
    replaceFileAtomically(landmarks, encodeLandmarkFile(kMaxRecords, kRecordFieldsSize, 0, records));

    ProfileContents profile;
    std::copy(landmarks.begin(), landmarks.end(), profile.landmarkPath.begin());
    profile.profileCount = kMaxRecords;
    for (std::size_t i = 0; i < kMaxRecords; i += 3)
        profile.disabledFlags[i] = 1;
    replaceFileAtomically((folder / "every-third.lmp").string(), encodeProfile(profile));
    return folder;
}

int runOnce(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void compileWithProfile(benchmark::State& state, Where where) {
    const std::filesystem::path folder = prepareFolder(where);
    std::vector<std::string> args{KORVLAND_CLI_PATH,
                                  "compile",
                                  (folder / "lndmrks0.dat").string(),
                                  "--profile",
                                  (folder / "every-third.lmp").string(),
                                  "-o",
                                  (folder / "compiled.dat").string()};
    for (auto _ : state) {
        if (runOnce(args) != 0) {
            state.SkipWithError("korvland-cli compile failed");
            break;
        }
    }
    std::filesystem::remove_all(folder);
}

void BM_CliCompile1024WithProfile(benchmark::State& state) {
    compileWithProfile(state, Where::Memory);
}
void BM_CliCompile1024WithProfileDisk(benchmark::State& state) {
    compileWithProfile(state, Where::Disk);
}

BENCHMARK(BM_CliCompile1024WithProfile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliCompile1024WithProfileDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
