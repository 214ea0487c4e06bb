#include "rasterize_runner.h"

#include "support_gui/test_windows.h"

#include <QGraphicsView>

#include <gtest/gtest.h>

namespace korvland::testing {
namespace {

// One record of every kind and both sides on a grid an eighth of a degree apart, the
// disabled type among them; named for the island, so that the region matters too.
std::string writeEveryKind(const std::filesystem::path& path) {
    const std::uint8_t types[][2] = {{0, 0},  {1, 0},  {2, 0},    {3, 19}, {3, 20}, {4, 0},
                                     {5, 19}, {5, 20}, {6, 0xAC}, {7, 0},  {8, 0},  {9, 0}};
    LandmarkFileBuilder file;
    for (std::uint16_t i = 0; i < std::size(types); ++i)
        file.add(makeRecord(i, types[i][0], types[i][1], static_cast<std::uint8_t>(i % 2), "Place",
                            49.0f - 0.125f * static_cast<float>(i / 4),
                            3.5f + 0.125f * static_cast<float>(i % 4)));
    return file.writeTo(path);
}

TEST(RasterizeWindow, ImageShowsWhatTheMapWindowShowsWhenItOpens) {
    TestWindows windows;
    windows.createWindows();
    const std::string file = writeEveryKind(windows.dir.path() / "lndmrks4.dat");
    windows.document.read(QString::fromStdString(file));
    windows.editor->resetEditor();
    windows.map->show();
    const QImage shown =
        windows.map->view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    const ProgramRun run = runRasterize({file, "map.png"}, windows.dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage image = readImage(windows.dir.path() / "map.png");
    ASSERT_LE(image.width(), shown.width());
    ASSERT_LE(image.height(), shown.height());
    ASSERT_GT(image.width(), 500); // the island's factors

    // The window highlights the current record, the first, and marks it selected once it is
    // built; the image is the map before that, so the first marker's frame and selection mark
    // are left out.
    const QRect firstFrame(16, 16, 28, 28);
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!firstFrame.contains(x, y) && image.pixel(x, y) != shown.pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace korvland::testing
