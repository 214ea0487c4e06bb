// `korvland-cli compile` of a 1024-record landmark file with a profile, as one whole
// process per iteration: start, read both files, write the result, exit. Beside it, `check`,
// `diff`, `import` and `edit` of the same file as whole processes, and `cat` of the file and
// of the CSV text, the floor their times are set against.
//
// Files go to /dev/shm when it exists, so that the numbers measure the program rather than
// the disk; the "Disk" variant works in the temporary folder, where the flush to disk of
// the written file dominates.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/profile_file.h"
#include "support/build_paths.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
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

// Runs the program to its end, its output (edit reports on standard error) to /dev/null; its
// exit status, or -1.
// The processor time it took (user and system) is added to `cpuSeconds` when given.
int runOnce(std::vector<std::string>& args, double* cpuSeconds = nullptr) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return -1;
    if (cpuSeconds)
        *cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return WEXITSTATUS(status);
}

void compileWithProfile(benchmark::State& state, Where where) {
    const std::filesystem::path folder = prepareFolder(where);
    std::vector<std::string> args{
        korvland::testing::build::cliProgram,  "compile", (folder / "lndmrks0.dat").string(), "--profile",
        (folder / "every-third.lmp").string(), "-o",      (folder / "compiled.dat").string()};
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

// One whole process per iteration; `accepted` lists the exit statuses that mean it worked
// (check and diff exit 1 for findings and differences).
// The counter "process_cpu" is the child's own processor time per run, which a busy machine
// disturbs less than the real time.
void runProcess(benchmark::State& state, std::vector<std::string> args, std::initializer_list<int> accepted) {
    double cpuSeconds = 0;
    for (auto _ : state) {
        const int status = runOnce(args, &cpuSeconds);
        if (std::find(accepted.begin(), accepted.end(), status) == accepted.end()) {
            state.SkipWithError((args[0] + " " + args[1] + " failed").c_str());
            break;
        }
    }
    state.counters["process_cpu"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}

// The folder with its landmark file, a second file differing in every tenth record, and the
// first file's rows as export writes them.
struct ScriptFiles {
    std::filesystem::path folder = prepareFolder(Where::Memory);
    std::string landmarks = (folder / "lndmrks0.dat").string();
    std::string changed = (folder / "changed.dat").string();
    std::string rows = (folder / "rows.csv").string();

    ScriptFiles() {
        LandmarkFileContents contents = decodeLandmarkFile(readWholeFile(landmarks, kLandmarkFileReadLimit));
        for (std::size_t i = 0; i < contents.records.size(); i += 10)
            contents.records[i].side ^= 1;
        replaceFileAtomically(changed, encodeLandmarkFile(contents.recordCount, contents.recordSize,
                                                          contents.headerAuxWord, contents.records));
        std::vector<std::string> exportArgs{korvland::testing::build::cliProgram, "export", landmarks, "-o",
                                            rows};
        if (runOnce(exportArgs) != 0)
            throw std::runtime_error("korvland-cli export failed");
    }
    ~ScriptFiles() { std::filesystem::remove_all(folder); }
};

void BM_CatFile1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state, {"/bin/cat", files.landmarks}, {0});
}
void BM_CatRows1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state, {"/bin/cat", files.rows}, {0});
}
void BM_CliCheck1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state, {korvland::testing::build::cliProgram, "check", files.landmarks}, {0, 1});
}
void BM_CliDiff1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state, {korvland::testing::build::cliProgram, "diff", files.landmarks, files.changed}, {1});
}
void BM_CliImport1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state,
               {korvland::testing::build::cliProgram, "import", files.rows, "-o",
                (files.folder / "imported.dat").string()},
               {0});
}

// Choosing the Allied landmarks whose name holds a 7 and switching them off, the whole file
// written anew, as a server's script does after a mission.
void BM_CliEdit1024(benchmark::State& state) {
    const ScriptFiles files;
    runProcess(state,
               {korvland::testing::build::cliProgram, "edit", files.landmarks, "-o",
                (files.folder / "edited.dat").string(), "--side", "allied", "--name", "7", "--switch-off"},
               {0});
}

BENCHMARK(BM_CliCompile1024WithProfile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliCompile1024WithProfileDisk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CatFile1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CatRows1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliCheck1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliDiff1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliImport1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliEdit1024)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
