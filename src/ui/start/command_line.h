#pragma once

#include "ui/start/settings_location.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace korvland {

class EditorWindow;

// What the command line asks of the program: `exitCode` is set when it has been answered
// (--help, --version) or refused, and nothing else is to happen; otherwise `file` is the
// absolute path of the file to open, or empty.
struct CommandLine {
    std::optional<int> exitCode;
    QString file;
};

// Answers --help and --version on `out`; nothing else. Runs before the application object
// exists, so that both work without a window system; other options (the toolkit's own among
// them) are left for `readCommandLine`.
std::optional<int> answerInformationRequest(const QStringList& arguments, const SettingsLocation& settings,
                                            QTextStream& out);

// Without a display the toolkit cannot start and would abort the program; a bad command line
// is then refused on `err` as `readCommandLine` refuses it, with exit code 2. Nothing otherwise.
std::optional<int> refuseWithoutDisplay(const QStringList& arguments, const SettingsLocation& settings,
                                        QTextStream& err);

// The full command line, once the application object has taken its own options out: at
// most one FILE. A bad command line is reported on `err` with exit code 2.
CommandLine readCommandLine(const QStringList& arguments, const SettingsLocation& settings, QTextStream& err);

// The arguments as the program received them, decoded as file names are.
QStringList argumentList(int argc, char** argv);

// Opens `file` in the editor once the welcome window hands over to it, as "Open" > "Profile"
// opens a .lmp file and "Open" > "Landmark" any other; a failure shows the same message.
void openOnHandOver(EditorWindow* editor, const QString& file);

} // namespace korvland
