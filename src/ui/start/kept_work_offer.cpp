#include "ui/start/kept_work_offer.h"

#include "data/recovery_copy.h"
#include "document/landmark_document.h"
#include "document/recovery_keeper.h"
#include "ui/common/app_context.h"
#include "ui/common/dialogs.h"
#include "ui/editor/editor_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace korvland {

namespace {

QString whenWritten(const QDateTime& written, const QDateTime& now) {
    const QString time = written.toString(QStringLiteral("HH:mm"));
    if (written.date() == now.date())
        //: When the kept work was written: %1 is the time of day ("23:14").
        return QCoreApplication::translate("korvland::KeptWorkOffer", "today %1").arg(time);
    if (written.date() == now.date().addDays(-1))
        //: When the kept work was written: %1 is the time of day ("23:14").
        return QCoreApplication::translate("korvland::KeptWorkOffer", "yesterday %1").arg(time);
    return written.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

enum class Answer { Restore, Discard, Later };

Answer ask(Dialogs& dialogs, QWidget* parent, const RecoveryEntry& entry) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), keptWorkQuestion(entry), QMessageBox::NoButton,
                    parent);
    box.setObjectName(QLatin1String(kept_work_names::kQuestion));
    QPushButton* restore = box.addButton(QCoreApplication::translate("korvland::KeptWorkOffer", "&Restore"),
                                         QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QCoreApplication::translate("korvland::KeptWorkOffer", "&Discard"),
                                         QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QCoreApplication::translate("korvland::KeptWorkOffer", "&Later"),
                                       QMessageBox::RejectRole);
    restore->setObjectName(QLatin1String(kept_work_names::kRestoreButton));
    discard->setObjectName(QLatin1String(kept_work_names::kDiscardButton));
    later->setObjectName(QLatin1String(kept_work_names::kLaterButton));
    box.setDefaultButton(restore);
    // Closing the box keeps the work: nothing is lost by a question waved away.
    box.setEscapeButton(later);
    dialogs.exec(box);
    if (box.clickedButton() == restore)
        return Answer::Restore;
    return box.clickedButton() == discard ? Answer::Discard : Answer::Later;
}

} // namespace

QString keptWorkQuestion(const RecoveryEntry& entry, const QDateTime& now) {
    const RecoveryDescription& d = entry.description;
    // The folder tells two lndmrks4.dat apart.
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(d.original.path)));
    const QString name = file.fileName();
    const QString when = whenWritten(QDateTime::fromSecsSinceEpoch(d.writtenAt), now);
    //: %1 is the file name, %2 its folder, %3 when ("today 23:14").
    QString text = QCoreApplication::translate("korvland::KeptWorkOffer",
                                               "korvland ended while %1 in %2 had %n unsaved change(s) (%3).",
                                               nullptr, d.unsavedSteps)
                       .arg(name, QDir::toNativeSeparators(file.absolutePath()), when);
    if (changedSince(d.original))
        //: %1 is the file name.
        text += QLatin1Char(' ') +
                QCoreApplication::translate("korvland::KeptWorkOffer", "%1 has been changed on disk since.")
                    .arg(name);
    return text + QLatin1Char(' ') +
           QCoreApplication::translate("korvland::KeptWorkOffer", "Restore (it|them)?", nullptr,
                                       d.unsavedSteps);
}

void offerKeptWork(AppContext& context, EditorWindow& editor) {
    const RecoveryKeeper* keeper = context.document.recoveryKeeper();
    if (!keeper)
        return;
    std::vector<std::string> passedOver;
    const std::vector<RecoveryEntry> entries = findRecoveryCopies(keeper->folder(), &passedOver);
    // Files far larger than this program writes are not its work: reading them could take
    // the start's time and memory.
    for (const std::string& path : passedOver)
        //: %1 is a path in the folder of kept work.
        context.dialogs.information(
            &editor,
            QCoreApplication::translate("korvland::KeptWorkOffer",
                                        "%1 was passed over: it is larger than any kept work can be.")
                .arg(QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)))));
    for (const RecoveryEntry& entry : entries) {
        if (writerStillRuns(entry.description))
            continue;
        const Answer answer = ask(context.dialogs, &editor, entry);
        if (answer == Answer::Discard)
            removeRecoveryCopy(entry.files);
        if (answer == Answer::Restore && editor.restoreKeptWork(entry))
            return;
    }
}

} // namespace korvland
