#pragma once

#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace korvland {

class UserError;

struct FileDialogRequest {
    QString title;         // empty: the platform's default title
    QString filter;        // "Description|pattern|Description|pattern", matched without regard to letter case
    QString defaultSuffix; // "dat"
    QString initialFolder;
    QString proposedName;        // file name offered by a save dialog
    bool readOnlyOption = false; // open with the read-only option set (master copies)
    // The question a save dialog asks, given the full path, before it replaces an existing
    // file that is no folder; the dialog's own question when this is unset or gives nothing.
    std::function<QString(const QString& path)> replaceQuestion;
};

// The save dialog's own question for `path`, or the request's where it has one.
QString replaceQuestionFor(const FileDialogRequest& request, const QString& path);

// The answers to the question before unsaved edits would be lost.
enum class SaveChoice { Save, Discard, Cancel };

// Every modal dialog and message box of the program goes through this interface, so
// that tests can answer them in order and run the real windows headless. Nothing else
// calls QMessageBox or QFileDialog.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // A save dialog asks before replacing an existing file ("lndmrks1.dat already exists.
    // Do you want to replace it?", or the request's own question); "No" returns to the dialog.
    virtual std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The folder chooser; the confirmed path as the chooser returns it.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) = 0;
    // A one-line prompt ("New Folder"); nothing when cancelled.
    virtual std::optional<QString> prompt(QWidget* parent, const QString& title, const QString& label) = 0;

    // Caption "Information", information icon, one "OK".
    virtual void information(QWidget* parent, const QString& text) = 0;
    // An error that escaped a command: caption the application title, stop icon, one
    // "OK"; the text already carries its closing period (errorBoxText).
    virtual void error(QWidget* parent, const QString& text) = 0;
    // A warning box with one "OK" (the folder chooser's "IO-Error!").
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // Save, Discard or Cancel before unsaved edits would be lost; Escape cancels.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text) = 0;

    // Any other modal dialog of the program (the About box, the folder chooser itself).
    virtual int exec(QDialog& dialog) = 0;
};

// The program's one name in the user's language: the editor's caption and that of every
// message box. Kept apart from Qt's display name, which the window system would append to
// every window caption, and from the application's name, which names the program to the
// window system.
QString applicationTitle();

// The text of the error box: the message with a period appended when its last
// character sorts after "." in character-code order.
QString errorBoxText(const QString& message);

// Shows an error that escaped a command through `dialogs`, with the period rule. A
// message about a file names it on a line of its own below the message.
void reportError(Dialogs& dialogs, QWidget* parent, const QString& message, const QString& path = {});
// The same for a caught error; a UserError about a file brings its path.
void reportError(Dialogs& dialogs, QWidget* parent, const UserError& error);

} // namespace korvland
