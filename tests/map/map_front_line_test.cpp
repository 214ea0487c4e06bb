#include "map_window_fixture.h"
#include "support_gui/named.h"
#include "ui/map/front_line_item.h"

#include "support_gui/render_keep.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <functional>

namespace korvland::testing {
namespace {

class MapFrontLineTest : public MapWindowTest {
  protected:
    // Four landmarks in a row a third of a degree apart (100 pixels at 1:1): German,
    // German, Allied, Allied; the front runs midway between the second and the third.
    void loadRow() {
        load(LandmarkFileBuilder()
                 .add(makeRecord(1, 1, 0, 0, "Reims", 49.0f, 3.0f))
                 .add(makeRecord(2, 7, 0, 0, "Ay", 49.0f, 3.0f + 1.0f / 3))
                 .add(makeRecord(3, 8, 0, 1, "Vitry", 49.0f, 3.0f + 2.0f / 3))
                 .add(makeRecord(4, 0, 0, 1, "Arras", 49.0f, 4.0f)));
    }
    QAction* entry() const { return scaleEntry(map_names::kFrontLineAction); }
    void turnOn() {
        if (!entry()->isChecked())
            entry()->trigger();
    }
    // Where the front crosses the row, or NaN when there is none.
    double frontX() const {
        const FrontLineItem* overlay = map->frontLine();
        if (!overlay || overlay->geometry().front.empty())
            return std::nan("");
        return overlay->geometry().front.front().from.x;
    }
    int computations() const { return map->frontLine() ? map->frontLine()->computations() : 0; }
};

TEST_F(MapFrontLineTest, EntryIsOffAtFirstAndItsChoiceOutlivesTheWindows) {
    loadRow();
    openMap();
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->isCheckable());
    EXPECT_EQ(entry()->text(), QStringLiteral("&Front Line"));
    const QList<QAction*> entries = map->popupMenu()->actions();
    EXPECT_EQ(entries.indexOf(entry()) + 1, entries.indexOf(scaleEntry(map_names::kNamesAction)));
    EXPECT_FALSE(entry()->isChecked());
    EXPECT_EQ(map->frontLine(), nullptr);

    entry()->trigger();
    ASSERT_NE(map->frontLine(), nullptr);
    EXPECT_EQ(store.readString("Map", "FrontLine", ""), "1");
    // The scale entries keep their own radio mark.
    EXPECT_TRUE(scaleEntry(map_names::kFullScaleAction)->isChecked());
    keep(map->grab(), "map_front_line.png");

    destroyWindows();
    createWindows();
    EXPECT_TRUE(entry()->isChecked());
    entry()->trigger();
    EXPECT_EQ(store.readString("Map", "FrontLine", ""), "0");
}

TEST_F(MapFrontLineTest, OverlayLiesUnderTheMarkersAndNeverUnderThePointer) {
    loadRow();
    turnOn();
    openMap();
    const FrontLineItem* overlay = map->frontLine();
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(map->scene()->items().size(), 4 * 2 + 1);
    for (const MapMarker& marker : map->markers())
        EXPECT_LT(overlay->zValue(), marker.icon->zValue());
    EXPECT_EQ(overlay->boundingRect().adjusted(3, 3, -3, -3), map->scene()->sceneRect());
    // The bare surface stays bare to clicks and to the pointer readouts.
    const std::vector<MapPoint> centres = projected(1.0f);
    EXPECT_TRUE(namesAt(QPointF(centres[1].x + 50, 5)).isEmpty());
    EXPECT_EQ(namesAt(QPointF(centres[1].x, centres[1].y)), (QStringList{"bob1", "mp1"}));
    // A pointer over the wash reads out as over the bare surface, and a press there selects
    // nothing.
    QWidget* viewport = map->view()->viewport();
    const QPoint bare = map->view()->mapFromScene(QPointF(centres[1].x + 50, 5));
    QMouseEvent move(QEvent::MouseMove, bare, viewport->mapToGlobal(bare), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(named<QLabel>(editor, editor_names::kPointerXReading)->text(),
              QString::number(viewport->mapTo(map.get(), bare).x()));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, bare);
    EXPECT_EQ(editor->recordNumber(), 1);
    EXPECT_NEAR(frontX(), (centres[1].x + centres[2].x) / 2.0, 1e-9);

    entry()->trigger();
    EXPECT_EQ(map->frontLine(), nullptr);
    EXPECT_EQ(map->scene()->items().size(), 4 * 2);
}

TEST_F(MapFrontLineTest, FrontFollowsEditsAndIsComputedOnlyWhenTheGroundChanges) {
    loadRow();
    turnOn();
    openMap();
    const std::vector<MapPoint> centres = projected(1.0f);
    const auto midway = [&](int a, int b) { return (centres[a].x + centres[b].x) / 2.0; };
    ASSERT_EQ(computations(), 1);

    const auto typeType = [&](const char* hex) {
        auto* box = named<QLineEdit>(editor, editor_names::kTypeBox);
        box->selectAll();
        QTest::keyClicks(box, QLatin1String(hex));
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        double frontX;
        int computations;
    };
    // Record 3, the western Allied landmark, is the one edited.
    const Step steps[] = {
        {"scroll", [&] { map->view()->horizontalScrollBar()->setValue(40); }, midway(1, 2), 1},
        {"highlight",
         [&] {
             editor->setRecordNumber(3);
             editor->selectRecord();
         },
         midway(1, 2), 1},
        {"side", [&] { editor->sideChosen(0); }, midway(2, 3), 2},
        {"same side again", [&] { editor->sideChosen(0); }, midway(2, 3), 2},
        {"switch off", [&] { editor->activeStateChosen(1); }, midway(1, 3), 3},
        {"switch on", [&] { editor->activeStateChosen(0); }, midway(2, 3), 4},
        // Another kind that stands on the map holds the same ground; type 6 gives it up.
        {"type 7", [&] { typeType("07"); }, midway(2, 3), 4},
        {"type 6", [&] { typeType("06"); }, midway(1, 3), 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_NEAR(frontX(), step.frontX, 1e-9);
        EXPECT_EQ(computations(), step.computations);
    }

    // A new scale is a new build, with the front at the new positions.
    scaleEntry(map_names::kDoubleScaleAction)->trigger();
    const std::vector<MapPoint> doubled = projected(2.0f);
    EXPECT_EQ(computations(), 1);
    EXPECT_NEAR(frontX(), (doubled[1].x + doubled[3].x) / 2.0, 1e-9);
}

} // namespace
} // namespace korvland::testing
