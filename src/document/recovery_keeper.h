#pragma once

#include "data/recovery_copy.h"
#include "data/user_error.h"

#include <QObject>
#include <QTimer>

#include <optional>
#include <string>

namespace korvland {

class LandmarkDocument;

// Keeps a recovery copy of the document's unsaved work in a folder: written at most
// kDelayMilliseconds after an edit, once for all the edits of that time, and removed as soon
// as the document is saved, its changes are let go, or undo brings it back to the saved state.
// Writing never asks anything: a copy that cannot be written is tried again at the next edit,
// and the first failure of a run of them is announced, so that the operator knows the work
// now lives only on screen.
class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDelayMilliseconds = 1000;

    RecoveryKeeper(LandmarkDocument& document, std::string folder);

    const std::string& folder() const { return mFolder; }
    // The files of the copy this run keeps, when it keeps one.
    const std::optional<RecoveryFiles>& files() const { return mFiles; }
    // Why the last copy could not be written (a full disk, a folder refused); none once a
    // copy was written or the work was saved or let go.
    const std::optional<UserError>& failure() const { return mFailure; }

    // Writes the copy now when there is unsaved work it does not hold yet (the end of a run).
    void writeNow();
    // Removes the copy this run keeps: the operator let the changes go.
    void drop();
    // The document now holds the work of `entry`: its copy is this run's, and its steps count
    // on. Work whose steps were laid onto the file as it is now is kept anew at once, so that
    // the copy describes that file.
    void adopt(const RecoveryEntry& entry, bool stepsReplayed);

  signals:
    void copyWritten();
    void copyRemoved();
    // A copy could not be written, after the last one could (or none was tried): failure().
    void copyFailed();

  private:
    void documentChanged();
    void write();
    int unsavedSteps() const;

    LandmarkDocument& mDocument;
    std::string mFolder;
    QTimer mTimer;
    std::optional<RecoveryFiles> mFiles;
    std::optional<UserError> mFailure;
    // Whether the document has changed since the copy was last written.
    bool mBehind = false;
    // Steps of a restored copy, which the history no longer holds.
    int mRestoredSteps = 0;
};

} // namespace korvland
