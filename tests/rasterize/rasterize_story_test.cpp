#include "rasterize_runner.h"

#include "data/profile_file.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace korvland::testing {
namespace {

// A German city at (30, 30), an Allied airfield at (180, 30) and a German city at (105, 120).
constexpr QPoint kMarkers[] = {{30, 30}, {180, 30}, {105, 120}};

LandmarkFileBuilder threeLandmarks(std::uint8_t airfieldSide = 1, std::uint8_t airfieldType = 0,
                                   std::uint8_t airfieldSubType = 0) {
    return LandmarkFileBuilder()
        .add(makeRecord(1, 1, 0, 0, "Reims", 49.0f, 3.0f))
        .add(makeRecord(2, airfieldType, airfieldSubType, airfieldSide, "Arras", 49.0f, 3.5f))
        .add(makeRecord(3, 1, 0, 0, "Ay", 48.8f, 3.25f));
}

bool isLabelInk(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 180;
}
bool isRing(QRgb pixel) {
    return qRed(pixel) < 80 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}
bool isDot(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) > 200;
}

// How many pixels of a square around `centre` pass `test`: within `outer` and beyond `inner`.
int countAround(const QImage& image, QPoint centre, int inner, int outer,
                const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = centre.y() - outer; y <= centre.y() + outer; ++y)
        for (int x = centre.x() - outer; x <= centre.x() + outer; ++x)
            if (image.valid(x, y) && std::max(std::abs(x - centre.x()), std::abs(y - centre.y())) > inner &&
                test(image.pixel(x, y)))
                ++count;
    return count;
}

struct StoryCase {
    const char* name;
    std::vector<std::string> options;
    std::function<void(const QImage&)> check;
};

void PrintTo(const StoryCase& c, std::ostream* out) {
    *out << c.name;
}

class RasterizeStory : public ::testing::TestWithParam<StoryCase> {};

