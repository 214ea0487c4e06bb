#include "rasterize_runner.h"

#include <QImageReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>

namespace korvland::testing {
namespace {

// Two markers half a degree apart in both directions: the German one north-west on the
// margin, the Allied one south-east of it, so the Allied frame is the farthest.
LandmarkFileBuilder germanAndAllied() {
    LandmarkFileBuilder file;
    file.add(makeRecord(1, 1, 0, 0, "Reims", 49.0f, 3.5f));
    file.add(makeRecord(2, 7, 0, 1, "Arras", 48.5f, 4.0f));
    return file;
}

struct SizeCase {
    std::string fileName;
    std::vector<std::string> options;
    int pixelsPerDegreeNorth; // factor A
    int pixelsPerDegreeEast;  // factor B
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.fileName << ::testing::PrintToString(c.options);
}

class RasterizeMap : public ::testing::TestWithParam<SizeCase> {};

TEST_P(RasterizeMap, SurfaceReachesTheFarthestFrameWithSideColouredOutlinesOnTheGround) {
    const SizeCase& c = GetParam();
    const TempDir folder;
    germanAndAllied().writeTo(folder.path() / c.fileName);
    // An earlier image of the same name is replaced whole.
    writeBytes(folder.path() / "map.png", {'o', 'l', 'd'});
    std::vector<std::string> args{c.fileName, "map.png"};
    args.insert(args.end(), c.options.begin(), c.options.end());

    const ProgramRun run = runRasterize(args, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    std::vector<std::string> expected{c.fileName, "map.png"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesIn(folder.path()), expected);

    // "-" writes the same image to standard output, as PNG.
    args[1] = "-";
    const ProgramRun piped = runRasterize(args, folder.path());
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(std::vector<std::uint8_t>(piped.out.begin(), piped.out.end()),
              readBytes(folder.path() / "map.png"));
    EXPECT_EQ(filesIn(folder.path()), expected);

    const QImage image = readImage(folder.path() / "map.png");
    // The Allied centre lies half a degree from the German one, which sits on the 30-pixel margin.
    const int alliedX = 30 + c.pixelsPerDegreeEast / 2;
    const int alliedY = 30 + c.pixelsPerDegreeNorth / 2;
    ASSERT_EQ(image.size(), QSize(alliedX + 11, alliedY + 11));
    EXPECT_EQ(image.pixel(19, 19), kGerman);
    EXPECT_EQ(image.pixel(alliedX - 11, alliedY - 11), kAllied);
    EXPECT_EQ(image.pixel(alliedX + 10, alliedY + 10), kAllied);
    EXPECT_EQ(image.pixel(0, 0), kGround);
    EXPECT_EQ(image.pixel(image.width() - 1, 0), kGround);
    EXPECT_EQ(image.pixel(0, image.height() - 1), kGround);
    // A map of few colours is written as a palette image; the larger ones in several bands.
    args[1] = "map.png";
    expectRenderedPixels(args, folder.path());
}

INSTANTIATE_TEST_SUITE_P(
    RegionAndScale, RasterizeMap,
    ::testing::Values(SizeCase{"lndmrks0.dat", {}, 450, 300}, SizeCase{"LNDMRKS4.DAT", {}, 2250, 1500},
                      SizeCase{"lndmrks4.mlf", {"--scale", "0.5"}, 1125, 750},
                      SizeCase{"lndmrks2.dat", {"--scale", "4"}, 1800, 1200},
                      SizeCase{"lndmrks1.dat", {"--scale", "2.0"}, 900, 600},
                      SizeCase{"theatre.dat", {"--region", "4"}, 2250, 1500},
                      SizeCase{"lndmrks4.dat", {"--region", "0"}, 450, 300},
                      SizeCase{"lndmrks5.dat", {}, 450, 300}, SizeCase{"lndmrks4.dat.bak", {}, 450, 300},
                      // The editor lower-cases by the locale: the Kelvin sign becomes a k.
                      SizeCase{"LNDMR\u212AS4.DAT", {}, 2250, 1500}),
    [](const ::testing::TestParamInfo<SizeCase>& param) {
        std::string name = std::to_string(param.index) + "_" + param.param.fileName;
        for (const std::string& option : param.param.options)
            name += "_" + option;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(RasterizeProfile, SwitchingALandmarkOffChangesOnlyItsMarker) {
    const TempDir folder;
    LandmarkFileBuilder file;
    file.add(makeRecord(1, 0, 0, 0, "Somme", 49.0f, 3.5f));
    file.add(makeRecord(2, 3, 25, 1, "Front", 48.75f, 3.75f));
    file.add(makeRecord(3, 8, 0, 0, "Loos", 48.5f, 4.0f));
    file.writeTo(folder.path() / "lndmrks0.dat");
    // The landmark file the profile names does not exist: only its flags count.
    writeBytes(folder.path() / "front.lmp", profileBytes("/nowhere/lndmrks3.dat", 3, {1}));

    ASSERT_EQ(runRasterize({"lndmrks0.dat", "all.png"}, folder.path()).exitCode, 0);
    const ProgramRun run = runRasterize({"lndmrks0.dat", "off.png", "--profile", "front.lmp"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage all = readImage(folder.path() / "all.png");
    const QImage off = readImage(folder.path() / "off.png");
    ASSERT_EQ(all.size(), off.size());

    // Record 1's frame: centre (30 + 75, 30 + 112).
    const QRect frame(105 - 11, 142 - 11, 22, 22);
    int changed = 0;
    for (int y = 0; y < all.height(); ++y) {
        for (int x = 0; x < all.width(); ++x) {
            if (all.pixel(x, y) == off.pixel(x, y))
                continue;
            ++changed;
            EXPECT_TRUE(frame.adjusted(1, 1, -1, -1).contains(x, y)) << x << "," << y;
            EXPECT_EQ(off.pixel(x, y), kAllied) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 50); // the cross-hatch over the icon
    EXPECT_EQ(off.pixel(frame.topLeft()), kAllied);
}

TEST(RasterizeSize, WholeImageFitsTheSizeKeepingItsShape) {
    const TempDir folder;
    germanAndAllied().writeTo(folder.path() / "lndmrks0.dat"); // 191 x 266 at 1:1
    for (int size : {64, 1000}) {
        SCOPED_TRACE(size);
        const ProgramRun run =
            runRasterize({"lndmrks0.dat", "map.png", "--size", std::to_string(size)}, folder.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QImage image = readImage(folder.path() / "map.png");
        EXPECT_EQ(image.height(), size);
        EXPECT_NEAR(image.width(), size * 191.0 / 266.0, 1.0);
        EXPECT_EQ(image.pixel(image.width() - 1, 0), kGround);
        // Smooth scaling makes thousands of colours: an RGB image.
        expectRenderedPixels({"lndmrks0.dat", "map.png", "--size", std::to_string(size)}, folder.path());
    }
}

TEST(RasterizeFormat, OutputFormatFollowsTheExtensionUnlessFormatNamesIt) {
    const TempDir folder;
    germanAndAllied().writeTo(folder.path() / "lndmrks0.dat");
    struct Case {
        const char* name;
        std::vector<std::string> format;
        const char* read;
    };
    // A file manager's thumbnailer writes to a temporary name of its own.
    for (const Case& c : std::vector<Case>{{"map.bmp", {}, "bmp"},
                                           {"MAP.JPG", {}, "jpeg"},
                                           {"map.ppm", {}, "ppm"},
                                           {"gnome-thumbnail-X1Y2", {"--format", "png"}, "png"},
                                           {"shot.jpg", {"--format", "PNG"}, "png"}}) {
        const std::string name = c.name;
        const char* format = c.read;
        SCOPED_TRACE(name);
        std::vector<std::string> args{"lndmrks0.dat", name};
        args.insert(args.begin(), c.format.begin(), c.format.end());
        ASSERT_EQ(runRasterize(args, folder.path()).exitCode, 0);
        QImageReader reader(QString::fromStdString((folder.path() / name).string()));
        EXPECT_EQ(reader.format(), format);
        EXPECT_EQ(reader.size(), QSize(191, 266));
    }
}

} // namespace
} // namespace korvland::testing
