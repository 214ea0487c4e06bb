#pragma once

#include "ui/common/dialogs.h"

#include <QStringList>

namespace korvland {

// The program's dialogs: Qt's own file dialogs and message boxes, and the folder chooser.
class QtDialogs : public Dialogs {
  public:
    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) override;
    std::optional<QString> prompt(QWidget* parent, const QString& title, const QString& label) override;
    void information(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    SaveChoice askToSave(QWidget* parent, const QString& text) override;
    int exec(QDialog& dialog) override;
};

// "Desc|pattern|Desc|pattern" to Qt's name filters ("Desc (pattern)").
QStringList toQtNameFilters(const QString& filter);

} // namespace korvland
