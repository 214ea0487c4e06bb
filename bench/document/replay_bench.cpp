// Unsaved steps laid again onto the landmark file: the restore of work kept after a kill, and
// the merge before a save of a file another program changed, each of 1024 single-record steps
// onto a 1024-record file.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/recovery_copy.h"
#include "document/landmark_document.h"
#include "document/recovery_keeper.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace korvland;

std::filesystem::path memoryFolder() {
    const std::filesystem::path shm("/dev/shm");
    return std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
}

// 1024 records; `changedSides` of them, from the last, on the other side.
std::string writeFile(const std::string& path, std::size_t changedSides = 0) {
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 5);
        r.side = static_cast<std::uint8_t>((i % 2) ^ (i + changedSides >= kMaxRecords ? 1 : 0));
        r.setNameBytes("Landmark " + std::to_string(i));
    }
    replaceFileAtomically(
        path, encodeLandmarkFile(static_cast<std::uint16_t>(records.size()), kRecordFieldsSize, 0, records));
    return path;
}

// Every record renamed, one step each.
void renameEvery(LandmarkDocument& document) {
    for (int i = 0; i < document.recordCount(); ++i) {
        document.setName(i, QStringLiteral("Renamed %1").arg(i));
        document.endNameTyping();
    }
}

void ensureApplication() {
    static int argc = 1;
    static char name[] = "korvland_document_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

void BM_RestoreSteps1024(benchmark::State& state) {
    ensureApplication();
    const std::string path = writeFile((memoryFolder() / "korvland-restore-bench.dat").string());
    const std::string folder = (memoryFolder() / "korvland-restore-bench").string();
    RecoveryEntry entry;
    {
        LandmarkDocument killed;
        killed.read(QString::fromStdString(path));
        killed.keepRecoveryCopies(QString::fromStdString(folder));
        renameEvery(killed);
        killed.recoveryKeeper()->writeNow();
        entry = *recoveryCopyOf(folder, path);
    }
    for (auto _ : state) {
        LandmarkDocument restored;
        restored.restore(entry);
        if (restored.undoStack()->count() != static_cast<int>(kMaxRecords))
            state.SkipWithError("the steps were not laid onto the file");
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_RestoreSteps1024)->Unit(benchmark::kMillisecond);

void BM_MergeSteps1024(benchmark::State& state) {
    const std::string path = (memoryFolder() / "korvland-merge-bench.dat").string();
    for (auto _ : state) {
        // The unsaved work and the other program's change are set up anew, unmeasured.
        state.PauseTiming();
        LandmarkDocument document;
        document.read(QString::fromStdString(writeFile(path)));
        renameEvery(document);
        writeFile(path, 100);
        state.ResumeTiming();
        if (!document.mergeWithFileOnDisk() || document.undoStack()->count() != static_cast<int>(kMaxRecords))
            state.SkipWithError("the steps were not merged");
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_MergeSteps1024)->Unit(benchmark::kMillisecond);

} // namespace
