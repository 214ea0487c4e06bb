#include "data/recovery_copy.h"
#include "data/set_comparison.h"
#include "data/translatable.h"
#include "data/user_error.h"
#include "document/landmark_document.h"
#include "document/record_commands.h"
#include "document/recovery_keeper.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSignalBlocker>
#include <QUndoStack>

namespace korvland {

namespace {

// The steps to lay onto a file once the operator has chosen where conflicts keep the file's
// values; not `fits` when a step names a record the file lacks.
struct ReplayPlan {
    bool fits = false;
    bool cancelled = false;
    std::vector<EditStep> steps;
};

ReplayPlan planReplay(const LandmarkSet& file, const std::vector<EditStep>& steps,
                      const LandmarkDocument::ConflictChoice& choose) {
    const std::optional<std::vector<StepConflict>> conflicts = findStepConflicts(file, steps);
    if (!conflicts)
        return {};
    if (conflicts->empty() || !choose)
        return {true, false, steps};
    const std::optional<std::vector<StepConflict>> keptFromFile = choose(file, *conflicts);
    if (!keptFromFile)
        return {true, true, {}};
    return {true, false, withoutConflicts(steps, *keptFromFile)};
}

// A landmark of type 6 is written switched off whatever its flag says: it is not switched on.
bool refusedSwitchOn(const LandmarkSet& set, EditField field, const RecordEdit& edit) {
    return field == EditField::Active && edit.after == FieldValue(1, '\0') &&
           set.record(edit.index).loFileType == kDisabledType;
}

} // namespace

bool LandmarkDocument::restore(const RecoveryEntry& entry, const ConflictChoice& choose) {
    const std::string& original = entry.description.original.path;
    if (const std::optional<std::vector<EditStep>> steps =
            readSteps(stepsPathFor(entry.files.description), entry.description.copyHash)) {
        LandmarkSet file;
        bool readable = true;
        try {
            file.read(original);
        } catch (const UserError&) {
            // A file gone or unreadable leaves the copy as the one record of the work.
            readable = false;
        }
        const ReplayPlan plan = readable ? planReplay(file, *steps, choose) : ReplayPlan{};
        if (plan.cancelled)
            return false;
        if (plan.fits) {
            emit readStarting();
            mFiles.read(original);
            replayOnto(std::move(file), plan.steps);
            proposeOwnName();
            if (mRecoveryKeeper)
                mRecoveryKeeper->adopt(entry, true);
            return true;
        }
    }
    emit readStarting();
    readRecoveryCopy(*mSet, entry);
    mFiles.readAs(entry.description.original);
    mCleanIsFile = false;
    finishRead();
    proposeOwnName();
    // No step of the history leads back to the file on disk.
    mUndoStack->resetClean();
    if (mRecoveryKeeper)
        mRecoveryKeeper->adopt(entry, false);
    return true;
}

bool LandmarkDocument::mergeWithFileOnDisk(const ConflictChoice& choose) {
    const std::optional<std::vector<EditStep>> steps = unsavedSteps();
    if (!steps)
        return false;
    const std::string path = mSet->landmarkPath();
    LandmarkSet file;
    file.read(path);
    const ReplayPlan plan = planReplay(file, *steps, choose);
    if (!plan.fits)
        throw UserError(
            Text(KORVLAND_TRANSLATABLE(
                "korvland::UserError",
                "The unsaved changes name landmarks that '%1' no longer has; they cannot be merged")),
            {path});
    if (plan.cancelled)
        return false;
    emit readStarting();
    mFiles.read(path);
    replayOnto(std::move(file), plan.steps);
    return true;
}

std::optional<int> LandmarkDocument::recordsChangedOnDisk() const {
    const std::optional<std::vector<EditStep>> steps = unsavedSteps();
    if (!steps)
        return std::nullopt;
    const std::string path = mSet->landmarkPath();
    LandmarkSet unwound = *mSet;
    unwindSteps(unwound, *steps);
    // Both as a reader finds them in a file: a switched-off record is type 6 in each.
    LandmarkSet before;
    LandmarkSet now;
    try {
        before.readLandmarkBytes(path, unwound.compiledBytes());
        now.read(path);
    } catch (const UserError&) {
        return std::nullopt;
    }
    const SetDiff diff = diffSets(before, now);
    return static_cast<int>(diff.changed.size() + diff.onlyInA.size() + diff.onlyInB.size());
}

void LandmarkDocument::watchFile() {
    if (!mWatcher) {
        mWatcher = new QFileSystemWatcher(this);
        connect(mWatcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
            // A file replaced by a rename is watched no more under its name: it is taken up again.
            if (!mWatcher->files().contains(path) && QFileInfo::exists(path))
                mWatcher->addPath(path);
            if (path == filePath() && changedOnDisk(path))
                emit fileChangedOnDisk();
        });
    }
    const QStringList watched = mWatcher->files();
    if (watched == QStringList{filePath()})
        return;
    if (!watched.isEmpty())
        mWatcher->removePaths(watched);
    if (QFileInfo::exists(filePath()))
        mWatcher->addPath(filePath());
}

