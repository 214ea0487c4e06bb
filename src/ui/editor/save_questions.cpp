#include "ui/editor/save_questions.h"

#include "data/file_kind.h"
#include "document/landmark_document.h"
#include "document/native_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

#include <cstdlib>

namespace korvland {

namespace {

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

bool sameFolder(const QString& a, const QString& b) {
    const QDir first(a);
    const QDir second(b);
    if (first.exists() && second.exists())
        return first.canonicalPath() == second.canonicalPath();
    return first.absolutePath() == second.absolutePath();
}

} // namespace

QString landmarkReplaceQuestion(const QString& path, const LandmarkDocument& document) {
    const QFileInfo file(path);
    const QString name = file.fileName();
    const QString editedPath = document.filePath();
    if (fileKindAt(nativePath(path)) == FileKind::Profile)
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 is a profile. Replace it with landmarks?")
            .arg(name);
    if (document.changedOnDisk(path))
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 has been changed by another program since it was opened. "
                                           "Replace it with the editor's landmarks?")
            .arg(name);
    if (!editedPath.isEmpty() && !sameFile(path, editedPath))
        //: %1 is a file name, %2 its folder, %3 the full path of the file being edited.
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 in %2 is not the file being edited (%3). Replace it?")
            .arg(name, QDir::toNativeSeparators(file.absolutePath()), QDir::toNativeSeparators(editedPath));
    return {};
}

QString profileReplaceQuestion(const QString& path) {
    if (fileKindAt(nativePath(path)) == FileKind::Landmarks)
        return QCoreApplication::translate("korvland::SaveQuestions",
                                           "%1 is a landmark file. Replace it with a profile?")
            .arg(QFileInfo(path).fileName());
    return {};
}

SaveProposal landmarkSaveProposal(const LandmarkDocument& document, const QString& landmarksFolder) {
    const QString proposedFolder = document.proposedSaveFolder();
    const QFileInfo edited(document.filePath());
    if (!proposedFolder.isEmpty() || document.filePath().isEmpty() ||
        sameFolder(edited.absolutePath(), landmarksFolder))
        return {proposedFolder.isEmpty() ? landmarksFolder : proposedFolder, document.proposedSaveName()};
    // A master copy is not written over: its landmark file goes beside it.
    const bool master = edited.suffix().compare(QLatin1String("mlf"), Qt::CaseInsensitive) == 0;
    return {edited.absolutePath(), master ? document.proposedSaveName() : edited.fileName()};
}

QString saveChangesQuestion(const QUndoStack& history, const QString& fileName, const QString& opening) {
    const int clean = history.cleanIndex();
    const int steps = std::abs(history.index() - clean);
    const bool counted = clean >= 0 && steps > 0;
    //: The first sentence of the question before unsaved changes are lost.
    const QString first =
        counted ? QCoreApplication::translate("korvland::SaveQuestions", "%n change(s) not saved.", nullptr,
                                              steps)
                : QCoreApplication::translate("korvland::SaveQuestions", "There are unsaved changes.");
    // The plural of the question follows the count, "the changes" when there is none.
    const int n = counted ? steps : 2;
    const QString second =
        opening.isEmpty()
            //: %1 is the file being edited.
            ? QCoreApplication::translate("korvland::SaveQuestions",
                                          "Save the change(s) to %1 before quitting?", nullptr, n)
                  .arg(fileName)
            //: %1 is the file being edited, %2 the file about to be opened.
            : QCoreApplication::translate("korvland::SaveQuestions",
                                          "Save the change(s) to %1 before opening %2?", nullptr, n)
                  .arg(fileName, opening);
    return first + QLatin1Char(' ') + second;
}

} // namespace korvland
