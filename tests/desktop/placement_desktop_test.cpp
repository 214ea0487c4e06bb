// The four remembered windows under a real window manager: a private Xvfb display with
// openbox. Their outer frames, as the window manager draws them, are read with the X
// tools, not from the program, and the settings file is read back after the program ends.

#include "desktop/desktop_fixture.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>

namespace korvland {
namespace {

// The ownership table's 633 x 75 is its client area below the menu bar, which on X11 lies
// inside the window the window manager frames.
int menuBarHeight(const QWidget* window) {
    const auto* bar = window->findChild<QMenuBar*>();
    return bar ? bar->height() : 0;
}

using testing::LandmarkFileBuilder;
using testing::XWindowView;

std::string frameText(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

class DesktopPlacement : public testing::DesktopTest {
  protected:
    // Starts the program, presses the start button, opens `landmarks` from the recent-files
    // menu when one is given, and opens the other three windows.
    void startAndShowAll(const std::string& landmarks = {}) {
        startEditing();
        ASSERT_FALSE(HasFatalFailure());
        const ProgramWindows& w = startup->windows();
        // Reading a file hides the map and the tables: it comes first.
        if (!landmarks.empty())
            w.editor->openRecentFile(QString::fromStdString(landmarks));
        w.map->show();
        w.editor->dataCommand();
        w.status->show();
    }

    XWindowView settled(QWidget* window, const std::function<bool(const XWindowView&)>& wanted) const {
        return DesktopTest::settled(window, [&](const XWindowView& v) { return v.viewable && wanted(v); });
    }

    XWindowView settledAt(QWidget* window, const QRect& frame) const {
        return settled(window, [&](const XWindowView& v) { return v.frame == frame; });
    }

    // Ends the program once it has heard from the window manager what it drew, and a
    // moment later, as a user would at the earliest.
    void endProgram() {
        const ProgramWindows& w = startup->windows();
        for (QWidget* window :
             {static_cast<QWidget*>(w.editor.get()), static_cast<QWidget*>(w.map.get()),
              static_cast<QWidget*>(w.ownership.get()), static_cast<QWidget*>(w.status.get())}) {
            const bool heard =
                QTest::qWaitFor([&] { return window->frameGeometry() == view(window).frame; }, 20000);
            EXPECT_TRUE(heard) << window->objectName().toStdString();
        }
        QTest::qWait(300);
        startup.reset();
    }
};

TEST_F(DesktopPlacement, WindowsWithoutRecordsOpenAtTheirDesignedSizesAndSaveThem) {
    writeSettings("");
    startAndShowAll();
    ASSERT_FALSE(HasFatalFailure());
    const ProgramWindows& w = startup->windows();

    const XWindowView editor = settledAt(w.editor.get(), QRect(742, 181, 468, 326));
    EXPECT_EQ(frameText(editor.frame), "742,181 468x326") << "outer size";
    const XWindowView map = settledAt(w.map.get(), QRect(315, 154, 833, 753));
    EXPECT_EQ(frameText(map.frame), "315,154 833x753");
    // The status table's list keeps its 391 x 218; its filter row lies above it.
    const XWindowView status = settledAt(w.status.get(), QRect(470, 653, 391, 218 + 24));
    EXPECT_EQ(frameText(status.frame), "470,653 391x242");
    const XWindowView ownership = settled(
        w.ownership.get(), [](const XWindowView& v) { return v.frame.topLeft() == QPoint(205, 575); });
    EXPECT_EQ(ownership.frame.topLeft(), QPoint(205, 575));
    EXPECT_EQ(ownership.client, QSize(633, 75 + menuBarHeight(w.ownership.get()))) << "client size";

    endProgram();
    EXPECT_EQ(stored(editor_names::kWindow), "200,0,1,742,181,1210,507");
    EXPECT_EQ(stored(map_names::kWindow), "200,0,1,315,154,1148,907");
    EXPECT_EQ(stored(status_names::kWindow), "200,0,1,470,653,861,895");
    const QRect o = ownership.frame;
    EXPECT_EQ(stored(ownership_names::kWindow), "200,0,1,205,575," + std::to_string(o.x() + o.width()) + "," +
                                                    std::to_string(o.y() + o.height()));
}

TEST_F(DesktopPlacement, StoredRecordsPlaceTheFramesAndComeBackAtProgramEnd) {
    writeSettings("Form2=200,0,3,100,100,600,500\n"
                  "Form2Color=255\n"
                  "Form2Font=Arial\n"
                  "Form3=200,0,3,150,120,983,873\n" // the map keeps its own (normal) state
                  "Form5=200,0,1,300,400,935,500\n"
                  "Form6=200,0,1,1250,100,1650,400\n"); // 50 pixels beyond the right edge
    const std::string landmarks = LandmarkFileBuilder().addMany(5).writeTo(folder / "lndmrks2.dat");
    startAndShowAll(landmarks);
    ASSERT_FALSE(HasFatalFailure());
    const ProgramWindows& w = startup->windows();

    const XWindowView editor = settled(w.editor.get(), [](const XWindowView& v) {
        return v.state.contains(QStringLiteral("MAXIMIZED_HORZ")) && v.frame == QRect(0, 0, 1600, 1000);
    });
    EXPECT_TRUE(editor.state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) &&
                editor.state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ")))
        << editor.state.toStdString();
    EXPECT_EQ(frameText(editor.frame), "0,0 1600x1000") << "the whole screen";
    const XWindowView map = settledAt(w.map.get(), QRect(150, 120, 833, 753));
    EXPECT_EQ(frameText(map.frame), "150,120 833x753");
    EXPECT_FALSE(map.state.contains(QStringLiteral("MAXIMIZED"))) << map.state.toStdString();
    const XWindowView status = settledAt(w.status.get(), QRect(1200, 100, 400, 300));
    EXPECT_EQ(frameText(status.frame), "1200,100 400x300") << "moved 50 pixels left, size kept";
    const XWindowView ownership = settled(
        w.ownership.get(), [](const XWindowView& v) { return v.frame.topLeft() == QPoint(300, 400); });
    EXPECT_EQ(ownership.frame.topLeft(), QPoint(300, 400));
    EXPECT_EQ(ownership.client, QSize(633, 75 + menuBarHeight(w.ownership.get()))) << "a fixed size stays";

    // The record is applied at every show, not only at the first.
    w.status->hide();
    SettingsStore(settings).writeString("Common", status_names::kWindow, "200,0,1,40,30,440,330");
    w.status->show();
    EXPECT_EQ(frameText(settledAt(w.status.get(), QRect(40, 30, 400, 300)).frame), "40,30 400x300");

    endProgram();
    EXPECT_EQ(stored(editor_names::kWindow), "200,0,3,100,100,600,500") << "maximised, with its normal frame";
    EXPECT_EQ(stored(map_names::kWindow), "200,0,1,150,120,983,873");
    EXPECT_EQ(stored(status_names::kWindow), "200,0,1,40,30,440,330");
    const QRect o = ownership.frame;
    EXPECT_EQ(stored(ownership_names::kWindow), "200,0,1,300,400," + std::to_string(o.x() + o.width()) + "," +
                                                    std::to_string(o.y() + o.height()));
    const SettingsStore file(settings);
    EXPECT_EQ(file.readString("Common", "Form2Color", "gone"), "gone");
    EXPECT_EQ(file.readString("Common", "Form2Font", "gone"), "gone");
    EXPECT_EQ(file.readList("Form2.MRUList", "H", 4), std::vector<std::string>{landmarks});
}

} // namespace
} // namespace korvland

// The X11 platform plugin opens the session's D-Bus library, which keeps an allocation
// until the process ends; the leak checker of sanitizer builds is told so.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    korvland::testing::DesktopTest::endSession();
    return result;
}
