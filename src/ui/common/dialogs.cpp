#include "ui/common/dialogs.h"

#include "data/user_error.h"
#include "ui/common/data_texts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace korvland {

QString applicationTitle() {
    // Looked up at every use, so that it follows the translation installed.
    //: The program's name: the editor's caption and that of every message box.
    return QCoreApplication::translate("korvland::EditorWindow", "KORV TLQ Landmarks Editor");
}

QString replaceQuestionFor(const FileDialogRequest& request, const QString& path) {
    QString own = request.replaceQuestion ? request.replaceQuestion(path) : QString();
    if (!own.isEmpty())
        return own;
    //: %1 is the name of the file chosen in a save dialog.
    return QCoreApplication::translate("korvland::Dialogs", "%1 already exists.\nDo you want to replace it?")
        .arg(QFileInfo(path).fileName());
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
    reportError(dialogs, parent, userErrorText(error),
                QFile::decodeName(QByteArray::fromStdString(error.path())));
}

} // namespace korvland
