#include "app/qt_dialogs.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvland::QtDialogs dialogs;
    korvland::Startup startup(dialogs, korvland::defaultSettingsPath());
    startup.show();
    return QApplication::exec();
}
