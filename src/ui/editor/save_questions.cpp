#include "ui/editor/save_questions.h"

#include "data/file_identity.h"
#include "data/file_kind.h"

#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <cstdlib>

namespace korvland {

namespace {

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QString landmarkReplaceQuestion(const QString& path, const FileMemory& files) {
    const QString name = QFileInfo(path).fileName();
    if (fileKindAt(nativePath(path)) == FileKind::Profile)
        return QStringLiteral("%1 is a profile. Replace it with landmarks?").arg(name);
    if (files.changedByAnother(nativePath(path)))
        return QStringLiteral(
                   "%1 has been changed by another program since it was opened. Replace it with the "
                   "editor's landmarks?")
            .arg(name);
    return {};
}

QString profileReplaceQuestion(const QString& path) {
    if (fileKindAt(nativePath(path)) == FileKind::Landmarks)
        return QStringLiteral("%1 is a landmark file. Replace it with a profile?")
            .arg(QFileInfo(path).fileName());
    return {};
}

QString unsavedChangesQuestion(const QUndoStack& history, const QString& ending) {
    const int clean = history.cleanIndex();
    const int steps = std::abs(history.index() - clean);
    if (clean < 0 || steps == 0)
        return QStringLiteral("There are unsaved changes. %1").arg(ending);
    if (steps == 1)
        return QStringLiteral("1 change is not saved. %1").arg(ending);
    return QStringLiteral("%1 changes are not saved. %2").arg(steps).arg(ending);
}

} // namespace korvland
