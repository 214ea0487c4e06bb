#pragma once

#include <QString>

namespace korvland {

// Where the settings file lives. A portable copy keeps it beside the program, as it always
// has; an installed program, whose folder users may not write, keeps it in the user's
// configuration folder instead.
struct SettingsLocation {
    QString path;
    bool besideProgram = true;
};

// Beside the program when `programFolder` already holds korvland.INI, or is writable and not
// the bin folder of an installed program; otherwise korvland/korvland.INI under `configFolder`.
SettingsLocation chooseSettingsLocation(const QString& programFolder, const QString& configFolder);

// The rule above for the running program and the user's configuration folder
// ($XDG_CONFIG_HOME, by default ~/.config).
SettingsLocation settingsLocation();

// One line for --help: which file, and why there.
QString describeSettingsLocation(const SettingsLocation& location);

// Creates the folder of a settings file kept in the configuration folder; the first write
// needs it. A failure shows up at that write, with the usual message.
void prepareSettingsFolder(const SettingsLocation& location);

} // namespace korvland
