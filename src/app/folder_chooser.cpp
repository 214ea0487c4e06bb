#include "app/folder_chooser.h"

namespace korvland {

LMDDD1::LMDDD1(Dialogs& dialogs, QWidget* parent, const QString& startFolder)
    : QDialog(parent), mDialogs(dialogs), mFolder(startFolder) {
    setWindowTitle(QStringLiteral("Choose Landmarks Files Location"));
}

QString LMDDD1::result() const { return mFolder; }

} // namespace korvland
