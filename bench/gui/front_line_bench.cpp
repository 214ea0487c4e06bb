// The front line over 1024 landmarks: computing the diagram and building the overlay, painting
// a window's worth of it, and the whole road of one side change in the editor with the
// overlay shown, up to the repaint request. Runs on the offscreen platform; part of the GUI
// benchmark program, whose main makes the application.
#include "data/landmark_file.h"
#include "ui/map/front_line_item.h"
#include "ui/map/map_scene.h"

#include "bench_support.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

constexpr std::uint16_t kRecords = 1024;

// 1024 landmarks of every kind over a theatre of about 1.6 by 4 degrees (some 750 × 1250
// pixels at 1:1), German in the west and Allied in the east with a ragged border, every
// seventh switched off in the file's type.
std::string writeFrontFile() {
    std::mt19937 random(25);
    std::uniform_real_distribution<float> north(48.4f, 50.0f);
    std::uniform_real_distribution<float> east(2.0f, 6.0f);
    std::normal_distribution<float> ragged(0.0f, 0.4f);
    std::vector<LandmarkRecord> records(kRecords);
    for (std::uint16_t i = 0; i < kRecords; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 7 == 3 ? 6 : i % 9);
        r.northSouth = north(random);
        r.eastWest = east(random);
        r.side = r.eastWest + ragged(random) > 4.0f ? 1 : 0;
    }
    return writeBenchFile("korvland-front-bench.dat", records);
}

struct FrontHost {
    FrontHost() {
        set.read(writeFrontFile());
        content = buildMapScene(scene, set, 0, 1.0f);
    }
    LandmarkSet set;
    QGraphicsScene scene;
    MapContent content;
};

void BM_FrontLine1024(benchmark::State& state) {
    FrontHost host;
    std::size_t segments = 0;
    for (auto _ : state) {
        state.PauseTiming();
        hideFrontLine(host.scene, host.content);
        state.ResumeTiming();
        showFrontLine(host.scene, host.content, host.set, 0, 1.0f);
        segments = host.content.frontLine->geometry().front.size();
    }
    state.counters["cells"] = static_cast<double>(host.content.frontLine->geometry().cells.size());
    state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_FrontLine1024)->Unit(benchmark::kMillisecond);

// What a repaint of a map window's worth of the surface costs with the overlay under the
// markers, against the same without it.
void paintWindow(benchmark::State& state, bool frontLine) {
    FrontHost host;
    if (frontLine)
        showFrontLine(host.scene, host.content, host.set, 0, 1.0f);
    QImage image(833, 753, QImage::Format_RGB32);
    const QRectF window(0, 0, 833, 753);
    for (auto _ : state) {
        QPainter painter(&image);
        host.scene.render(&painter, window, window);
    }
}
void BM_FrontLinePaintWindow1024(benchmark::State& state) {
    paintWindow(state, true);
}
void BM_MapPaintWindow1024(benchmark::State& state) {
    paintWindow(state, false);
}
BENCHMARK(BM_FrontLinePaintWindow1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapPaintWindow1024)->Unit(benchmark::kMillisecond);

// The editor's side choice on the current record with the overlay shown: the set changes,
// the current marker is refreshed and the overlay computed again, and the scene asks for
// its repaint.
void BM_FrontLineSideChange1024(benchmark::State& state) {
    BenchWindows windows(writeFrontFile(), "korvland-front-bench.INI");
    windows.map->findChild<QAction*>(QStringLiteral("FrontLine1"))->trigger();
    windows.map->show();
    windows.editor->setRecordNumber(kRecords / 2);
    windows.editor->selectRecord();
    QApplication::processEvents();
    int side = 0;
    for (auto _ : state) {
        side = 1 - side;
        windows.editor->sideChosen(side);
    }
    benchmark::DoNotOptimize(windows.map->frontLine()->computations());
}
BENCHMARK(BM_FrontLineSideChange1024)->Unit(benchmark::kMillisecond);

// Scrolling the shown map window a line step at a time, painted, with and without the overlay.
void scrollWindow(benchmark::State& state, bool frontLine) {
    BenchWindows windows(writeFrontFile(), "korvland-front-bench.INI");
    if (frontLine)
        windows.map->findChild<QAction*>(QStringLiteral("FrontLine1"))->trigger();
    windows.map->show();
    QApplication::processEvents();
    QScrollBar* bar = windows.map->view()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue((step++ % 20) * bar->singleStep());
        QApplication::processEvents();
    }
}
void BM_FrontLineScroll1024(benchmark::State& state) {
    scrollWindow(state, true);
}
void BM_MapScroll1024(benchmark::State& state) {
    scrollWindow(state, false);
}
BENCHMARK(BM_FrontLineScroll1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapScroll1024)->Unit(benchmark::kMillisecond);

} // namespace
