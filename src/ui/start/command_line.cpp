#include "ui/start/command_line.h"

#include "korvland_version.h"

#include "ui/editor/editor_window.h"
#include "ui/start/forwarded_files.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QUrl>

namespace korvland {

namespace {

const QString kProgramName = QStringLiteral("korvland");

struct Parser {
    explicit Parser(const SettingsLocation& settings)
        : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        parser.setApplicationDescription(
            QStringLiteral("KORV Landmarks Editor %1: edits the landmark files (.dat, .mlf) and profiles "
                           "(.lmp) that a game server loads.\n\n%2")
                .arg(QStringLiteral(KORVLAND_VERSION), describeSettingsLocation(settings)));
        parser.addPositionalArgument(
            QStringLiteral("FILE"),
            QStringLiteral("A landmark file (.dat, .mlf) or a profile (.lmp), opened in the editor once the "
                           "welcome window hands over to it."),
            QStringLiteral("[FILE]"));
    }

    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;
};

// A file manager may hand over a file: URL; a local one is taken as its path.
QString localPath(const QString& argument) {
    if (argument.startsWith(QLatin1String("file:"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return argument;
}

// Opens the file on the first showing of the editor window, after that showing has been
// handled, so that a message box has the visible editor as its parent.
class HandOverWatcher : public QObject {
  public:
    HandOverWatcher(EditorWindow* editor, QString file)
        : QObject(editor), mEditor(editor), mFile(std::move(file)) {
        editor->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mEditor && event->type() == QEvent::Show) {
            mEditor->removeEventFilter(this);
            // The watcher is the editor's child: the call is dropped if the editor goes first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    open();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void open() { openAsOpenDoes(*mEditor, mFile); }

    EditorWindow* mEditor;
    QString mFile;
};

// Whether the toolkit is given a display: by the environment or by its own -platform and
// -display options (with one dash or two).
bool displayGiven(const QStringList& arguments) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
        if (option == QLatin1String("-platform") || option == QLatin1String("-display"))
            return true;
    }
    return false;
}

} // namespace

std::optional<int> refuseWithoutDisplay(const QStringList& arguments, const SettingsLocation& settings,
                                        QTextStream& err) {
    if (displayGiven(arguments))
        return std::nullopt;
    return readCommandLine(arguments, settings, err).exitCode;
}

std::optional<int> answerInformationRequest(const QStringList& arguments, const SettingsLocation& settings,
                                            QTextStream& out) {
    Parser p(settings);
    // Unknown options are not this step's business; only the two requests are.
    p.parser.parse(arguments);
    if (p.parser.isSet(p.help) || p.parser.isSet(QStringLiteral("help-all"))) {
        QString text = p.parser.helpText();
        // Without an application object the parser cannot name the program itself.
        if (!arguments.isEmpty())
            text.replace(QLatin1String("<executable_name>"), QFileInfo(arguments.constFirst()).fileName());
        out << text;
        out.flush();
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        out << kProgramName << ' ' << QStringLiteral(KORVLAND_VERSION) << '\n';
        out.flush();
        return 0;
    }
    return std::nullopt;
}

CommandLine readCommandLine(const QStringList& arguments, const SettingsLocation& settings,
                            QTextStream& err) {
    Parser p(settings);
    QString problem;
    if (!p.parser.parse(arguments))
        problem = p.parser.errorText();
    else if (p.parser.positionalArguments().size() > 1)
        problem = QStringLiteral("Only one file can be opened at a time.");
    if (!problem.isEmpty()) {
        err << kProgramName << ": " << problem << "\nTry '" << kProgramName << " --help'.\n";
        err.flush();
        return {2, {}};
    }
    CommandLine command;
    if (!p.parser.positionalArguments().isEmpty())
        // The recent-files list and the editor show full paths, wherever the program started.
        command.file = QFileInfo(localPath(p.parser.positionalArguments().constFirst())).absoluteFilePath();
    return command;
}

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

void openOnHandOver(EditorWindow* editor, const QString& file) {
    if (editor && !file.isEmpty())
        new HandOverWatcher(editor, file);
}

} // namespace korvland
