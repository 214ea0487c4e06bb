#pragma once

#include "ui/common/dialogs.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace korvland::testing {

// Answers the program's dialogs in the order a test scripted them and records what
// was asked. A dialog the script did not expect (another kind, or none left) fails
// the test and is answered with a cancel.
class ScriptedDialogs : public Dialogs {
  public:
    enum class Kind {
        OpenFile,
        SaveFile,
        ChooseFolder,
        Prompt,
        Information,
        Error,
        Warning,
        Question,
        SaveChoice,
        Exec
    };

    struct Asked {
        Kind kind;
        QString title;             // dialog title or message-box caption where known
        QString text;              // message text, prompt label
        FileDialogRequest request; // file dialogs
    };

    // Scripting: each call queues one expected dialog and its answer.
    void expectOpenFile(std::optional<QString> answer);
    // A save answer naming an existing file is followed by the dialog's replace question:
    // script expectQuestion(true) to replace, expectQuestion(false) and another
    // expectSaveFile for the dialog that comes back.
    void expectSaveFile(std::optional<QString> answer);
    void expectChooseFolder(std::optional<QString> answer);
    void expectPrompt(std::optional<QString> answer);
    void expectInformation();
    void expectError();
    void expectWarning();
    void expectQuestion(bool yes);
    // The question before unsaved edits are lost; `whileAsked` runs while it is up.
    void expectSaveChoice(korvland::SaveChoice answer, std::function<void()> whileAsked = {});
    // exec(dialog) runs `action` on the dialog (it may look at it, click in it) and returns `result`.
    void expectExec(int result, std::function<void(QDialog&)> action = {});

    // What the program asked, in order.
    const std::vector<Asked>& asked() const { return mAsked; }
    const Asked& last() const { return mAsked.back(); }
    // Whether every scripted dialog has been asked.
    bool allAnswered() const { return mScript.empty(); }
    // The texts of the message boxes shown (information, error, warning), in order.
    QStringList messages() const;

    std::optional<QString> openFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) override;
    std::optional<QString> prompt(QWidget* parent, const QString& title, const QString& label) override;
    void information(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    korvland::SaveChoice askToSave(QWidget* parent, const QString& text) override;
    int exec(QDialog& dialog) override;

  private:
    struct Step {
        Kind kind;
        std::optional<QString> text;
        bool yes = false;
        int result = 0;
        std::function<void(QDialog&)> action;
        korvland::SaveChoice choice = korvland::SaveChoice::Cancel;
        std::function<void()> whileAsked{};
    };
    std::optional<Step> next(Kind kind, Asked asked);

    std::deque<Step> mScript;
    std::vector<Asked> mAsked;
};

const char* kindName(ScriptedDialogs::Kind kind);

// A path or text of the data layer as the windows take it.
inline QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}

// A test that scripts the program's dialogs: by its end every scripted answer was asked for.
template <typename Base = ::testing::Test> class ScriptedDialogsTest : public Base {
  protected:
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswered()) << "a scripted dialog was never shown"; }

    ScriptedDialogs dialogs;
};

} // namespace korvland::testing
