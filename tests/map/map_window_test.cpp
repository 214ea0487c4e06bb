#include "map_window_fixture.h"
#include "ui/map/splash_window.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

namespace korvland::testing {
namespace {
using namespace editor_names;

TEST_F(MapWindowTest, MarkersAreNamedPlacedAndStackedByRecord) {
    // Record 0 is the northernmost and westernmost; records 1 and 2 overlap.
    load(LandmarkFileBuilder()
             .add(makeRecord(1, 1, 0, 0, "Reims", 49.5f, 3.0f))
             .add(makeRecord(2, 7, 0, 1, "Epernay", 49.0f, 4.0f))
             .add(makeRecord(3, 8, 0, 0, "Ay", 49.0f, 4.02f)));
    openMap();
    ASSERT_EQ(map->markers().size(), 3u);
    EXPECT_EQ(map->scene()->items().size(), 6);

    document.selectNone(); // no selection ring around the first frame
    const std::vector<MapPoint> centres = projected(1.0f);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QPointF centre(centres[i].x, centres[i].y);
        QGraphicsItem* icon = item(QStringLiteral("mp%1").arg(i));
        QGraphicsItem* frame = item(QStringLiteral("bob%1").arg(i));
        ASSERT_TRUE(icon && frame);
        EXPECT_EQ(icon->sceneBoundingRect(), QRectF(centre - QPointF(10, 10), QSizeF(20, 20)));
        EXPECT_EQ(frame->sceneBoundingRect(), QRectF(centre - QPointF(11, 11), QSizeF(22, 22)));
        EXPECT_EQ(map->marker(i)->frame, frame);
        EXPECT_EQ(map->marker(i)->icon, icon);
    }
    // The record with the greatest northSouth and smallest eastWest sits on the margin.
    EXPECT_EQ(item(QStringLiteral("bob0"))->scenePos(), QPointF(19, 19));
    // Each frame above its icon, each record above the lower ones.
    EXPECT_EQ(namesAt(QPointF(centres[2].x - 2, centres[2].y)), (QStringList{"bob2", "mp2", "bob1", "mp1"}));
    // The surface ends at the farthest frames' right and bottom edges.
    EXPECT_EQ(map->scene()->sceneRect(), QRectF(0, 0, centres[2].x + 11, centres[1].y + 11));
}

TEST_F(MapWindowTest, KindsSidesAndHintsFollowTheKindTable) {
    const std::string fortyBytes(40, 'N');
    struct Row {
        LandmarkRecord record;
        const char* icon;
        BgrColour colour;
        bool hatched;
        QString hint;
    };
    const Row rows[] = {
        {makeRecord(1, 0, 0, 1, "Vitry"), "IDrome", kAlliedColour, false, "Allied Airfield: Vitry"},
        {makeRecord(2, 1, 0, 0, "Ch\xE2lons"), "ICity", kGermanColour, false,
         QString::fromUtf8("German City: Châlons")},
        {makeRecord(3, 2, 0, 2, "Depot"), "ISupply", kGermanColour, false, "German Supply: Depot"},
        {makeRecord(4, 3, 19, 255, "Gare"), "ITrain", kGermanColour, false, "German Train Station: Gare"},
        {makeRecord(5, 3, 20, 1, "Line"), "ITroops", kAlliedColour, false, "Allied Troops: Line"},
        {makeRecord(6, 4, 0, 0, "Pont"), "IBridge", kGermanColour, false, "German Bridge: Pont"},
        {makeRecord(7, 5, 19, 1, "Works"), "IFactory", kAlliedColour, false, "Allied Factory: Works"},
        {makeRecord(8, 5, 20, 0, "Drachen"), "IBalloon", kGermanColour, false, "German Balloon: Drachen"},
        // Type 6 is switched off by the load, and keeps side word and name.
        {makeRecord(9, 6, 0xAC, 0, "Gone"), "IBlank", kGermanColour, true, "German Blank Landmark: Gone"},
        {makeRecord(10, 7, 0, 1, fortyBytes), "ITown", kAlliedColour, false,
         "Allied Town: " + QString::fromStdString(fortyBytes)},
        {makeRecord(11, 8, 0, 1, "Ay"), "IVillage", kAlliedColour, false, "Allied Village: Ay"},
        {makeRecord(12, 9, 0, 1, "Nothing"), "IBlank", kAlliedColour, false, "Blank Landmark: "},
        {makeRecord(13, 200, 0, 0, "Odd"), "IBlank", kGermanColour, false, "Blank Landmark: "},
    };
    LandmarkFileBuilder file;
    for (const Row& row : rows)
        file.add(row.record);
    // The current record's frame is highlighted; one more record takes the highlight.
    file.add(makeRecord(14, 1, 0, 0, "Current"));
    load(file);
    openMap();
    selectLast();
    ASSERT_EQ(map->markers().size(), std::size(rows) + 1);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const MapMarker& marker = map->markers()[i];
        EXPECT_EQ(marker.icon->iconTemplate(), MarkerIcons::shared().byName(QLatin1String(rows[i].icon)));
        EXPECT_EQ(marker.frame->colour(), rows[i].colour);
        EXPECT_EQ(marker.frame->isHatched(), rows[i].hatched);
        EXPECT_EQ(marker.frame->frameShape(), MarkerFrameItem::Shape::Square);
        EXPECT_EQ(marker.frame->toolTip(), rows[i].hint);
    }
}

