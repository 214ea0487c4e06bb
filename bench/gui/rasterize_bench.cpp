// The rasterizer on a 1024-record file: drawing the map at 1:1 and encoding it as PNG in
// memory, each step on its own, and a whole korvland-rasterize run as one process per
// iteration (start, read, draw, write, exit). Runs on the offscreen platform.
#include "map_image.h"
#include "support/build_paths.h"

#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/landmark_set.h"

#include "bench_support.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace korvland;
using namespace korvland::bench;

// A Marne file of 1024 records of every kind and both sides, spread over a theatre of 1.6
// by 4 degrees: a map of about 1240 x 780 pixels at 1:1. Every seventh record has the
// disabled type, so its marker is cross-hatched.
std::string writeFile() {
    std::mt19937 random(16);
    std::uniform_real_distribution<float> north(48.4f, 50.0f);
    std::uniform_real_distribution<float> east(2.0f, 6.0f);
    std::vector<LandmarkRecord> records(kMaxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 7 == 6 ? 6 : i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = north(random);
        r.eastWest = east(random);
        const std::string name = "Landmark " + std::to_string(i);
        std::copy(name.begin(), name.end(), r.name.begin());
    }
    const std::filesystem::path folder = "korvland-rasterize-bench-" + std::to_string(::getpid());
    std::filesystem::create_directories(benchFolder() / folder);
    return writeBenchFile(folder / "lndmrks0.dat", records);
}

// The file's folder goes when the program ends.
struct BenchFile {
    std::string path = writeFile();
    ~BenchFile() { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); }
};

const std::string& benchFile() {
    static const BenchFile file;
    return file.path;
}

std::unique_ptr<LandmarkSet> loadedSet() {
    auto set = std::make_unique<LandmarkSet>();
    set->read(benchFile());
    return set;
}

void reportImage(benchmark::State& state, const QImage& image) {
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
}

// The measure the issue names: the map at 1:1 drawn and encoded as PNG, in memory.
void BM_RasterizeToPng(benchmark::State& state) {
    const auto set = loadedSet();
    std::size_t pngBytes = 0;
    for (auto _ : state) {
        const QImage image = raster::renderMap(*set, 0, 1.0f);
        const std::vector<std::uint8_t> png = raster::encodeImage(image, "png");
        pngBytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    reportImage(state, raster::renderMap(*set, 0, 1.0f));
    state.counters["png_bytes"] = static_cast<double>(pngBytes);
}
BENCHMARK(BM_RasterizeToPng)->Unit(benchmark::kMillisecond);

// The scene built and drawn, without encoding; at each of the four scales.
void BM_RenderMap(benchmark::State& state) {
    const auto set = loadedSet();
    const float scale = static_cast<float>(state.range(0)) / 2.0f;
    QImage image;
    for (auto _ : state) {
        image = raster::renderMap(*set, 0, scale);
        benchmark::DoNotOptimize(image.constBits());
    }
    reportImage(state, image);
}
BENCHMARK(BM_RenderMap)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

// A whole run of the program, as a server's script starts it.
void BM_RasterizeProgram(benchmark::State& state) {
    const std::string output = (std::filesystem::path(benchFile()).parent_path() / "map.png").string();
    std::vector<std::string> args{korvland::testing::build::rasterizeProgram, benchFile(), output};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("korvland-rasterize failed");
            break;
        }
    }
}
BENCHMARK(BM_RasterizeProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
