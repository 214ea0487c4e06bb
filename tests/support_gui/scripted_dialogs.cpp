#include "support_gui/scripted_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace korvland::testing {

const char* kindName(ScriptedDialogs::Kind kind) {
    using K = ScriptedDialogs::Kind;
    switch (kind) {
    case K::OpenFile:
        return "open file";
    case K::SaveFile:
        return "save file";
    case K::ChooseFolder:
        return "folder chooser";
    case K::Prompt:
        return "prompt";
    case K::Information:
        return "information box";
    case K::Error:
        return "error box";
    case K::Warning:
        return "warning box";
    case K::Question:
        return "question";
    case K::SaveChoice:
        return "save, discard or cancel question";
    case K::Exec:
        return "modal dialog";
    }
    return "?";
}

void ScriptedDialogs::expectOpenFile(std::optional<QString> answer) {
    mScript.push_back({Kind::OpenFile, answer, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectSaveFile(std::optional<QString> answer) {
    mScript.push_back({Kind::SaveFile, answer, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectChooseFolder(std::optional<QString> answer) {
    mScript.push_back({Kind::ChooseFolder, answer, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectPrompt(std::optional<QString> answer) {
    mScript.push_back({Kind::Prompt, answer, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectInformation() {
    mScript.push_back({Kind::Information, {}, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectError() {
    mScript.push_back({Kind::Error, {}, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectWarning() {
    mScript.push_back({Kind::Warning, {}, false, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectQuestion(bool yes) {
    mScript.push_back({Kind::Question, {}, yes, 0, {}, SaveChoice::Cancel, {}});
}
void ScriptedDialogs::expectSaveChoice(SaveChoice answer, std::function<void()> whileAsked) {
    mScript.push_back({Kind::SaveChoice, {}, false, 0, {}, answer, std::move(whileAsked)});
}
void ScriptedDialogs::expectExec(int result, std::function<void(QDialog&)> action) {
    mScript.push_back({Kind::Exec, {}, false, result, std::move(action), SaveChoice::Cancel, {}});
}

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Asked& a : mAsked)
        if (a.kind == Kind::Information || a.kind == Kind::Error || a.kind == Kind::Warning)
            texts << a.text;
    return texts;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::next(Kind kind, Asked asked) {
    mAsked.push_back(std::move(asked));
    const Asked& a = mAsked.back();
    if (mScript.empty()) {
        ADD_FAILURE() << "Unexpected " << kindName(kind) << ": \"" << a.title.toStdString() << "\" \""
                      << a.text.toStdString() << "\"";
        return std::nullopt;
    }
    Step step = std::move(mScript.front());
    mScript.pop_front();
    if (step.kind != kind) {
        ADD_FAILURE() << "Expected " << kindName(step.kind) << " but the program showed " << kindName(kind)
                      << ": \"" << a.title.toStdString() << "\" \"" << a.text.toStdString() << "\"";
        return std::nullopt;
    }
    return step;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileDialogRequest& request) {
    auto step = next(Kind::OpenFile, {Kind::OpenFile, request.title, {}, request});
    return step ? step->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileDialogRequest& request) {
    // As the platform's save dialog does: a name that exists asks before it is replaced,
    // and "No" returns to the dialog.
    for (;;) {
        auto step = next(Kind::SaveFile, {Kind::SaveFile, request.title, {}, request});
        if (!step || !step->text)
            return std::nullopt;
        const QFileInfo chosen(*step->text);
        if (!chosen.exists())
            return step->text;
        const QString question = replaceQuestionFor(request, chosen.filePath());
        auto answer = next(Kind::Question, {Kind::Question, request.title, question, {}});
        if (!answer)
            return std::nullopt;
        if (answer->yes)
            return step->text;
    }
}

std::optional<QString> ScriptedDialogs::chooseFolder(QWidget*, const QString& startFolder) {
    auto step = next(Kind::ChooseFolder, {Kind::ChooseFolder, {}, startFolder, {}});
    return step ? step->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::prompt(QWidget*, const QString& title, const QString& label) {
    auto step = next(Kind::Prompt, {Kind::Prompt, title, label, {}});
    return step ? step->text : std::nullopt;
}

void ScriptedDialogs::information(QWidget*, const QString& text) {
    next(Kind::Information, {Kind::Information, QStringLiteral("Information"), text, {}});
}

void ScriptedDialogs::error(QWidget*, const QString& text) {
    next(Kind::Error, {Kind::Error, applicationTitle(), text, {}});
}

void ScriptedDialogs::warning(QWidget*, const QString& title, const QString& text) {
    next(Kind::Warning, {Kind::Warning, title, text, {}});
}

bool ScriptedDialogs::question(QWidget*, const QString& text) {
    auto step = next(Kind::Question, {Kind::Question, applicationTitle(), text, {}});
    return step && step->yes;
}

SaveChoice ScriptedDialogs::askToSave(QWidget*, const QString& text) {
    auto step = next(Kind::SaveChoice, {Kind::SaveChoice, applicationTitle(), text, {}});
    if (!step)
        return SaveChoice::Cancel;
    if (step->whileAsked)
        step->whileAsked();
    return step->choice;
}

int ScriptedDialogs::exec(QDialog& dialog) {
    auto step = next(Kind::Exec, {Kind::Exec, dialog.windowTitle(), {}, {}});
    if (!step)
        return QDialog::Rejected;
    if (step->action)
        step->action(dialog);
    return step->result;
}

} // namespace korvland::testing