// The surface as the map window draws it, one content pixel per image pixel.
QImage renderSurface(QGraphicsScene& scene) {
    QImage image(scene.sceneRect().size().toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    scene.render(&painter, QRectF(image.rect()), scene.sceneRect());
    return image;
}

int pixelsOf(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TEST_F(MapWindowTest, SwitchedOffRecordIsCrossHatchedInItsSideColourOverTheIconOfItsKind) {
    load(LandmarkFileBuilder()
             .add(makeRecord(1, 7, 0, 1, "Off", 49.0f, 3.0f))
             .add(makeRecord(2, 7, 0, 1, "On", 49.0f, 3.2f))
             .add(makeRecord(3, 8, 0, 0, "Off too", 48.8f, 3.0f))
             .add(makeRecord(4, 1, 0, 0, "Current", 48.0f, 5.0f)));
    document.setActive(0, false);
    document.setActive(2, false);
    openMap();
    selectLast();
    EXPECT_EQ(map->marker(0)->icon->iconTemplate()->name, "ITown");
    EXPECT_EQ(map->marker(2)->icon->iconTemplate()->name, "IVillage");

    const QImage surface = renderSurface(*map->scene());
    const QRgb ground = qRgb(0x10, 0x60, 0x10);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(surface.pixel(0, 0), ground);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QRect frame = map->marker(i)->frame->sceneBoundingRect().toRect();
        const QRgb side = i == 2 ? red : blue;
        // The outline runs along the frame's outermost pixels.
        EXPECT_EQ(surface.pixel(frame.topLeft()), side);
        EXPECT_EQ(surface.pixel(frame.bottomRight()), side);
        // Inside, over the icon, the hatch shows in the side colour; a clear frame shows none.
        const int hatch = pixelsOf(surface, frame.adjusted(1, 1, -1, -1), side);
        if (i == 1)
            EXPECT_EQ(hatch, 0);
        else
            EXPECT_GT(hatch, 40);
    }
}

TEST_F(MapWindowTest, ScaleEntriesRebuildAtTheirScaleAndEveryShowStartsAtOneToOne) {
    load(LandmarkFileBuilder()
             .add(makeRecord(1, 1, 0, 0, "North-west", 49.5f, 3.0f))
             .add(makeRecord(2, 1, 0, 1, "South-east", 49.0f, 4.0f)),
         4);
    openMap();
    EXPECT_EQ(map->windowTitle(), "Map of Island Region[*]");
    int splashShows = 0;
    struct ShowCounter : QObject {
        int* count;
        explicit ShowCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            *count += e->type() == QEvent::Show ? 1 : 0;
            return false;
        }
    } counter(&splashShows);
    splash->installEventFilter(&counter);

    QStringList captions;
    for (QAction* entry : map->popupMenu()->actions())
        captions << entry->text().remove(QLatin1Char('&'));
    // The scale entries come first; the "Front Line" entry follows them.
    ASSERT_GE(captions.size(), 4);
    EXPECT_EQ(captions.first(4), (QStringList{"1:2 Scale", "1:1 Scale", "2:1 Scale", "4:1 Scale"}));

    const struct {
        const char* entry;
        float scale;
    } entries[] = {{map_names::kDoubleScaleAction, 2.0f},
                   {map_names::kHalfScaleAction, 0.5f},
                   {map_names::kQuadrupleScaleAction, 4.0f},
                   {map_names::kFullScaleAction, 1.0f}};
    for (const auto& e : entries) {
        SCOPED_TRACE(e.entry);
        scaleEntry(e.entry)->trigger();
        EXPECT_EQ(map->mapScale(), e.scale);
        EXPECT_TRUE(scaleEntry(e.entry)->isChecked());
        const QList<QAction*> all = map->popupMenu()->actions();
        EXPECT_EQ(std::count_if(all.begin(), all.end(), [](QAction* a) { return a->isChecked(); }), 1);
        // Island factors at this scale: 2250 and 1500 per unit, times the scale.
        EXPECT_EQ(item("bob1")->scenePos(), QPointF(19 + 1500 * e.scale, 19 + std::trunc(1125 * e.scale)));
        EXPECT_EQ(map->scene()->items().size(), 4);
        EXPECT_EQ(map->mapShown(), 1);
    }
    EXPECT_EQ(splashShows, 0);

    scaleEntry(map_names::kDoubleScaleAction)->trigger();
    map->close();
    openMap();
    EXPECT_EQ(map->mapScale(), 1.0f);
    EXPECT_TRUE(scaleEntry(map_names::kFullScaleAction)->isChecked());
    EXPECT_EQ(item("bob1")->scenePos(), QPointF(19 + 1500, 19 + 1125));
}

