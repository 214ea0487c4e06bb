#include "editor_window_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace korvland::testing {
namespace {
using namespace editor_names;

struct KindStep {
    std::uint8_t type;
    std::uint8_t subType;
    const char* text;
    QColor colour; // what the label shows after this record, "Unknown" keeping the one before
};

// Records shown one after another: each "Unknown" row keeps the colour of the row above it.
TEST_F(EditorWindowTest, KindLabelShowsTextAndColourOfEachKind) {
    const std::vector<KindStep> steps = {
        {0, 0, "Airfield", QColor(0, 255, 255)},  {6, 0xAC, "Unknown", QColor(0, 255, 255)},
        {1, 0, "City", QColor(255, 255, 255)},    {10, 0, "Unknown", QColor(255, 255, 255)},
        {2, 0, "Supply", QColor(0, 0, 128)},      {3, 0x13, "Train Station", QColor(255, 0, 0)},
        {3, 0x14, "Troops", QColor(128, 128, 0)}, {4, 0, "Bridge", QColor(255, 255, 0)},
        {5, 19, "Factory", QColor(128, 0, 0)},    {5, 20, "Balloon", QColor(128, 128, 0)},
        {255, 0, "Unknown", QColor(128, 128, 0)}, {7, 0, "Town", QColor(128, 128, 128)},
        {8, 0, "Village", QColor(128, 0, 128)},   {9, 0, "Blank", QColor(0, 0, 0)},
        {6, 0, "Unknown", QColor(0, 0, 0)},
    };
    LandmarkFileBuilder builder;
    for (std::size_t i = 0; i < steps.size(); ++i)
        builder.add(
            makeRecord(static_cast<std::uint16_t>(i), steps[i].type, steps[i].subType, 0, "Somewhere"));
    load(builder);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        select(static_cast<int>(i) + 1);
        EXPECT_EQ(kindLabel()->text().toStdString(), steps[i].text) << "record " << i;
        EXPECT_EQ(kindColour(), steps[i].colour) << "record " << i << " " << steps[i].text;
    }
}

TEST_F(EditorWindowTest, BoxesShowTheFieldsOfTheRecord) {
    LandmarkRecord record = makeRecord(4711, 0x0A, 0xFF, 1, "Fort de Vaux", 123456.789f, 0.0f);
    record.elevation = 12.5f;
    record.rotation = -0.25f;
    load(LandmarkFileBuilder().add(record));
    EXPECT_EQ(text(kIdBox), "4711");
    EXPECT_EQ(text(kTypeBox), "0A");
    EXPECT_EQ(text(kSubTypeBox), "FF");
    EXPECT_EQ(text(kNorthSouthBox), "123456.78900");
    EXPECT_EQ(text(kEastWestBox), "0.00000");
    EXPECT_EQ(text(kElevationBox), "12.50000");
    EXPECT_EQ(text(kRotationBox), "-0.25000");
    EXPECT_EQ(text(kNameBox), "Fort de Vaux");
    EXPECT_EQ(group(kSideGroup)->itemIndex(), 1);
    EXPECT_EQ(group(kActiveGroup)->itemIndex(), 0);
}

TEST_F(EditorWindowTest, NamesShowUpToTheirTerminatorOrAllFortyBytes) {
    LandmarkRecord full = makeRecord(1, 1, 0, 0, "");
    const std::string forty = "Saint-Mihiel salient southern rail yard.";
    ASSERT_EQ(forty.size(), 40u);
    std::copy(forty.begin(), forty.end(), full.name.begin());
    LandmarkRecord shortName = makeRecord(2, 1, 0, 0, "Ypres");
    // Bytes after the terminator stay out of the box.
    shortName.name[6] = 'X';
    LandmarkRecord accented = makeRecord(3, 1, 0, 0, "Cambrai \xE9glise \x80");
    load(LandmarkFileBuilder().add(full).add(shortName).add(accented));
    EXPECT_EQ(text(kNameBox).toStdString(), forty);
    select(2);
    EXPECT_EQ(text(kNameBox), "Ypres");
    select(3);
    EXPECT_EQ(text(kNameBox), QString::fromUtf8("Cambrai \u00E9glise \u20AC"));
}

class SideShown : public EditorWindowTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(SideShown, OnlyOneIsAllied) {
    const auto [side, item] = GetParam();
    load(LandmarkFileBuilder()
             .add(makeRecord(1, 1, 0, 1, "Before"))
             .add(makeRecord(2, 1, 0, static_cast<std::uint8_t>(side), "Shown")),
         2);
    EXPECT_EQ(group(kSideGroup)->itemIndex(), item);
    EXPECT_TRUE(group(kSideGroup)->button(item)->isChecked());
    EXPECT_EQ(set.record(1).side, side) << "showing changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Bytes, SideShown,
                         ::testing::Values(std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 0},
                                           std::pair{255, 0}));

TEST_F(EditorWindowTest, EveryNonZeroDisabledFlagShowsNo) {
    load(LandmarkFileBuilder().addMany(3));
    std::array<std::uint8_t, kMaxRecords> flags{};
    flags[1] = 1;
    flags[2] = 2; // only a profile brings such a value
    openProfileWith(flags);
    for (int number : {1, 2, 3}) {
        select(number);
        EXPECT_EQ(group(kActiveGroup)->itemIndex(), number == 1 ? 0 : 1) << number;
    }
    EXPECT_EQ(set.disabledFlag(2), 2) << "showing changes nothing";
}

TEST_F(EditorWindowTest, TypingIntoDisplayOnlyBoxesStoresNothing) {
    load(LandmarkFileBuilder().addMany(2));
    const LandmarkRecord before = set.record(0);
    for (const char* name : {kIdBox, kNorthSouthBox, kEastWestBox, kElevationBox, kRotationBox})
        retype(name, "99");
    EXPECT_EQ(set.record(0), before);
    EXPECT_FALSE(editor->isModified());
    select(1);
    EXPECT_EQ(text(kIdBox), "1000");
}

TEST_F(EditorWindowTest, ARefreshStoresNothing) {
    LandmarkRecord record = makeRecord(5, 3, 0x13, 2, "Nine");
    load(LandmarkFileBuilder().add(record).addMany(1));
    const std::vector<std::uint8_t> before = set.compiledBytes();
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(spinner()->upButton(), Qt::LeftButton);
    editor->refreshRecord();
    EXPECT_EQ(set.compiledBytes(), before);
    EXPECT_FALSE(editor->isModified());
}

TEST_F(EditorWindowTest, FilePathIsShownAsItStandsWithMarkupInIt) {
    const std::filesystem::path folder = dir.path() / "<i>maps";
    std::filesystem::create_directories(folder);
    LandmarkFileBuilder builder;
    builder.addMany(2);
    document.read(QString::fromStdString(builder.writeTo(folder / "lndmrks0.dat")));
    editor->resetEditor();
    QLabel* path = control<QLabel>(kPathLabel);
    EXPECT_EQ(path->text().toStdString(), (folder / "lndmrks0.dat").string());
    // Taken for markup, "<i>" would vanish and the rest be set in italics, narrower.
    EXPECT_GE(path->sizeHint().width(), path->fontMetrics().horizontalAdvance(path->text()));
}

} // namespace
} // namespace korvland::testing
