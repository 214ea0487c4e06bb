#pragma once

#include "support_gui/named.h"
#include "support_gui/test_windows.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

#include <string>

namespace korvland::testing {

// The editor window with the windows it reaches, its own settings file, scripted dialogs
// and a landmarks folder in a fresh temporary folder. `create()` builds the windows in
// the order start-up does, so a test can prepare the settings file first.
class EditorCommandsTest : public WindowsTest<> {
  protected:
    EditorCommandsTest() {
        context.requestQuit = [this] { ++quitRequests; };
    }

    void SetUp() override {}

    void create() { createWindows(); }

    QAction* action(const char* name) const { return required<QAction>(editor, name); }
    void trigger(const char* name) const { action(name)->trigger(); }
    QString labelText(const char* name) const {
        auto* label = required<QLabel>(editor, name);
        return label ? label->text() : QString();
    }

    // A small landmark file at `name` in the test folder; returns its full path.
    QString landmarkFile(const std::string& name, int records = 3, std::uint16_t recordSize = 63) const {
        LandmarkFileBuilder builder;
        builder.addMany(records).recordSize(recordSize);
        return QString::fromStdString(builder.writeTo(dir.path() / name));
    }

    // Opens `path` through "Open", "Landmark" with the dialog answered.
    void openLandmark(const QString& path) {
        dialogs.expectOpenFile(path);
        trigger(editor_names::kOpenLandmarkAction);
    }

    // The captions of the recent entries in the "Open" submenu, after its separator.
    QStringList openMenuCaptions() const {
        QStringList captions;
        for (QAction* a : named<QMenu>(editor, editor_names::kOpenMenu)->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return captions;
    }

    // An edit the closing and opening questions ask about.
    void switchOffFirst() { ASSERT_EQ(document.setActive(0, false), LandmarkDocument::ActiveEdit::Changed); }

    int quitRequests = 0;
};

} // namespace korvland::testing
