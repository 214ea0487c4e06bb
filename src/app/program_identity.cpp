#include "app/program_identity.h"

#include <QGuiApplication>

namespace korvland {

void setProgramIdentity() {
    // The window system takes the class from the name once, when the first window is made.
    QCoreApplication::setApplicationName(QLatin1String(kProgramName));
    QGuiApplication::setDesktopFileName(QLatin1String(kProgramName));
}

} // namespace korvland
