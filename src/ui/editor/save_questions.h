#pragma once

#include <QString>

class QUndoStack;

namespace korvland {

class LandmarkDocument;

// The questions the editor's save dialogs ask before they replace an existing file, in the
// file's own terms; empty where the dialog's own question says enough.

// "Save Landmark": a profile in the way, the file the editor read or wrote that another
// program has changed since, or a file other than the one being edited.
QString landmarkReplaceQuestion(const QString& path, const LandmarkDocument& document);
// "Save Profile": a landmark file in the way.
QString profileReplaceQuestion(const QString& path);

// Where "Save Landmark" proposes to write: the region's ".dat" name in the landmarks folder
// when the file being edited lies there (or names no file yet); otherwise beside the file
// being edited, under its own name (a master copy's under the region's ".dat" name), so that
// a save never lands on another folder's file unasked.
struct SaveProposal {
    QString folder;
    QString name;
};
SaveProposal landmarkSaveProposal(const LandmarkDocument& document, const QString& landmarksFolder);

// The question before unsaved edits of `fileName` are lost, counting the steps between the
// history's place and the saved state: "3 changes not saved. Save the changes to
// lndmrks0.dat before quitting?"; with `opening` set, "... before opening lndmrks1.dat?".
// Where the saved state can no longer be reached by undo or redo the count says nothing.
QString saveChangesQuestion(const QUndoStack& history, const QString& fileName, const QString& opening = {});

} // namespace korvland
