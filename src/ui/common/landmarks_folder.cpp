#include "ui/common/landmarks_folder.h"

#include "settings/settings_store.h"

#include <QCoreApplication>
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
    // The descriptions are translated, the patterns are not.
    const QString landmarkFiles = QCoreApplication::translate("korvland::LandmarksFolder", "Landmark Files");
    //: A file type in the open dialog: every file ending in .dat ("Flies" as the program always wrote it).
    const QString dataFiles = QCoreApplication::translate("korvland::LandmarksFolder", "Data Flies");
    const QString allFiles = QCoreApplication::translate("korvland::LandmarksFolder", "All Files");
    request.filter =
        QStringLiteral("%1|Lndmrks?.dat|%2|*.dat|%3|*.*").arg(landmarkFiles, dataFiles, allFiles);
    request.defaultSuffix = QStringLiteral("dat");
    request.initialFolder = landmarksFolder;
    return request;
}

} // namespace korvland
