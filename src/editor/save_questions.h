#pragma once

#include <QString>

namespace korvland {

class FileMemory;

// The questions the editor's save dialogs ask before they replace an existing file, in the
// file's own terms; empty where the dialog's own question says enough.

// "Save Landmark": a profile in the way, or the file the editor read or wrote that another
// program has changed since.
QString landmarkReplaceQuestion(const QString& path, const FileMemory& files);
// "Save Profile": a landmark file in the way.
QString profileReplaceQuestion(const QString& path);

} // namespace korvland
