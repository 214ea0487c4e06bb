#include "app/qt_dialogs.h"
#include "app/startup.h"
#include "data/user_error.h"

#include <QApplication>

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
            korvland::reportError(mDialogs, activeWindow(), error);
            return true;
        }
    }

  private:
    korvland::Dialogs& mDialogs;
};

} // namespace

int main(int argc, char* argv[]) {
    korvland::QtDialogs dialogs;
    KorvApplication app(argc, argv, dialogs);
    // The windows are destroyed, in reverse order, when `startup` goes after the loop ends.
    korvland::Startup startup(dialogs, korvland::defaultSettingsPath());
    startup.show();
    return QApplication::exec();
}
