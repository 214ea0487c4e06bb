#include "editor/save_questions.h"

#include "data/file_identity.h"
#include "data/file_kind.h"

#include <QFile>
#include <QFileInfo>

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

} // namespace korvland
