#include "data/landmark_set.h"
#include "data/set_state.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::readBytes;
using testing::TempDir;

// Twelve records of types 0 to 2 and 7, with records 5 and 9 of type 6 and an odd sub-type.
LandmarkFileBuilder twelveWithTwoSwitchedOff() {
    LandmarkFileBuilder builder;
    const std::uint8_t types[] = {0, 1, 2, 7};
    for (std::uint16_t i = 0; i < 12; ++i) {
        const bool off = i == 5 || i == 9;
        builder.add(makeRecord(i, off ? 6 : types[i % 4], off ? 0x33 : 1, 1, "Place " + std::to_string(i)));
    }
    return builder;
}

std::uint8_t typeInFile(const std::vector<std::uint8_t>& bytes, std::size_t i) {
    return bytes.at(100 + i * 63 + 4);
}
std::uint8_t subTypeInFile(const std::vector<std::uint8_t>& bytes, std::size_t i) {
    return bytes.at(100 + i * 63 + 5);
}

class Flags : public ::testing::Test {
  protected:
    void SetUp() override { set.read(twelveWithTwoSwitchedOff().writeTo(dir.path() / "a.dat")); }
    std::vector<std::uint8_t> write() {
        set.writeLandmarkFile(dir.file("out.dat"));
        return readBytes(dir.path() / "out.dat");
    }
    TempDir dir;
    LandmarkSet set;
};

TEST_F(Flags, ReadingSwitchesOffExactlyTheRecordsOfTypeSix) {
    for (std::size_t i = 0; i < kMaxRecords; ++i)
        EXPECT_EQ(set.disabledFlag(i), i == 5 || i == 9 ? 1 : 0) << "flag " << i;
    // The loaded sub-type stays until the set is written.
    EXPECT_EQ(set.record(5).loFileNo, 0x33);
}

TEST_F(Flags, WritingTurnsSwitchedOffRecordsIntoTypeSixWhileTheSetKeepsItsTypes) {
    const LandmarkRecord before = set.record(3);
    set.setDisabled(3, 1);
    const auto bytes = write();
    for (std::size_t i : {3u, 5u, 9u}) {
        EXPECT_EQ(typeInFile(bytes, i), 6) << "record " << i;
        EXPECT_EQ(subTypeInFile(bytes, i), 0xAC) << "record " << i;
    }
    EXPECT_EQ(set.record(3).loFileType, before.loFileType);
    EXPECT_EQ(set.record(3).loFileNo, before.loFileNo);
    EXPECT_EQ(typeInFile(bytes, 4), 0);

    // Switched on again after the save, the record is written as it is shown.
    set.setDisabled(3, 0);
    const auto again = write();
    EXPECT_EQ(typeInFile(again, 3), before.loFileType);
    EXPECT_EQ(subTypeInFile(again, 3), before.loFileNo);
}

TEST_F(Flags, AnyFlagOtherThanZeroSwitchesOff) {
    set.setDisabled(1, 7);
    const auto bytes = write();
    EXPECT_EQ(typeInFile(bytes, 1), 6);
    EXPECT_EQ(set.disabledFlag(1), 7);
}

TEST_F(Flags, OnlyTheFlagAtWriteTimeCounts) {
    set.setDisabled(2, 1);
    set.setDisabled(2, 0);
    set.setDisabled(5, 0); // loaded as type 6, switched on again: keeps type 6 and its sub-type
    const auto bytes = write();
    EXPECT_EQ(typeInFile(bytes, 2), 2);
    EXPECT_EQ(subTypeInFile(bytes, 2), 1);
    EXPECT_EQ(typeInFile(bytes, 5), 6);
    EXPECT_EQ(subTypeInFile(bytes, 5), 0x33);
    EXPECT_EQ(set.record(5).loFileNo, 0x33);
}

TEST_F(Flags, ReadingASmallerFileKeepsRecordsAndFlagsBeyondItsCount) {
    set.setDisabled(11, 1);
    set.setDisabled(700, 1);
    const auto record10 = testing::fieldBytes(set.record(10));
    set.read(LandmarkFileBuilder().addMany(4).writeTo(dir.path() / "small.dat"));
    EXPECT_EQ(set.recordCount(), 4);
    EXPECT_EQ(set.profileCount(), 4);
    EXPECT_EQ(set.disabledFlag(11), 1);
    EXPECT_EQ(set.disabledFlag(9), 1);
    EXPECT_EQ(set.disabledFlag(700), 1);
    EXPECT_EQ(testing::fieldBytes(set.record(10)), record10);
    // Flags below the count are recomputed from the new file's types.
    EXPECT_EQ(set.disabledFlag(3), 0);
    // A write covers only the loaded records.
    EXPECT_EQ(write().size(), 100u + 3 * 63 + 63);
}

TEST_F(Flags, ReadingKeepsTheCurrentIndexAndTakesTheFileName) {
    set.selectRecord(7);
    set.read(LandmarkFileBuilder().addMany(9).writeTo(dir.path() / "LNDMRKS3.MLF"));
    EXPECT_EQ(set.currentIndex(), 6);
    EXPECT_EQ(set.currentFileName(), "LNDMRKS3.MLF");
    EXPECT_EQ(set.landmarkPath(), dir.file("LNDMRKS3.MLF"));
}

TEST_F(Flags, AShorterPathKeepsTheLongerPathsTailAfterItsTerminator) {
    const std::string longer =
        LandmarkFileBuilder().addMany(2).writeTo(dir.path() / "a-much-longer-file-name.dat");
    const std::string shorter = LandmarkFileBuilder().addMany(2).writeTo(dir.path() / "b.dat");
    set.read(longer);
    set.read(shorter);
    const auto& bytes = set.landmarkPathBytes();
    EXPECT_EQ(bytes[shorter.size()], 0);
    EXPECT_EQ(bytes[shorter.size() + 1], static_cast<std::uint8_t>(longer[shorter.size() + 1]));
    EXPECT_EQ(bytes[longer.size()], 0);
}

} // namespace
} // namespace korvland
