#include "support/fixture_builder.h"
#include "support_gui/layout_checks.h"
#include "support_gui/named.h"
#include "support_gui/test_windows.h"
#include "ui/common/up_down.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/start/folder_chooser.h"
#include "ui/start/welcome_window.h"
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
using namespace editor_names;

// Which of the windows that follow a selection are shown, and the order in which the
// selection reaches them.
struct RoadCase {
    const char* name;
    bool mapShown;
    bool ownershipShown;
    QStringList road;
};

class SelectionRoadTest : public WindowsTest<::testing::TestWithParam<RoadCase>> {
  protected:
    void SetUp() override {
        createWindows();
        editor->show();
        LandmarkFileBuilder file;
        file.addMany(6);
        dialogs.expectOpenFile(QString::fromStdString(file.writeTo(dir.path() / "lndmrks1.dat")));
        named<QAction>(editor, kOpenLandmarkAction)->trigger();
    }

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
        named<QAction>(editor, kMapAction)->trigger();
        QApplication::processEvents();
    }
    if (c.ownershipShown)
        named<QAction>(editor, kDataAction)->trigger();
    ASSERT_EQ(map->isVisible(), c.mapShown);
    ASSERT_EQ(ownership->isVisible(), c.ownershipShown);

    // Every road of selection: the document itself, the editor's spinner, a marker, a row
    // of the status table.
    EXPECT_EQ(follow([&] { document.select(3); }), c.road) << "the document";
    EXPECT_EQ(follow([&] { named<UpDown>(editor, kRecordStepper)->step(1); }), c.road + c.road)
        << "a step announces the old record, then the new";
    if (c.mapShown) {
        const MarkerFrameItem& frame = *map->marker(1)->frame;
        EXPECT_EQ(follow([&] { map->markerPressed(frame); }), c.road) << "a marker";
    }
    QTest::mouseClick(named<QPushButton>(editor, kTableButton), Qt::LeftButton);
    ASSERT_TRUE(status->isVisible());
    EXPECT_EQ(follow([&] {
                  auto* list = named<QListView>(status, status_names::kList);
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

// Each window as the user sees it with a file open: every control reachable by Tab, in reading
// order where the window was laid out for it, and none covering another.
struct LayoutCase {
    const char* name;
    QWidget* (*window)(TestWindows&, std::unique_ptr<QWidget>& own);
    bool readingOrder;           // the editor keeps its form's order; the chooser's is the order of making
    const char* drawnAsOne = {}; // a grid whose cells are drawn over each other's edges
};

class WindowLayoutTest : public WindowsTest<::testing::TestWithParam<LayoutCase>> {
  protected:
    void SetUp() override {
        LandmarkFileBuilder file;
        file.addMany(6);
        createWindows();
        dialogs.expectOpenFile(QString::fromStdString(file.writeTo(dir.path() / "lndmrks1.dat")));
        named<QAction>(editor, kOpenLandmarkAction)->trigger();
    }
    std::unique_ptr<QWidget> own;
};

TEST_P(WindowLayoutTest, EveryControlIsReachedByTabAndNoneCoversAnother) {
    QWidget* window = GetParam().window(*this, own);
    window->show();
    QApplication::processEvents();
    const QList<QWidget*> order = tabOrder(window);
    for (QWidget* stop : tabStops(window))
        EXPECT_TRUE(order.contains(stop)) << describe(stop) << " is not reached by Tab";
    if (GetParam().readingOrder) {
        EXPECT_EQ(firstOutOfReadingOrder(order, window), "") << GetParam().name;
    }
    EXPECT_EQ(firstOverlap(window, GetParam().drawnAsOne), "");
    EXPECT_EQ(firstOutside(window), "");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowLayoutTest,
    ::testing::Values(
        LayoutCase{"editor", [](TestWindows& w, auto&) -> QWidget* { return w.editor.get(); }, false},
        LayoutCase{"map", [](TestWindows& w, auto&) -> QWidget* { return w.map.get(); }, true},
        LayoutCase{"ownership", [](TestWindows& w, auto&) -> QWidget* { return w.ownership.get(); }, true,
                   ownership_names::kGrid},
        LayoutCase{"status", [](TestWindows& w, auto&) -> QWidget* { return w.status.get(); }, true},
        LayoutCase{"welcome",
                   [](TestWindows& w, std::unique_ptr<QWidget>& own) -> QWidget* {
                       own = std::make_unique<WelcomeWindow>(w.context);
                       return own.get();
                   },
                   true},
        LayoutCase{"folder_chooser",
                   [](TestWindows& w, std::unique_ptr<QWidget>& own) -> QWidget* {
                       own = std::make_unique<FolderChooser>(w.dialogs, nullptr, w.context.landmarksFolder);
                       return own.get();
                   },
                   false}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace korvland::testing
