#pragma once

#include "ui/common/dialogs.h"

#include <QStringList>

#include <functional>

namespace korvland::guide {

// The program's dialogs, answered as the operator of a step answers them: an open dialog takes
// the next file queued, a save dialog what it proposes when a step saves, a dialog run by the program is
// handed to the step to take its picture, and everything else is refused. A message box means a step went
// wrong: it is remembered.
class PictureDialogs : public Dialogs {
  public:
    QStringList filesToOpen;
    // A save dialog takes the name and folder it proposes.
    bool saveWhereProposed = false;
    std::function<void(QDialog&)> whileShown;
    QStringList messages;

    std::optional<QString> openFile(QWidget*, const FileDialogRequest&) override {
        if (filesToOpen.isEmpty())
            return std::nullopt;
        return filesToOpen.takeFirst();
    }
    std::optional<QString> saveFile(QWidget*, const FileDialogRequest& request) override {
        if (!saveWhereProposed)
            return std::nullopt;
        return request.initialFolder + QLatin1Char('/') + request.proposedName;
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> prompt(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    void information(QWidget*, const QString& text) override { messages << text; }
    void error(QWidget*, const QString& text) override { messages << text; }
    void warning(QWidget*, const QString&, const QString& text) override { messages << text; }
    bool question(QWidget*, const QString& text) override {
        messages << text;
        return false;
    }
    SaveChoice askToSave(QWidget*, const QString&) override { return SaveChoice::Discard; }
    int exec(QDialog& dialog) override {
        if (whileShown)
            whileShown(dialog);
        return 0;
    }
};

} // namespace korvland::guide
