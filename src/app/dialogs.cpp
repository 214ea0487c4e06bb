#include "app/dialogs.h"

namespace korvland {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

void reportError(Dialogs& dialogs, QWidget* parent, const QString& message) {
    dialogs.error(parent, errorBoxText(message));
}

} // namespace korvland
