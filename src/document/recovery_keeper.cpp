#include "document/recovery_keeper.h"

#include "document/landmark_document.h"

#include <QUndoStack>

#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace korvland {

RecoveryKeeper::RecoveryKeeper(LandmarkDocument& document, std::string folder)
    : QObject(&document), mDocument(document), mFolder(std::move(folder)) {
    // Not restarted by every edit: steady typing must not put the copy off for ever.
    mTimer.setSingleShot(true);
    mTimer.setInterval(kDelayMilliseconds);
    connect(&mTimer, &QTimer::timeout, this, &RecoveryKeeper::write);
    QUndoStack* history = document.undoStack();
    connect(history, &QUndoStack::indexChanged, this, &RecoveryKeeper::documentChanged);
    connect(history, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            drop();
        else
            documentChanged();
    });
}

void RecoveryKeeper::documentChanged() {
    if (!mDocument.isModified())
        return;
    mBehind = true;
    if (!mTimer.isActive())
        mTimer.start();
}

void RecoveryKeeper::writeNow() {
    if (mDocument.isModified() && (mBehind || !mFiles))
        write();
}

void RecoveryKeeper::write() {
    mTimer.stop();
    if (!mDocument.isModified() || !mDocument.isLoaded())
        return;
    RecoveryDescription description;
    // A file that has gone since it was read is still the one the work belongs to.
    if (std::optional<FileStamp> stamp = mDocument.fileStamp())
        description.original = std::move(*stamp);
    else
        description.original.path = mDocument.set().landmarkPath();
    description.unsavedSteps = unsavedSteps();
    description.writtenAt = static_cast<std::int64_t>(std::time(nullptr));
    description.processId = static_cast<long>(::getpid());
    try {
        const std::optional<std::vector<EditStep>> steps = mDocument.unsavedSteps();
        mFiles = writeRecoveryCopy(mFolder, mDocument.set(), description, steps ? &*steps : nullptr);
        mBehind = false;
        mFailure.reset();
        emit copyWritten();
    } catch (const UserError& error) {
        // A full disk or a folder we may not write: the work is still on screen, and the
        // next edit tries again. Said once, not at every edit that fails again.
        const bool first = !mFailure;
        mFailure = error;
        if (first)
            emit copyFailed();
    }
}

void RecoveryKeeper::drop() {
    mTimer.stop();
    mBehind = false;
    mRestoredSteps = 0;
    mFailure.reset();
    if (!mFiles)
        return;
    removeRecoveryCopy(*mFiles);
    mFiles.reset();
    emit copyRemoved();
}

void RecoveryKeeper::adopt(const RecoveryEntry& entry, bool stepsReplayed) {
    mFiles = entry.files;
    mRestoredSteps = stepsReplayed ? 0 : entry.description.unsavedSteps;
    mBehind = false;
    mTimer.stop();
    // Steps the file already held leave nothing unsaved, and nothing to keep.
    if (stepsReplayed && mDocument.isModified())
        write();
    else if (stepsReplayed)
        drop();
}

int RecoveryKeeper::unsavedSteps() const {
    const QUndoStack& history = *mDocument.undoStack();
    // Restored work has no saved state to count from: its steps came with the copy.
    if (history.cleanIndex() < 0)
        return mRestoredSteps + history.index();
    return std::abs(history.index() - history.cleanIndex());
}

} // namespace korvland