TEST_P(RasterizeStory, OptionDrawsWhatTheMapWindowDraws) {
    const StoryCase& c = GetParam();
    const TempDir folder;
    threeLandmarks().writeTo(folder.path() / "lndmrks0.dat");
    threeLandmarks(0).writeTo(folder.path() / "older.dat");
    // The file as it is saved with the airfield switched off, and a profile that switches it off.
    threeLandmarks(1, 6, 0xAC).writeTo(folder.path() / "saved.dat");
    ProfileContents profile;
    profile.disabledFlags[1] = 1;
    writeBytes(folder.path() / "evening.lmp", encodeProfile(profile));
    // A light picture with a magenta dot at pixels 48 to 52, 23 to 27.
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(48, 23, 5, 5, QColor(255, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString((folder.path() / "theatre.png").string())));
    std::vector<std::string> args{"lndmrks0.dat", "map.png"};
    args.insert(args.end(), c.options.begin(), c.options.end());

    const ProgramRun run = runRasterize(args, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage image = readImage(folder.path() / "map.png");
    c.check(image);
}

INSTANTIATE_TEST_SUITE_P(
    Options, RasterizeStory,
    ::testing::Values(StoryCase{"WithoutOptionsNothingBesideTheMarkers",
                                {},
                                [](const QImage& image) {
                                    EXPECT_EQ(image.size(), QSize(191, 131));
                                    for (QPoint marker : kMarkers) {
                                        EXPECT_EQ(countAround(image, marker, 11, 60, isLabelInk), 0);
                                        EXPECT_EQ(countAround(image, marker, 11, 20, isRing), 0);
                                    }
                                }},
                      // Each name beside its marker, the airfield's on its left where the right has no room.
                      StoryCase{"LabelsBesideEachMarker",
                                {"--labels"},
                                [](const QImage& image) {
                                    EXPECT_EQ(image.size(), QSize(191, 131));
                                    for (QPoint marker : kMarkers)
                                        EXPECT_GT(countAround(image, marker, 12, 60, isLabelInk), 10)
                                            << marker.x();
                                }},
                      StoryCase{"RingsOnlyAroundChangedMarkers",
                                {"--compare", "older.dat"},
                                [](const QImage& image) {
                                    // The legend lies in a strip under the map, which is read alone.
                                    EXPECT_GE(image.width(), 191);
                                    EXPECT_GT(image.height(), 131);
                                    const QImage map = image.copy(0, 0, 191, 131);
                                    EXPECT_GT(countAround(map, kMarkers[1], 14, 19, isRing), 40);
                                    EXPECT_EQ(countAround(map, kMarkers[0], 11, 19, isRing), 0);
                                    EXPECT_EQ(countAround(map, kMarkers[2], 11, 19, isRing), 0);
                                }},
                      // A profile's switched-off airfield is compared as a save writes it.
                      StoryCase{"NoRingsAgainstTheFileTheProfileWouldSave",
                                {"--profile", "evening.lmp", "--compare", "saved.dat"},
                                [](const QImage& image) {
                                    const QImage map = image.copy(0, 0, 191, 131);
                                    for (QPoint marker : kMarkers)
                                        EXPECT_EQ(countAround(map, marker, 11, 19, isRing), 0);
                                }},
                      // The anchors put picture pixel (10, 10) on Reims and (90, 40) on Ay: the dot at (50,
                      // 25) lands at (67.5, 75).
                      StoryCase{"PictureDotLandsWhereTheAnchorsPutIt",
                                {"--background", "theatre.png", "--anchor", "1:10,10", "--anchor", "3:90,40"},
                                [](const QImage& image) {
                                    EXPECT_TRUE(isDot(image.pixel(67, 75)))
                                        << std::hex << image.pixel(67, 75);
                                    EXPECT_FALSE(isDot(image.pixel(50, 25)));
                                    EXPECT_EQ(image.pixel(60, 100), 0xFFFFFFFF);
                                    EXPECT_EQ(image.pixel(150, 100), kGround);
                                }}),
    [](const ::testing::TestParamInfo<StoryCase>& param) { return std::string(param.param.name); });

TEST(RasterizeStory, BadOptionsFailAndWriteNothing) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        int exitCode;
        std::string message;
    } cases[] = {
        {"picture without anchors", {"--background", "theatre.png"}, 2, "--background requires --anchor"},
        {"one anchor", {"--background", "theatre.png", "--anchor", "1:1,1"}, 2, "--anchor"},
        {"anchor not ID:X,Y",
         {"--background", "theatre.png", "--anchor", "1:1", "--anchor", "2:5,5"},
         2,
         "--anchor"},
        {"anchor without picture",
         {"--anchor", "1:1,1", "--anchor", "2:5,5"},
         2,
         "--anchor requires --background"},
        {"unreadable picture",
         {"--background", "lndmrks0.dat", "--anchor", "1:1,1", "--anchor", "2:9,9"},
         1,
         "The picture cannot be read"},
        {"unknown landmark",
         {"--background", "theatre.png", "--anchor", "1:1,1", "--anchor", "9:9,9"},
         1,
         "No landmark has the identifier 9."},
        {"anchors in one row",
         {"--background", "theatre.png", "--anchor", "1:1,5", "--anchor", "3:9,5"},
         1,
         "The two anchors must lie apart both across and down the picture."},
        {"markers in one row",
         {"--background", "theatre.png", "--anchor", "1:1,1", "--anchor", "2:9,9"},
         1,
         "The two anchors' landmarks must lie apart both across and down the map."},
        {"mirrored",
         {"--background", "theatre.png", "--anchor", "1:9,1", "--anchor", "3:1,9"},
         1,
         "The anchors would show the picture mirrored"},
        {"missing file to compare", {"--compare", "none.dat"}, 1, "File not found.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir folder;
        threeLandmarks().writeTo(folder.path() / "lndmrks0.dat");
        QImage(20, 20, QImage::Format_RGB32)
            .save(QString::fromStdString((folder.path() / "theatre.png").string()));
        std::vector<std::string> args{"lndmrks0.dat", "map.png"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ProgramRun run = runRasterize(args, folder.path());
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "map.png"));
    }
}

} // namespace
} // namespace korvland::testing
