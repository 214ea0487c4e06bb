#include "data/landmark_set.h"
#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/common/app_context.h"
#include "ui/common/placement_keeper.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;

// A window with a show handler of its own, as the map window has.
class CountingWindow : public QWidget {
  public:
    int ownShows = 0;

  protected:
    void showEvent(QShowEvent*) override { ++ownShows; }
};

class PlacementKeeperTest : public testing::ScriptedDialogsTest<> {
  protected:
    PlacementKeeper& keep(bool takesShowState) {
        PlacementOptions options{"Form3", takesShowState, false, {QPoint(742, 181), QSize(468, 326), true}};
        return *new PlacementKeeper(window, context, options);
    }

    void showAndSettle() {
        window.show();
        QApplication::processEvents();
    }

    std::string stored(const std::string& key) const { return store.readString("Common", key, "none"); }

    TempDir dir;
    LandmarkDocument document;
    SettingsStore store{dir.file("korvland.INI")};
    AppContext context{document, dialogs, store, {}, {}, {}};
    CountingWindow window;
};

// A window never shown writes back the valid record the run started with; only a missing
// or invalid one gives way to the designed placement.
TEST_F(PlacementKeeperTest, NeverShownWindowKeepsItsValidRecordAndDropsColourAndFont) {
    const std::pair<std::string, std::string> cases[] = {{"200,0,1,1,2,3,4", "200,0,1,1,2,3,4"},
                                                         {"", "200,0,1,742,181,1210,507"},
                                                         {"201,0,1,1,2,3,4", "200,0,1,742,181,1210,507"},
                                                         {"200,0,1,1,2,x,4", "200,0,1,742,181,1210,507"}};
    for (const auto& [record, saved] : cases) {
        SCOPED_TRACE(record);
        store.writeString("Common", "Form3", record);
        store.writeString("Common", "Form3Color", "255");
        store.writeString("Common", "Form3Font", "Arial");
        store.writeString("Common", "Form2Font", "Arial");
        EXPECT_TRUE(keep(false).save());
        EXPECT_EQ(stored("Form3"), saved);
        EXPECT_EQ(stored("Form3Color"), "none");
        EXPECT_EQ(stored("Form3Font"), "none");
        EXPECT_EQ(stored("Form2Font"), "Arial") << "another window's entry stays";
    }
}

TEST_F(PlacementKeeperTest, ShownWindowTakesTheStoredFrameAndWritesItBack) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int right = screen.x() + screen.width();
    struct Case {
        std::string record;
        QRect frame;
        std::string saved;
    };
    const Case cases[] = {
        {"200,0,1,100,50,500,350", QRect(100, 50, 400, 300), "200,0,1,100,50,500,350"},
        // 50 beyond the right edge: moved left, width kept.
        {"200,0,1," + std::to_string(right - 350) + ",20," + std::to_string(right + 50) + ",220",
         QRect(right - 400, 20, 400, 200),
         "200,0,1," + std::to_string(right - 400) + ",20," + std::to_string(right) + ",220"},
        {"200,0,1,-30,-40,370,260", QRect(-30, -40, 400, 300), "200,0,1,-30,-40,370,260"},
    };
    for (const Case& c : cases) {
        CountingWindow fresh;
        auto* keeper =
            new PlacementKeeper(fresh, context, {"Form3", false, false, {QPoint(1, 1), QSize(50, 50), true}});
        store.writeString("Common", "Form3", c.record);
        fresh.show();
        QApplication::processEvents();
        EXPECT_EQ(fresh.frameGeometry(), c.frame) << c.record;
        EXPECT_EQ(fresh.ownShows, 1);
        fresh.hide();
        EXPECT_TRUE(keeper->save());
        EXPECT_EQ(stored("Form3"), c.saved);
    }
}

TEST_F(PlacementKeeperTest, OnlyAWindowThatTakesTheShowStateOpensMaximised) {
    for (const bool takesShowState : {true, false}) {
        CountingWindow other;
        store.writeString("Common", "Form3", "200,0,3,100,100,600,500");
        auto* keeper = new PlacementKeeper(
            other, context,
            PlacementOptions{"Form3", takesShowState, false, {QPoint(1, 1), QSize(50, 50), true}});
        other.show();
        QApplication::processEvents();
        EXPECT_EQ(other.isMaximized(), takesShowState);
        other.hide();
        EXPECT_TRUE(keeper->save());
        EXPECT_EQ(stored("Form3"), takesShowState ? "200,0,3,100,100,600,500" : "200,0,1,100,100,600,500")
            << "the normal frame is kept under the maximised state";
    }
}

TEST_F(PlacementKeeperTest, BadNumberIsReportedAndSkipsTheOwnShowHandlerButTheWindowShows) {
    keep(false);
    store.writeString("Common", "Form3", "200,0,1,100,top,500,350");
    dialogs.expectError();
    showAndSettle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.ownShows, 0);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("'top' is not a valid integer value.")});
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(742, 181))
        << "the designed placement, nothing applied";

    // Six or eight fields, or another tag: ignored without a word, the handler runs.
    for (const char* record :
         {"200,0,1,100,100,500", "200,0,1,100,100,500,350,1", "201,0,1,100,100,500,350"}) {
        window.hide();
        store.writeString("Common", "Form3", record);
        showAndSettle();
        EXPECT_EQ(window.ownShows, 1) << record;
        EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(742, 181)) << record;
        window.ownShows = 0;
    }
}

} // namespace
} // namespace korvland
