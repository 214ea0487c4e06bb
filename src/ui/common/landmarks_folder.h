#pragma once

#include "ui/common/dialogs.h"

#include <QString>

namespace korvland {

class SettingsStore;

// The landmarks folder in the settings file: section "settings", key "startdir".

// The stored folder, or the default when the settings file names none.
QString storedLandmarksFolder(const SettingsStore& store);
// Whether the settings file names a folder at all (an empty value names none).
bool landmarksFolderIsStored(const SettingsStore& store);
// Throws UserError when the settings file cannot be written.
void storeLandmarksFolder(SettingsStore& store, const QString& folder);

// The folder every file dialog opens in when none is stored: the user's home folder,
// where the platform has no drive C.
QString defaultLandmarksFolder();

// The landmark open dialog as "Open" > "Landmark" runs it: landmark files first, opening in
// the landmarks folder.
FileDialogRequest landmarkFileRequest(const QString& landmarksFolder);

} // namespace korvland
