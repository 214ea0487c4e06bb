#include "ui/start/qt_dialogs.h"

#include "ui/common/alt_letter_guard.h"
#include "ui/common/explode_effect.h"
#include "ui/common/message_box.h"
#include "ui/start/folder_chooser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace korvland {

QStringList toQtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
#ifndef Q_OS_WIN
        // "*.*" means every file; elsewhere it would hide the names without a dot.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
#endif
        result << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return result;
}

namespace {

// Qt's file dialog, asking the request's own question (through the program's dialogs) before
// a save replaces a file where the request has one; "No" keeps the dialog open, as Qt's own
// question does.
class FileDialog : public QFileDialog {
  public:
    FileDialog(QWidget* parent, Dialogs& dialogs, const FileDialogRequest& request)
        : QFileDialog(parent), mDialogs(dialogs), mRequest(request) {}

  protected:
    void accept() override {
        const QStringList chosen = selectedFiles();
        const QFileInfo info(chosen.isEmpty() ? QString() : chosen.first());
        const QString own =
            acceptMode() == AcceptSave && mRequest.replaceQuestion && info.exists() && !info.isDir()
                ? mRequest.replaceQuestion(info.filePath())
                : QString();
        if (own.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        if (!mDialogs.question(this, own))
            return;
        setOption(DontConfirmOverwrite, true);
        QFileDialog::accept();
        setOption(DontConfirmOverwrite, false);
    }

  private:
    Dialogs& mDialogs;
    const FileDialogRequest& mRequest;
};

std::optional<QString> runFileDialog(Dialogs& dialogs, QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    FileDialog dialog(parent, dialogs, request);
    // Qt's own dialog, so that the name filters match without regard to letter case
    // on every platform.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist is accepted
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    dialog.setNameFilters(toQtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(request.initialFolder);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    // A save dialog asks before it replaces a file, and "No" keeps it open.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    AltLetterGuard::guardBoxesIn(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

QDialogButtonBox::StandardButton messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                            const QString& text, QDialogButtonBox::StandardButtons buttons,
                                            QDialogButtonBox::StandardButton defaultButton) {
    MessageBox box(icon, title, text, buttons, defaultButton, parent);
    return box.ask();
}

} // namespace

std::optional<QString> QtDialogs::openFile(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(*this, parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(*this, parent, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::chooseFolder(QWidget* parent, const QString& startFolder) {
    FolderChooser chooser(*this, parent, startFolder);
    explodeOnEveryShow(chooser);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.result();
}

std::optional<QString> QtDialogs::prompt(QWidget* parent, const QString& title, const QString& label) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    // The prompt names a folder, shown as it stands even when it looks like markup.
    for (QLabel* text : dialog.findChildren<QLabel*>())
        text->setTextFormat(Qt::PlainText);
    dialog.setInputMode(QInputDialog::TextInput); // makes the text box, so it can be guarded
    AltLetterGuard::guardBoxesIn(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtDialogs::information(QWidget* parent, const QString& text) {
    messageBox(parent, QMessageBox::Information,
               QCoreApplication::translate("korvland::QtDialogs", "Information"), text, QDialogButtonBox::Ok,
               QDialogButtonBox::Ok);
}

void QtDialogs::error(QWidget* parent, const QString& text) {
    messageBox(parent, QMessageBox::Critical, applicationTitle(), text, QDialogButtonBox::Ok,
               QDialogButtonBox::Ok);
}

void QtDialogs::warning(QWidget* parent, const QString& title, const QString& text) {
    messageBox(parent, QMessageBox::Warning, title, text, QDialogButtonBox::Ok, QDialogButtonBox::Ok);
}

bool QtDialogs::question(QWidget* parent, const QString& text) {
    return messageBox(parent, QMessageBox::Question, applicationTitle(), text,
                      QDialogButtonBox::Yes | QDialogButtonBox::No,
                      QDialogButtonBox::No) == QDialogButtonBox::Yes;
}

SaveChoice QtDialogs::askToSave(QWidget* parent, const QString& text) {
    switch (messageBox(parent, QMessageBox::Warning, applicationTitle(), text,
                       QDialogButtonBox::Save | QDialogButtonBox::Discard | QDialogButtonBox::Cancel,
                       QDialogButtonBox::Save)) {
    case QDialogButtonBox::Save:
        return SaveChoice::Save;
    case QDialogButtonBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

int QtDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

} // namespace korvland
