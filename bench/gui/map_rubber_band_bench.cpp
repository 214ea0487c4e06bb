// A rubber band over half of a 1024-record map in the real map window: the press on the
// bare ground, the drag and the release, through to the document's selection and the
// repaint requests of every marker whose ring comes or goes. Each step selects the other
// half, so that every marker changes: the dearest case of a band over half the map.
// Runs on the offscreen platform; part of the GUI benchmark program.
#include "data/landmark_file.h"

#include "bench_support.h"

#include <QApplication>
#include <QGraphicsView>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace korvland;
using namespace korvland::bench;

constexpr std::uint16_t kRecords = 1024;

// 32 by 32 records of every kind and both sides, 18 pixels apart at 1:1, so that the whole
// map lies in the window as a dense front does.
std::string writeFile() {
    std::vector<LandmarkRecord> records(kRecords);
    for (std::uint16_t i = 0; i < kRecords; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 50.0f - static_cast<float>(i % 32) * 0.04f;
        r.eastWest = 2.0f + static_cast<float>(i / 32) * 0.06f;
        const std::string name = "Landmark " + std::to_string(i);
        std::copy_n(name.begin(), std::min(name.size(), kNameSize), r.name.begin());
    }
    return writeBenchFile("korvland-band-bench.dat", records);
}

void send(QWidget* viewport, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// Press on the bare ground at `from`, drag through the middle to `to`, release.
void band(QWidget* viewport, QPoint from, QPoint to) {
    send(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(viewport, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void rubberBand(benchmark::State& state, bool paint) {
    BenchWindows windows(writeFile(), "korvland-band-bench.INI");
    windows.map->show();
    QApplication::processEvents();
    QWidget* viewport = windows.map->view()->viewport();
    const QSize content = windows.map->scene()->sceneRect().size().toSize();
    if (content.width() + 20 > viewport->width() || content.height() > viewport->height())
        throw std::logic_error("the benchmark's map must lie in the window");
    // Between the 16th and 17th columns of markers; both corners on the bare ground.
    const auto columnX = [&](int column) {
        const QPointF centre = windows.map->marker(column * 32)->frame->sceneBoundingRect().center();
        return windows.map->view()->mapFromScene(centre).x();
    };
    const QPoint top((columnX(15) + columnX(16)) / 2, 2);
    const QPoint leftCorner(2, viewport->height() - 2);
    const QPoint rightCorner(viewport->width() - 2, viewport->height() - 2);
    int step = 0;
    for (auto _ : state) {
        if (step++ % 2 == 0)
            band(viewport, leftCorner, top);
        else
            band(viewport, rightCorner, top);
        if (paint)
            QApplication::processEvents();
    }
    if (windows.document.selectedCount() != kRecords / 2)
        state.SkipWithError("the band did not select half of the map");
    state.SetItemsProcessed(state.iterations());
}

void BM_RubberBand1024(benchmark::State& state) {
    rubberBand(state, false);
}
// The same, with the event loop then repainting what changed.
void BM_RubberBandAndPaint1024(benchmark::State& state) {
    rubberBand(state, true);
}
BENCHMARK(BM_RubberBand1024);
BENCHMARK(BM_RubberBandAndPaint1024);

} // namespace
