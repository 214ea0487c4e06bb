#include "app/dialogs.h"

#include <QCoreApplication>

namespace korvland {

QString applicationTitle() {
    return QCoreApplication::applicationName();
}

void setApplicationTitle(const QString& title) {
    QCoreApplication::setApplicationName(title);
}

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

void reportError(Dialogs& dialogs, QWidget* parent, const QString& message) {
    dialogs.error(parent, errorBoxText(message));
}

} // namespace korvland