TEST_F(MapWindowTest, ScrollRangeReachesTheFarthestFramesWithSmoothSteps) {
    load(LandmarkFileBuilder().addMany(120));
    openMap();
    scaleEntry(map_names::kQuadrupleScaleAction)->trigger();
    QApplication::processEvents();
    QGraphicsView* view = map->view();
    const QSize content = map->scene()->sceneRect().size().toSize();
    ASSERT_GT(content.width(), view->viewport()->width());
    ASSERT_GT(content.height(), view->viewport()->height());
    for (QScrollBar* bar : {view->horizontalScrollBar(), view->verticalScrollBar()}) {
        const bool horizontal = bar->orientation() == Qt::Horizontal;
        const int visible = horizontal ? view->viewport()->width() : view->viewport()->height();
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        EXPECT_EQ(bar->maximum(), (horizontal ? content.width() : content.height()) - visible);
        EXPECT_EQ(bar->pageStep(), visible * 9 / 10);
        EXPECT_EQ(bar->singleStep(), visible * 9 / 10 / 10);
    }
    EXPECT_EQ(view->verticalScrollBar()->width(), 13);
    EXPECT_EQ(view->viewport()->width(), map->width() - 13);
    // The view's own recomputation on a resize keeps the steps.
    map->resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(view->horizontalScrollBar()->pageStep(), view->viewport()->width() * 9 / 10);
}

TEST_F(MapWindowTest, RightClickAnywhereOpensTheScaleMenu) {
    load(LandmarkFileBuilder().add(makeRecord(1, 1, 0, 0, "Reims", 49.5f, 3.0f)));
    openMap();
    QGraphicsView* view = map->view();
    const QPoint onMarker = view->mapFromScene(map->marker(0)->frame->sceneBoundingRect().center());
    for (const QPoint at : {onMarker, QPoint(400, 400)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        EXPECT_TRUE(map->popupMenu()->isVisible());
        map->popupMenu()->hide();
    }
}

TEST_F(MapWindowTest, MapCommandShowsTheSplashFirstAndStaysDisabledUntilTheUserClosesTheMap) {
    EXPECT_EQ(map->windowTitle(), "object PB1: TPaintBox[*]");
    load(LandmarkFileBuilder().addMany(5));
    ASSERT_TRUE(editorAction(kMapAction)->isEnabled());
    // The splash is on the screen before the map window shows and builds.
    std::vector<std::string> seen;
    struct Recorder : QObject {
        std::vector<std::string>* seen;
        std::string who;
        MapWindow* map;
        Recorder(std::vector<std::string>* s, std::string w, MapWindow* m)
            : seen(s), who(std::move(w)), map(m) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Show || e->type() == QEvent::Hide)
                seen->push_back(who + (e->type() == QEvent::Show ? " shown, " : " hidden, ") +
                                std::to_string(map->markers().size()) + " markers");
            return false;
        }
    } splashRecorder(&seen, "splash", map.get()), mapRecorder(&seen, "map", map.get());
    splash->installEventFilter(&splashRecorder);
    map->installEventFilter(&mapRecorder);
    openMap();
    EXPECT_EQ(seen, (std::vector<std::string>{"splash shown, 0 markers", "map shown, 0 markers",
                                              "splash hidden, 5 markers"}));
    EXPECT_EQ(map->windowTitle(), "Map of Marne Region[*]");
    EXPECT_EQ(map->mapShown(), 1);
    EXPECT_FALSE(editorAction(kMapAction)->isEnabled());

    map->close();
    EXPECT_TRUE(editorAction(kMapAction)->isEnabled());
    EXPECT_EQ(map->mapShown(), 0);
    EXPECT_TRUE(map->markers().empty());
    EXPECT_TRUE(map->scene()->items().isEmpty());
}

