// The landmark file being edited changed by another program (a script's `korvland-cli edit`, a
// second editor, a backup put back): the status line says so, and a save offers to merge the
// unsaved steps onto the file as it is now rather than throw the other program's work away.
#include "ui/editor/editor_window.h"

#include "data/user_error.h"

#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

namespace korvland {

void EditorWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        noticeChangeOnDisk();
}

void EditorWindow::noticeChangeOnDisk() {
    const LandmarkDocument& document = mContext.document;
    const QString path = document.filePath();
    if (mChangeNoticed || path.isEmpty() || !document.changedOnDisk(path))
        return;
    mChangeNoticed = true;
    const QString name = QFileInfo(path).fileName();
    const std::optional<int> records = document.recordsChangedOnDisk();
    showNotice(records
                   //: The status line: %1 is the file being edited.
                   ? tr("%1 was changed by another program: %n record(s)", nullptr, *records).arg(name)
                   : tr("%1 was changed by another program").arg(name));
    if (!records || !isModified())
        return;
    if (!mMergeButton) {
        //: Status line button: lays the unsaved changes onto the file another program changed.
        mMergeButton = new QPushButton(tr("Merge Now"), statusBar());
        mMergeButton->setObjectName(QLatin1String(editor_names::kMergeButton));
        mMergeButton->setFlat(true);
        statusBar()->insertWidget(1, mMergeButton);
        connect(mMergeButton, &QPushButton::clicked, this, &EditorWindow::mergeFileOnDisk);
    }
    mMergeButton->show();
}

void EditorWindow::endChangeNotice() {
    mChangeNoticed = false;
    if (mMergeButton)
        mMergeButton->hide();
}

bool EditorWindow::mergeFileOnDisk() {
    try {
        if (!mContext.document.mergeWithFileOnDisk(conflictChoice()))
            return false;
    } catch (const UserError& e) {
        reportError(mContext.dialogs, this, e);
        return false;
    }
    endChangeNotice();
    showNotice(mStandingNotice);
    resetEditor();
    return true;
}

bool EditorWindow::saveOverChangedFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int records = mContext.document.recordsChangedOnDisk().value_or(0);
    //: %1 is the file being edited.
    QMessageBox box(
        QMessageBox::Question, applicationTitle(),
        tr("%1 has been changed by another program since it was opened: %n record(s) differ. Merge "
           "your unsaved changes into it, or replace it with the editor's landmarks?",
           nullptr, records)
            .arg(name),
        QMessageBox::NoButton, this);
    box.setObjectName(QLatin1String(editor_names::kChangedFileQuestion));
    //: Keeps the other program's changes and lays the unsaved ones onto them.
    QPushButton* merge = box.addButton(tr("&Merge"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(tr("&Replace"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    merge->setObjectName(QLatin1String(editor_names::kMergeAnswer));
    replace->setObjectName(QLatin1String(editor_names::kReplaceAnswer));
    cancel->setObjectName(QLatin1String(editor_names::kCancelAnswer));
    box.setDefaultButton(merge);
    box.setEscapeButton(cancel);
    mContext.dialogs.exec(box);
    // A merge cancelled at its conflicts writes nothing either.
    if ((box.clickedButton() != merge && box.clickedButton() != replace) ||
        (box.clickedButton() == merge && !mergeFileOnDisk())) {
        mContext.dialogs.information(this, tr("Landmarks file not compiled."));
        return false;
    }
    try {
        mContext.document.write(path);
    } catch (const UserError& e) {
        reportError(mContext.dialogs, this, e);
        return false;
    }
    endChangeNotice();
    showNotice(savedNotice(name));
    return true;
}

} // namespace korvland
