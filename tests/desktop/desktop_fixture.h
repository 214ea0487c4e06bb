#pragma once

#include "desktop/x_session.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>

namespace korvland::testing {

// Tests of the program's windows under a real window manager: one private Xvfb display
// with openbox and one application object for the whole test program, each test with its
// own folder, settings file and scripted dialogs. The X tools read what the window manager
// shows, not what the program believes.
class DesktopTest : public ScriptedDialogsTest<> {
  protected:
    static void SetUpTestSuite() {
        if (sApp || !sSkipReason.empty())
            return;
        const QStringList missing = XSession::missingPrograms();
        if (!missing.isEmpty()) {
            sSkipReason = "not found: " + missing.join(QStringLiteral(", ")).toStdString() +
                          " (scripts/install-deps.sh installs them)";
            std::cerr << "SKIPPED: desktop tests, " << sSkipReason << '\n';
            return;
        }
        sSession = std::make_unique<XSession>();
        std::string error;
        if (!sSession->start(error)) {
            sSkipReason = "could not start an X session: " + error;
            std::cerr << "SKIPPED: " << sSkipReason << '\n';
            return;
        }
        qputenv("DISPLAY", sSession->display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "test_desktop";
        static char* argv[] = {name, nullptr};
        sApp = std::make_unique<QApplication>(argc, argv);
    }

  public:
    // Ends the application and the session once every test has run.
    static void endSession() {
        sApp.reset();
        sSession.reset();
    }

  protected:
    void SetUp() override {
        if (!sApp)
            GTEST_SKIP() << sSkipReason;
        std::filesystem::create_directories(folder);
    }

    void writeSettings(const std::string& common) {
        const std::string text = "[settings]\nstartdir=" + folder.string() + "\n[Common]\n" + common;
        writeBytes(settings, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // Starts the program and presses the start button once the welcome window is on the screen.
    void startEditing() {
        startup = std::make_unique<Startup>(dialogs, settings);
        startup->show();
        // A busy machine may take a while: every wait ends as soon as its condition holds.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(startup->welcome(), 30000));
        startup->welcome()->handOver();
    }

    static const QString& display() { return sSession->display(); }
    XWindowView view(QWidget* window) const { return viewOf(display(), window->winId()); }

    // Waits until the window manager shows `window` as `wanted` says, then returns what it shows.
    XWindowView settled(QWidget* window, const std::function<bool(const XWindowView&)>& wanted) const {
        XWindowView seen;
        // A view that never settles is reported by the caller's comparison.
        (void)QTest::qWaitFor(
            [&] {
                seen = view(window);
                return wanted(seen);
            },
            20000);
        return seen;
    }

    std::string stored(const std::string& key) const {
        return SettingsStore(settings).readString("Common", key, "");
    }

    static inline std::unique_ptr<XSession> sSession;
    static inline std::unique_ptr<QApplication> sApp;
    static inline std::string sSkipReason;

    TempDir dir;
    std::filesystem::path folder = dir.path() / "land";
    std::string settings = dir.file("korvland.INI");
    std::unique_ptr<Startup> startup;
};

} // namespace korvland::testing