void LandmarkDocument::proposeOwnName() {
    const QFileInfo file(filePath());
    if (mProposedSaveName != file.fileName() || mProposedSaveFolder != file.absolutePath()) {
        mProposedSaveName = file.fileName();
        mProposedSaveFolder = file.absolutePath();
        emit regionChanged(mRegion);
    }
}

void LandmarkDocument::replayOnto(LandmarkSet file, const std::vector<EditStep>& steps) {
    mUndoStack->clear();
    const bool wasModified = isModified();
    *mSet = std::move(file);
    mCleanIsFile = true;
    {
        // The windows hear of the set once, when it holds every step.
        const QSignalBlocker quiet(this);
        for (const EditStep& step : steps)
            pushReplayed(step);
    }
    finishRead(true);
    if (isModified() != wasModified)
        emit modifiedChanged(isModified());
}

void LandmarkDocument::pushReplayed(const EditStep& step) {
    // Each step stays one step: no name typing runs on into the next.
    ++mNameTypingSerial;
    const auto field = static_cast<Field>(step.field);
    std::vector<int> indices;
    std::vector<std::uint8_t> values;
    for (const RecordEdit& edit : step.records) {
        // What the file already holds (or a rule keeps) is no step.
        if (fieldValue(*mSet, edit.index, step.field) == edit.after ||
            refusedSwitchOn(*mSet, step.field, edit))
            continue;
        indices.push_back(edit.index);
        values.push_back(static_cast<std::uint8_t>(edit.after.front()));
        if (!step.bulk) {
            const auto at = static_cast<std::size_t>(edit.index);
            mUndoStack->push(new RecordCommand(
                *this, edit.index, field, withFieldValue(record(edit.index), step.field, edit.after),
                field == Field::Active ? values.front() : mSet->disabledFlag(at)));
            return;
        }
    }
    if (!indices.empty())
        mUndoStack->push(new RecordsCommand(*this, field, std::move(indices), std::move(values)));
}

std::optional<std::vector<EditStep>> LandmarkDocument::unsavedSteps() const {
    const int clean = mUndoStack->cleanIndex();
    const int at = mUndoStack->index();
    if (!mCleanIsFile || clean < 0)
        return std::nullopt;
    std::vector<EditStep> steps;
    for (int i = clean; i < at; ++i) {
        const EditStep* step = editStepOf(mUndoStack->command(i));
        if (!step)
            return std::nullopt;
        steps.push_back(*step);
    }
    // Undone past the saved state: the undone steps, backwards, lead from the file to the set.
    for (int i = clean - 1; i >= at; --i) {
        const EditStep* step = editStepOf(mUndoStack->command(i));
        if (!step)
            return std::nullopt;
        EditStep back = *step;
        for (RecordEdit& edit : back.records)
            std::swap(edit.before, edit.after);
        steps.push_back(std::move(back));
    }
    return steps;
}

} // namespace korvland