TEST_F(MapWindowTest, HidingRemovesExactlyTheMarkersOfTheLastBuild) {
    load(LandmarkFileBuilder().addMany(30));
    openMap();
    scaleEntry(map_names::kHalfScaleAction)->trigger();
    auto* other = map->scene()->addRect(0, 0, 5, 5);
    map->hide();
    EXPECT_EQ(map->mapShown(), 0);
    EXPECT_TRUE(map->markers().empty());
    EXPECT_EQ(map->scene()->items(), QList<QGraphicsItem*>{other});
}

// Shown or minimised, the map of the old set goes; the next "Map" shows the new one in sight.
TEST_F(MapWindowTest, ReadingAFileWhileTheMapIsShownHidesIt) {
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "shown");
        load(LandmarkFileBuilder().addMany(10));
        openMap();
        ASSERT_TRUE(map->isVisible());
        if (minimised)
            map->setWindowState(Qt::WindowMinimized);
        load(LandmarkFileBuilder().addMany(3), 2);
        EXPECT_TRUE(map->isHidden());
        EXPECT_EQ(map->mapShown(), 0);
        EXPECT_TRUE(map->scene()->items().isEmpty());
        EXPECT_TRUE(editorAction(kMapAction)->isEnabled());
        openMap();
        EXPECT_EQ(map->markers().size(), 3u);
        EXPECT_EQ(map->windowTitle(), "Map of Verdun Region[*]");
        EXPECT_FALSE(map->isMinimized());
        map->close();
    }
}

// Records how many markers the map held each time the splash was painted.
class PaintWatcher : public QObject {
  public:
    PaintWatcher(QWidget& watched, std::function<std::size_t()> count) : mCount(std::move(count)) {
        watched.installEventFilter(this);
    }
    std::vector<std::size_t> markersAtPaint;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            markersAtPaint.push_back(mCount());
        return false;
    }

  private:
    std::function<std::size_t()> mCount;
};

TEST_F(MapWindowTest, TheSplashIsPaintedBeforeTheFirstMarkerIsBuilt) {
    load(LandmarkFileBuilder().addMany(50));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first Map" : "after closing the map");
        PaintWatcher watcher(*splash,
                             [this] { return static_cast<std::size_t>(map->scene()->items().size()); });
        openMap();
        ASSERT_FALSE(watcher.markersAtPaint.empty()) << "the splash was never painted";
        EXPECT_EQ(watcher.markersAtPaint.front(), 0u);
        EXPECT_TRUE(splash->isHidden());
        EXPECT_EQ(map->markers().size(), 50u);
        map->close();
    }
}

TEST_F(MapWindowTest, EmptySetBuildsNothingAndStillHidesTheSplash) {
    splash->show();
    map->show();
    EXPECT_TRUE(map->markers().empty());
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(map->scene()->sceneRect(), QRectF());
}

TEST_F(MapWindowTest, SplashLabelFitsItsTextInsideTheWindow) {
    splash->show();
    QApplication::processEvents();
    EXPECT_EQ(splash->size(), QSize(409, 333));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->cursor().shape(), Qt::WaitCursor);
    auto* label = splash->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Generating Map Landmarks. Please Wait");
    EXPECT_TRUE(splash->rect().contains(label->geometry()));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height());
}

} // namespace
} // namespace korvland::testing
