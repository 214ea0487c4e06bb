#include "data/file_io.h"
#include "data/recovery_copy.h"
#include "document/native_path.h"
#include "ui/common/data_texts.h"
#include "ui/start/command_line.h"
#include "ui/start/program_identity.h"
#include "ui/start/qt_dialogs.h"
#include "ui/start/single_instance.h"
#include "ui/start/startup.h"
#include "ui/start/system_end.h"
#include "ui/start/translations.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

// Every command and window event reports the operator-facing errors (UserError) it meets
// itself, where it knows what failed. Anything else is a programming error: it is not
// caught here, so that it ends the program loudly instead of passing for a user's mistake.
int main(int argc, char* argv[]) {
    const korvland::SettingsLocation settings = korvland::settingsLocation();
    QTextStream err(stderr);
    {
        // --help and --version answer before the window system is reached.
        QTextStream out(stdout);
        if (const auto answered =
                korvland::answerInformationRequest(korvland::argumentList(argc, argv), settings, out))
            return *answered;
        if (const auto refused =
                korvland::refuseWithoutDisplay(korvland::argumentList(argc, argv), settings, err))
            return *refused;
    }
    // Before the first window, which the folder chooser of a first start may be.
    korvland::setProgramIdentity();
    QApplication app(argc, argv);
    // The windows' texts, and Qt's own, in the language of the user's locale.
    korvland::installTranslations(app);
    korvland::QtDialogs dialogs;
    // What the file layer mends of its own accord (a save killed part-way) is told once the
    // event loop runs, never in the middle of the read that found it.
    korvland::setFileNoticeHandler([&dialogs](const korvland::Message& notice) {
        QTimer::singleShot(0, qApp, [&dialogs, text = korvland::messageText(notice)] {
            dialogs.information(QApplication::activeWindow(), text);
        });
    });
    const korvland::CommandLine command =
        korvland::readCommandLine(QCoreApplication::arguments(), settings, err);
    if (command.exitCode)
        return *command.exitCode;
    // A signal or the session's end closes the program as closing the editor does, without
    // the questions, and unsaved work stays for the next start. A signal that comes while the
    // windows are still being made (a first start's folder chooser) ends the run once they are.
    korvland::Startup* running = nullptr;
    bool endedEarly = false;
    korvland::SystemEnd systemEnd([&running, &endedEarly] {
        if (running)
            running->endWithoutQuestions();
        else
            endedEarly = true;
        QCoreApplication::exit(0);
    });
    // A later start on the same desktop hands its file to the editor already running.
    korvland::SingleInstance instance;
    if (const auto handedOver = instance.claimOrHandOver(command.file, err))
        return *handedOver;
    korvland::prepareSettingsFolder(settings);
    // The windows are destroyed, in reverse order, when `startup` goes after the loop ends.
    korvland::Startup startup(dialogs, korvland::nativePath(settings.path));
    if (const std::optional<std::string> kept = korvland::defaultRecoveryFolder())
        startup.keepUnsavedWork(QFile::decodeName(QByteArray::fromStdString(*kept)));
    else
        // Never a shared folder in its place, where another user could make the name first.
        err << QCoreApplication::translate("korvland::Startup",
                                           "korvland: this user has no home folder; unsaved work is not kept "
                                           "for a restart.")
            << '\n'
            << Qt::flush;
    if (endedEarly)
        return 0;
    running = &startup;
    korvland::openOnHandOver(startup.windows().editor.get(), command.file);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [&startup] { startup.keepState(); });
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &app, [&startup] { startup.keepState(); });
    startup.show();
    instance.serve(startup.welcome(), startup.windows().editor.get());
    return QApplication::exec();
}
