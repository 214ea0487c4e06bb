#include "app/qt_dialogs.h"
#include "app/startup.h"

#include <QApplication>

// Every command and window event reports the operator-facing errors (UserError) it meets
// itself, where it knows what failed. Anything else is a programming error: it is not
// caught here, so that it ends the program loudly instead of passing for a user's mistake.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvland::QtDialogs dialogs;
    // The windows are destroyed, in reverse order, when `startup` goes after the loop ends.
    korvland::Startup startup(dialogs, korvland::defaultSettingsPath());
    startup.show();
    return QApplication::exec();
}
