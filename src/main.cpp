#include "app/command_line.h"
#include "app/qt_dialogs.h"
#include "app/startup.h"
#include "data/user_error.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

// Every handler shows its own failures; an operator-facing error that still slips out
// of an event is shown the same way, and the event loop goes on.
class KorvApplication : public QApplication {
  public:
    KorvApplication(int& argc, char** argv, korvland::Dialogs& dialogs)
        : QApplication(argc, argv), mDialogs(dialogs) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const korvland::UserError& error) {
            korvland::reportError(mDialogs, activeWindow(), QString::fromStdString(error.what()));
            return true;
        }
    }

  private:
    korvland::Dialogs& mDialogs;
};

} // namespace

int main(int argc, char* argv[]) {
    const korvland::SettingsLocation settings = korvland::settingsLocation();
    {
        // --help and --version answer before the window system is reached.
        QTextStream out(stdout);
        if (const auto answered =
                korvland::answerInformationRequest(korvland::argumentList(argc, argv), settings, out))
            return *answered;
    }
    korvland::QtDialogs dialogs;
    KorvApplication app(argc, argv, dialogs);
    QTextStream err(stderr);
    const korvland::CommandLine command =
        korvland::readCommandLine(QCoreApplication::arguments(), settings, err);
    if (command.exitCode)
        return *command.exitCode;
    korvland::prepareSettingsFolder(settings);
    // The windows are destroyed, in reverse order, when `startup` goes after the loop ends.
    korvland::Startup startup(dialogs, QFile::encodeName(settings.path).toStdString());
    korvland::openOnHandOver(startup.windows(), command.file);
    startup.show();
    return QApplication::exec();
}
