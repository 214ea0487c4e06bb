#pragma once

#include <QString>

class QUndoStack;

namespace korvland {

class LandmarkDocument;

// The questions the editor's save dialogs ask before they replace an existing file, in the
// file's own terms; empty where the dialog's own question says enough.

// "Save Landmark": a profile in the way, or the file the editor read or wrote that another
// program has changed since.
QString landmarkReplaceQuestion(const QString& path, const LandmarkDocument& document);
// "Save Profile": a landmark file in the way.
QString profileReplaceQuestion(const QString& path);

// The question before unsaved edits are lost, counting the steps between the history's
// place and the saved state: "3 changes are not saved. Discard them?". Where the saved state
// can no longer be reached by undo or redo the count says nothing, and the question reads
// "There are unsaved changes. Discard them?". `ending` is the question's second sentence.
QString unsavedChangesQuestion(const QUndoStack& history, const QString& ending);

} // namespace korvland
