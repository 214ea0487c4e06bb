#include "support/fixture_builder.h"
#include "support_gui/test_windows.h"
#include "ui/common/up_down.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace korvland::testing {
namespace {

// Which of the windows that follow a selection are shown, and the order in which the
// selection reaches them.
struct RoadCase {
    const char* name;
    bool mapShown;
    bool ownershipShown;
    QStringList road;
};

class SelectionRoadTest : public ::testing::TestWithParam<RoadCase>, protected TestWindows {
  protected:
    void SetUp() override {
        createWindows();
        editor->show();
        LandmarkFileBuilder file;
        file.addMany(6);
        dialogs.expectOpenFile(QString::fromStdString(file.writeTo(dir.path() / "lndmrks1.dat")));
        editor->findChild<QAction*>(QStringLiteral("Landmark1"))->trigger();
    }
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswered()) << "a scripted dialog was never shown"; }

    // Follows the three steps of the road, in the order they run.
    QStringList follow(const std::function<void()>& act) {
        QStringList road;
        const auto note = [&road](const char* step) {
            return [&road, step] { road << QLatin1String(step); };
        };
        const QMetaObject::Connection connections[] = {
            QObject::connect(editor.get(), &EditorWindow::recordShown, note("editor")),
            QObject::connect(map.get(), &MapWindow::highlightMoved, note("map")),
            QObject::connect(ownership.get(), &OwnershipWindow::recounted, note("ownership")),
        };
        act();
        for (const QMetaObject::Connection& connection : connections)
            QObject::disconnect(connection);
        return road;
    }
};

TEST_P(SelectionRoadTest, EverySelectionRunsTheEditorThenTheMapThenTheOwnershipTableWhenShown) {
    const RoadCase& c = GetParam();
    if (c.mapShown) {
        editor->findChild<QAction*>(QStringLiteral("Map1"))->trigger();
        QApplication::processEvents();
    }
    if (c.ownershipShown)
        editor->findChild<QAction*>(QStringLiteral("Data1"))->trigger();
    ASSERT_EQ(map->isVisible(), c.mapShown);
    ASSERT_EQ(ownership->isVisible(), c.ownershipShown);

    // Every road of selection: the document itself, the editor's spinner, a marker, a row
    // of the status table.
    EXPECT_EQ(follow([&] { document.select(3); }), c.road) << "the document";
    EXPECT_EQ(follow([&] { editor->findChild<UpDown*>(QStringLiteral("UpDown1"))->step(1); }),
              c.road + c.road)
        << "a step announces the old record, then the new";
    if (c.mapShown) {
        const MarkerFrameItem& frame = *map->marker(1)->frame;
        EXPECT_EQ(follow([&] { map->markerPressed(frame); }), c.road) << "a marker";
    }
    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    ASSERT_TRUE(status->isVisible());
    EXPECT_EQ(follow([&] {
                  auto* list = status->findChild<QListView*>(QStringLiteral("CLBox1"));
                  list->setCurrentIndex(list->model()->index(5, 0));
              }),
              c.road)
        << "a row";
    EXPECT_EQ(document.currentIndex(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    ShownWindows, SelectionRoadTest,
    ::testing::Values(
        RoadCase{"none", false, false, {QStringLiteral("editor")}},
        RoadCase{"map", true, false, {QStringLiteral("editor"), QStringLiteral("map")}},
        RoadCase{"ownership", false, true, {QStringLiteral("editor"), QStringLiteral("ownership")}},
        RoadCase{"both",
                 true,
                 true,
                 {QStringLiteral("editor"), QStringLiteral("map"), QStringLiteral("ownership")}}),
    [](const ::testing::TestParamInfo<RoadCase>& shown) { return std::string(shown.param.name); });

} // namespace
} // namespace korvland::testing
