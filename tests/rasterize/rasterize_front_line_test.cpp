#include "rasterize_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace korvland::testing {
namespace {

enum class Ground { Bare, German, Allied, Front };

// How a pixel reads against the dark-green ground: a wash of red or of blue, the dark front
// line, or the ground itself.
Ground groundAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    if (pixel == kGround)
        return Ground::Bare;
    if (qRed(pixel) < 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60)
        return Ground::Front;
    if (qRed(pixel) > qRed(kGround) + 40 && qBlue(pixel) <= qBlue(kGround) && qGreen(pixel) < qGreen(kGround))
        return Ground::German;
    if (qBlue(pixel) > qBlue(kGround) + 40 && qRed(pixel) <= qRed(kGround) && qGreen(pixel) < qGreen(kGround))
        return Ground::Allied;
    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << pixel;
    return Ground::Bare;
}

struct FrontCase {
    const char* name;
    std::vector<std::string> options;
    Ground west;   // the German landmark's half
    Ground middle; // on the bisector
    Ground east;   // the Allied landmark's half
};

void PrintTo(const FrontCase& c, std::ostream* out) {
    *out << c.name;
}

class RasterizeFrontLine : public ::testing::TestWithParam<FrontCase> {};

// A German landmark on the margin at (30, 30) and an Allied one half a degree east at
// (180, 30): their bisector is the column x = 105. Pixels are read above the frames.
TEST_P(RasterizeFrontLine, EachSideOfTheBisectorCarriesItsSidesWash) {
    const FrontCase& c = GetParam();
    const TempDir folder;
    LandmarkFileBuilder file;
    file.add(makeRecord(1, 1, 0, 0, "Reims", 49.0f, 3.5f));
    file.add(makeRecord(2, 7, 0, 1, "Arras", 49.0f, 4.0f));
    file.writeTo(folder.path() / "lndmrks0.dat");
    writeBytes(folder.path() / "off.lmp", profileBytes("lndmrks0.dat", 2, {0}));
    std::vector<std::string> args{"lndmrks0.dat", "map.png"};
    args.insert(args.end(), c.options.begin(), c.options.end());

    const ProgramRun run = runRasterize(args, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage image = readImage(folder.path() / "map.png");
    ASSERT_EQ(image.size(), QSize(191, 41));
    for (int y : {0, 10, 18}) {
        SCOPED_TRACE(y);
        for (int x : {0, 50, 100})
            EXPECT_EQ(groundAt(image, x, y), c.west) << x;
        EXPECT_EQ(groundAt(image, 105, y), c.middle);
        for (int x : {110, 160, 190})
            EXPECT_EQ(groundAt(image, x, y), c.east) << x;
    }
    // The markers lie above the wash, their frames in their side colours.
    EXPECT_EQ(image.pixel(19, 19), kGerman);
    EXPECT_EQ(image.pixel(169, 19), kAllied);
}

INSTANTIATE_TEST_SUITE_P(
    Options, RasterizeFrontLine,
    ::testing::Values(
        FrontCase{"WithoutTheOptionTheGroundIsBare", {}, Ground::Bare, Ground::Bare, Ground::Bare},
        FrontCase{
            "TwoSidesMeetAtTheBisector", {"--front-line"}, Ground::German, Ground::Front, Ground::Allied},
        // Switched off, the German landmark holds nothing: the Allied one holds all.
        FrontCase{"SwitchedOffLandmarkHoldsNothing",
                  {"--front-line", "--profile", "off.lmp"},
                  Ground::Allied,
                  Ground::Allied,
                  Ground::Allied}),
    [](const ::testing::TestParamInfo<FrontCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace korvland::testing
