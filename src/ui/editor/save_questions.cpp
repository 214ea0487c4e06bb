#include "ui/editor/save_questions.h"

#include "data/file_identity.h"
#include "data/file_kind.h"
#include "document/native_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUndoStack>

#include <cstdlib>

namespace korvland {

QString landmarkReplaceQuestion(const QString& path, const FileMemory& files) {
    const QString name = QFileInfo(path).fileName();
    if (fileKindAt(nativePath(path)) == FileKind::Profile)
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 is a profile. Replace it with landmarks?")
            .arg(name);
    if (files.changedByAnother(nativePath(path)))
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 has been changed by another program since it was opened. "
                                           "Replace it with the editor's landmarks?")
            .arg(name);
    return {};
}

QString profileReplaceQuestion(const QString& path) {
    if (fileKindAt(nativePath(path)) == FileKind::Landmarks)
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 is a landmark file. Replace it with a profile?")
            .arg(QFileInfo(path).fileName());
    return {};
}

QString unsavedChangesQuestion(const QUndoStack& history, const QString& ending) {
    const int clean = history.cleanIndex();
    const int steps = std::abs(history.index() - clean);
    if (clean < 0 || steps == 0)
        //: %1 is a second sentence such as "Discard them?".
        return QCoreApplication::translate("korvland::SaveQuestions", "There are unsaved changes. %1")
            .arg(ending);
    if (steps == 1)
        //: %1 is a second sentence such as "Discard them?".
        return QCoreApplication::translate("korvland::SaveQuestions", "1 change is not saved. %1")
            .arg(ending);
    //: %1 is the number of changes, %2 a second sentence such as "Discard them?".
    return QCoreApplication::translate("korvland::SaveQuestions", "%1 changes are not saved. %2")
        .arg(QString::number(steps), ending);
}

} // namespace korvland
