// Building the map of a 1024-record file: the scene the map window shows, against the
// literal alternative of 2048 child widgets on a scrolled widget, then tearing it down
// and changing the scale in the real window. Runs on the offscreen platform.
#include "data/landmark_file.h"
#include "data/landmark_set.h"
#include "data/map_projection.h"
#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "ui/common/app_context.h"
#include "ui/common/record_format.h"
#include "ui/map/map_scene.h"
#include "ui/map/map_window.h"
#include "ui/start/qt_dialogs.h"

#include "bench_support.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

constexpr std::uint16_t kRecords = 1024;

// A set of `count` records of every kind and both sides, spread over a theatre of about
// 1.6 by 4 degrees (a map of some 750 × 1250 pixels at 1:1), every seventh switched off.
std::string writeMapFile(std::uint16_t count) {
    std::mt19937 random(12);
    std::uniform_real_distribution<float> north(48.4f, 50.0f);
    std::uniform_real_distribution<float> east(2.0f, 6.0f);
    std::vector<LandmarkRecord> records(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 7 == 3 ? 6 : i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 3);
        r.northSouth = north(random);
        r.eastWest = east(random);
        const std::string name = "Landmark number " + std::to_string(i);
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-map-bench.dat", records);
}

void loadSet(LandmarkSet& set, std::uint16_t count) {
    set.read(writeMapFile(count));
}

// A shown view over a scene, as the map window holds them.
struct SceneHost {
    SceneHost() : view(&scene) {
        loadSet(set, kRecords);
        view.resize(833, 753);
        view.show();
        QApplication::processEvents();
    }
    LandmarkSet set;
    QGraphicsScene scene;
    QGraphicsView view;
};

void BM_MapBuild1024(benchmark::State& state) {
    SceneHost host;
    for (auto _ : state) {
        MapContent content = buildMapScene(host.scene, host.set, 0, 1.0f);
        benchmark::DoNotOptimize(content.markers.data());
        state.PauseTiming();
        clearMapScene(host.scene, content);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MapBuild1024)->Unit(benchmark::kMillisecond);

void BM_MapTeardown1024(benchmark::State& state) {
    SceneHost host;
    for (auto _ : state) {
        state.PauseTiming();
        MapContent content = buildMapScene(host.scene, host.set, 0, 1.0f);
        // The map is shown and painted before anyone can tear it down.
        QApplication::processEvents();
        state.ResumeTiming();
        clearMapScene(host.scene, content);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MapTeardown1024)->Unit(benchmark::kMillisecond);

// --- the literal alternative: two child widgets per record ------------------------------

// A square frame control: outline and fill in one colour, clear or cross-hatched.
class ShapeControl : public QWidget {
  public:
    ShapeControl(QWidget* parent, const QColor& colour, bool hatched)
        : QWidget(parent), mColour(colour), mHatched(hatched) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(mColour);
        painter.setBrush(mHatched ? QBrush(mColour, Qt::DiagCrossPattern) : QBrush(Qt::NoBrush));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    QColor mColour;
    bool mHatched;
};

struct WidgetHost {
    WidgetHost() {
        loadSet(set, kRecords);
        area.resize(833, 753);
        area.setWidget(surface);
        surface->setAutoFillBackground(true);
        area.show();
        QApplication::processEvents();
    }
    LandmarkSet set;
    QScrollArea area;
    QWidget* surface = new QWidget;
};

// What the map would do with one widget per control: an image control showing its
// kind's picture stretched and a shape control above it, named, hinted, shown.
void buildWidgets(WidgetHost& host) {
    const std::size_t count = host.set.recordCount();
    std::vector<LandmarkRecord> records(count);
    for (std::size_t i = 0; i < count; ++i)
        records[i] = host.set.record(i);
    const std::vector<MapPoint> points = projectRecords(records, 1.0f, 0);
    int right = 0;
    int bottom = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const LandmarkRecord& record = records[i];
        auto* image = new QLabel(host.surface);
        image->setObjectName(QStringLiteral("mp%1").arg(i));
        image->setScaledContents(true);
        image->setPixmap(QPixmap::fromImage(
            MarkerIcons::shared().forKind(classifyKind(record.loFileType, record.loFileNo)).picture));
        image->setGeometry(points[i].x - 10, points[i].y - 10, 20, 20);
        auto* frame = new ShapeControl(host.surface, colourFromBgr(sideColour(record.side)),
                                       host.set.disabledFlag(i) != 0);
        frame->setObjectName(QStringLiteral("bob%1").arg(i));
        frame->setToolTip(markerHint(record));
        frame->setGeometry(points[i].x - 11, points[i].y - 11, 22, 22);
        image->show();
        frame->show();
        image->raise();
        frame->raise();
        right = std::max(right, points[i].x + 11);
        bottom = std::max(bottom, points[i].y + 11);
    }
    host.surface->resize(right, bottom);
}

void BM_MapBuildWidgets1024(benchmark::State& state) {
    WidgetHost host;
    for (auto _ : state) {
        buildWidgets(host);
        state.PauseTiming();
        qDeleteAll(host.surface->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MapBuildWidgets1024)->Unit(benchmark::kMillisecond);

// --- the real window ---------------------------------------------------------------------

// A scale change in the shown map window: teardown and rebuild, alternating 1:1 and 2:1.
void BM_MapZoom1024(benchmark::State& state) {
    LandmarkDocument document;
    document.read(QString::fromStdString(writeMapFile(kRecords)));
    QtDialogs dialogs;
    SettingsStore store((benchFolder() / "korvland-map-bench.INI").string());
    AppContext context{document, dialogs, store, {}, {}, {}};
    MapWindow map(context);
    map.show();
    QApplication::processEvents();
    bool twice = false;
    for (auto _ : state) {
        // The user picks the entry from a map that has been shown and painted.
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
        twice = !twice;
        if (twice)
            map.setScale(2.0f);
        else
            map.setScale(1.0f);
    }
    benchmark::DoNotOptimize(map.markers().size());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MapZoom1024)->Unit(benchmark::kMillisecond);

} // namespace
