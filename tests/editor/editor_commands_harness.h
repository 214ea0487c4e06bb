#pragma once

#include "app/app_context.h"
#include "app/settings/settings_store.h"
#include "data/landmark_set.h"
#include "editor/editor_window.h"
#include "map/map_window.h"
#include "map/splash_window.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace korvland::testing {

// The editor window with the windows it reaches, its own settings file, scripted dialogs
// and a landmarks folder in a fresh temporary folder. `create()` builds the windows in
// the order start-up does, so a test can prepare the settings file first.
class EditorCommandsTest : public ::testing::Test {
  protected:
    EditorCommandsTest() {
        context.landmarksFolder = QString::fromStdString(dir.path().string());
        context.requestQuit = [this] { ++quitRequests; };
    }

    ~EditorCommandsTest() override {
        status.reset();
        ownership.reset();
        splash.reset();
        map.reset();
        editor.reset();
    }

    void SetUp() override {}

    void TearDown() override { EXPECT_TRUE(dialogs.allAnswered()) << "a scripted dialog was never shown"; }

    void create() {
        editor = std::make_unique<TForm2>(context);
        context.windows.editor = editor.get();
        map = std::make_unique<TForm3>(context);
        context.windows.map = map.get();
        splash = std::make_unique<TForm4>(context);
        context.windows.splash = splash.get();
        ownership = std::make_unique<TForm5>(context);
        context.windows.ownership = ownership.get();
        status = std::make_unique<TForm6>(context);
        context.windows.status = status.get();
    }

    QAction* action(const char* name) const {
        auto* found = editor->findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void trigger(const char* name) const { action(name)->trigger(); }
    QString labelText(const char* name) const {
        auto* label = editor->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(label, nullptr) << name;
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
        trigger("Landmark1");
    }

    // The captions of the recent entries in the "Open" submenu, after its separator.
    QStringList openMenuCaptions() const {
        QStringList captions;
        for (QAction* a : editor->findChild<QMenu*>(QStringLiteral("Open1"))->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return captions;
    }

    TempDir dir;
    LandmarkSet set;
    ScriptedDialogs dialogs;
    SettingsStore store{dir.file("korvland.INI")};
    AppContext context{set, dialogs, store, {}, 0, {}, {}};
    int quitRequests = 0;
    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm3> map;
    std::unique_ptr<TForm4> splash;
    std::unique_ptr<TForm5> ownership;
    std::unique_ptr<TForm6> status;
};

} // namespace korvland::testing
