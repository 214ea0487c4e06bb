#include "ui/start/program_identity.h"

#include <QGuiApplication>

namespace korvland {

void setProgramIdentity() {
    // The window system takes the class from the name once, when the first window is made.
    QCoreApplication::setApplicationName(QLatin1String(kProgramName));
    // The desktop entry is installed under the application id; task bars match windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVLAND_APP_ID));
}

} // namespace korvland
