#include "ui/common/landmarks_folder.h"

#include "settings/settings_store.h"

#include <QDir>

namespace korvland {

namespace {

const std::string kSection = "settings";
const std::string kKey = "startdir";

} // namespace

QString storedLandmarksFolder(const SettingsStore& store) {
    return QString::fromStdString(store.readString(kSection, kKey, defaultLandmarksFolder().toStdString()));
}

bool landmarksFolderIsStored(const SettingsStore& store) {
    return !store.readString(kSection, kKey, "").empty();
}

void storeLandmarksFolder(SettingsStore& store, const QString& folder) {
    store.writeString(kSection, kKey, folder.toStdString());
}

QString defaultLandmarksFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}

FileDialogRequest landmarkFileRequest(const QString& landmarksFolder) {
    FileDialogRequest request;
    request.filter = QStringLiteral("Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*");
    request.defaultSuffix = QStringLiteral("dat");
    request.initialFolder = landmarksFolder;
    return request;
}

} // namespace korvland
