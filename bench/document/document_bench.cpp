// The document's edits of many records at once, without windows: switching off 1024 selected
// records in one step, and undoing that step, as the signals announce them. The windows'
// own figures for the same gestures come from the GUI benchmark program.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/recovery_copy.h"
#include "document/landmark_document.h"

#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace korvland;

// A landmark file of 1024 active records of every kind but the disabled one, in memory-backed
// /dev/shm where there is one, so that the disk plays no part.
std::string writeFile() {
    const std::filesystem::path shm("/dev/shm");
    const std::filesystem::path folder =
        std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
    const std::string path = (folder / "korvland-document-bench.dat").string();
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 5);
        r.side = static_cast<std::uint8_t>(i % 2);
        const std::string name = "Landmark " + std::to_string(i);
        std::copy(name.begin(), name.end(), r.name.begin());
    }
    replaceFileAtomically(
        path, encodeLandmarkFile(static_cast<std::uint16_t>(records.size()), kRecordFieldsSize, 0, records));
    return path;
}

// A document over the file with every record selected and one receiver on the bulk signal,
// as a window would connect.
struct SelectedDocument {
    LandmarkDocument document;
    int announced = 0;

    SelectedDocument() {
        document.read(QString::fromStdString(writeFile()));
        document.selectAll();
        QObject::connect(
            &document, &LandmarkDocument::recordsChanged, &document,
            [this](const QList<int>& indices) { announced += static_cast<int>(indices.size()); });
    }
};

void BM_DocumentBulkSwitchOff1024(benchmark::State& state) {
    SelectedDocument selected;
    for (auto _ : state) {
        selected.document.switchOffSelection();
        // Switching on again is not measured; it sets up the next iteration.
        state.PauseTiming();
        selected.document.undoStack()->clear();
        selected.document.switchOnSelection();
        selected.document.undoStack()->clear();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(selected.announced);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_DocumentBulkSwitchOff1024);

void BM_DocumentUndoBulkSwitchOff1024(benchmark::State& state) {
    SelectedDocument selected;
    selected.document.switchOffSelection();
    QUndoStack& stack = *selected.document.undoStack();
    for (auto _ : state) {
        stack.undo();
        state.PauseTiming();
        stack.redo();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(selected.announced);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMaxRecords));
}
BENCHMARK(BM_DocumentUndoBulkSwitchOff1024);

// One record switched off and back on per iteration: two single steps, for the per-record
// comparison with the bulk step.
void BM_DocumentSingleSwitchOff(benchmark::State& state) {
    SelectedDocument selected;
    // A bounded history, so that a long run does not measure a growing one.
    selected.document.undoStack()->setUndoLimit(64);
    int index = 0;
    for (auto _ : state) {
        selected.document.setActive(index, false);
        selected.document.setActive(index, true);
        index = (index + 1) % static_cast<int>(kMaxRecords);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_DocumentSingleSwitchOff);

// The recovery copy of unsaved work on a 1024-record set, as the editor writes it a second
// after an edit on its own thread: the copy and its description, each by the safe save with
// its flushes, in a folder on the disk of the temporary folder (where the user's state folder
// would be), not in memory.
void BM_RecoveryWrite1024(benchmark::State& state) {
    LandmarkSet set;
    const std::string original = writeFile();
    set.read(original);
    set.setDisabled(3, 1);
    const std::string folder = (std::filesystem::temp_directory_path() / "korvland-recovery-bench").string();
    RecoveryDescription description;
    description.original = *stampFile(original);
    description.unsavedSteps = 1;
    for (auto _ : state)
        writeRecoveryCopy(folder, set, description);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryWrite1024)->Unit(benchmark::kMillisecond);

} // namespace
