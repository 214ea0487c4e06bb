#include "app/dialogs.h"

#include "data/user_error.h"

#include <QCoreApplication>
#include <QFile>

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

void reportError(Dialogs& dialogs, QWidget* parent, const QString& message, const QString& path) {
    QString text = errorBoxText(message);
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    dialogs.error(parent, text);
}

void reportError(Dialogs& dialogs, QWidget* parent, const UserError& error) {
    reportError(dialogs, parent, QString::fromStdString(error.what()),
                QFile::decodeName(QByteArray::fromStdString(error.path())));
}

} // namespace korvland
