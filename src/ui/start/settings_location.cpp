#include "ui/start/settings_location.h"

#include "settings/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace korvland {

namespace {

const QString kFileName = QStringLiteral("korvland.INI");

bool writableFolder(const QString& folder) {
    // access() asks the kernel, which also knows read-only mounts and access lists.
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// An installed program has its desktop entry, named after the application id, in the share
// folder beside its bin folder. Such a folder belongs to the system's programs (or to the
// user's, under ~/.local) even where it can be written, as /usr/bin can by root: no settings
// file goes there.
bool installedProgram(const QString& programFolder) {
    return QFileInfo::exists(
        QDir(programFolder).filePath(QStringLiteral("../share/applications/" KORVLAND_APP_ID ".desktop")));
}

} // namespace

SettingsLocation chooseSettingsLocation(const QString& programFolder, const QString& configFolder) {
    const QString beside = QDir(programFolder).filePath(kFileName);
    if (QFileInfo::exists(beside) || (!installedProgram(programFolder) && writableFolder(programFolder)))
        return {beside, true};
    return {QDir(configFolder).filePath(QStringLiteral("korvland/") + kFileName), false};
}

SettingsLocation settingsLocation() {
    const QString programFolder =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(defaultSettingsPath()))).absolutePath();
    return chooseSettingsLocation(programFolder,
                                  QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString describeSettingsLocation(const SettingsLocation& location) {
    if (location.besideProgram)
        return QStringLiteral("Settings file: %1\n(beside the program: its folder is writable or already "
                              "holds korvland.INI)")
            .arg(QDir::toNativeSeparators(location.path));
    return QStringLiteral("Settings file: %1\n(in your configuration folder, $XDG_CONFIG_HOME/korvland: the "
                          "program is installed or its folder is not writable, and no korvland.INI is "
                          "beside it)")
        .arg(QDir::toNativeSeparators(location.path));
}

void prepareSettingsFolder(const SettingsLocation& location) {
    if (!location.besideProgram)
        QDir().mkpath(QFileInfo(location.path).absolutePath());
}

} // namespace korvland
