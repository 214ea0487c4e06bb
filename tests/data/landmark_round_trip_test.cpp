#include "data/landmark_set.h"
#include "data/set_state.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace korvland {
namespace {

using testing::bitsOf;
using testing::fieldBytes;
using testing::floatFromBits;
using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::readBytes;
using testing::TempDir;

std::size_t writtenLength(std::size_t count, std::size_t recordSize) {
    return 100 + (count - 1) * recordSize + 63;
}

// Records with no type 6, so that reading and writing them changes nothing.
std::vector<LandmarkRecord> variedRecords() {
    std::vector<LandmarkRecord> records{
        makeRecord(1, 0, 0, 0, "Coulommiers"),
        makeRecord(65535, 3, 0x14, 1, "Troops at the ford"),
        makeRecord(7, 9, 0xFF, 255, ""),
        makeRecord(300, 5, 0x13, 2, "Factory"),
        makeRecord(42, 200, 0x80, 1, "Unknown kind"),
    };
    records[0].auxWord = 0xFFFF;
    records[2].auxWord = 0;
    // Bytes after a terminator belong to the name and pass through.
    records[3].name[10] = 0xE9;
    records[3].name[39] = 0x7F;
    return records;
}

LandmarkFileBuilder builderFor(const std::vector<LandmarkRecord>& records, std::uint16_t recordSize) {
    LandmarkFileBuilder builder;
    for (const auto& r : records)
        builder.add(r);
    // Bytes after the last record come back at every stride, overlapping ones included.
    builder.recordSize(recordSize).headerAuxWord(0xBEEF).gapFill(0xEE).trailing({0xC0, 0x01, 0x00, 0xFF});
    return builder;
}

class RoundTripByStride : public ::testing::TestWithParam<std::uint16_t> {};

TEST_P(RoundTripByStride, WrittenFileIsTheReadFileWithFixedBanners) {
    const std::uint16_t size = GetParam();
    const auto records = variedRecords();
    TempDir dir;
    const auto builder = builderFor(records, size);
    const std::string in = builder.writeTo(dir.path() / "in.dat");
    const std::string out = dir.file("out.dat");

    LandmarkSet set;
    set.read(in);
    set.writeLandmarkFile(out);

    const auto written = readBytes(out);
    // The gaps between records and the bytes after the last record stay as read; overlapping
    // records have no gaps.
    EXPECT_EQ(written, LandmarkFileBuilder(builder).banners(kMakerBanner, kVersionBanner).bytes());

    // Reading the written file gives the same records, bit for bit.
    LandmarkSet again;
    again.read(out);
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(fieldBytes(again.record(i)), fieldBytes(set.record(i))) << "record " << i;
    EXPECT_EQ(again.recordSize(), size);
    EXPECT_EQ(again.headerAuxWord(), 0xBEEF);
}

INSTANTIATE_TEST_SUITE_P(RecordSizes, RoundTripByStride, ::testing::Values(63, 64, 80, 200, 62, 40, 1, 0),
                         [](const auto& testInfo) { return "Stride" + std::to_string(testInfo.param); });

TEST(RoundTrip, ThreeRecordsAtStride63Make289Bytes) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "a.dat"));
    set.writeLandmarkFile(dir.file("b.dat"));
    EXPECT_EQ(readBytes(dir.path() / "b.dat").size(), 289u);
}

TEST(RoundTrip, StrideAbove63KeepsTheGapsTheReadFileHeld) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(3).recordSize(80).gapFill(0x5A).writeTo(dir.path() / "a.dat"));
    set.writeLandmarkFile(dir.file("b.dat"));
    const auto bytes = readBytes(dir.path() / "b.dat");
    ASSERT_EQ(bytes.size(), 340u);
    for (std::size_t record = 0; record < 3; ++record)
        for (std::size_t k = 63; k < 80; ++k)
            EXPECT_EQ(bytes[100 + record * 80 + k], 0x5A) << "record " << record << " byte " << k;
}

TEST(RoundTrip, StrideBelow63LetsTheNextRecordOverlayTheNameTail) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .add(makeRecord(0x1111, 1, 2, 1, "A long name that runs on and on"))
                 .add(makeRecord(0xA2B3, 4, 5, 0, "Second"))
                 .recordSize(40)
                 .writeTo(dir.path() / "a.dat"));
    // Record 0's name starts at 23; bytes 17 onwards of it are record 1's first fields.
    const auto& first = set.record(0);
    EXPECT_EQ(first.name[17], 0xB3);
    EXPECT_EQ(first.name[18], 0xA2);
    EXPECT_EQ(first.name[21], 4);
    EXPECT_EQ(std::string(first.name.begin(), first.name.begin() + 17), "A long name that ");
}

TEST(RoundTrip, StrideZeroMakesEveryRecordTheLastOne) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .add(makeRecord(1, 1, 0, 0, "One"))
                 .add(makeRecord(2, 2, 0, 0, "Two"))
                 .add(makeRecord(3, 4, 0, 1, "Three"))
                 .recordSize(0)
                 .writeTo(dir.path() / "a.dat"));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(set.record(i).nameBytes(), "Three");
    set.writeLandmarkFile(dir.file("b.dat"));
    EXPECT_EQ(readBytes(dir.path() / "b.dat").size(), 163u);
}

TEST(RoundTrip, FileEndingRightAfterTheLastNameReadsWithoutItsGap) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .addMany(4)
                 .recordSize(90)
                 .truncateTo(writtenLength(4, 90))
                 .writeTo(dir.path() / "a.dat"));
    EXPECT_EQ(set.recordCount(), 4);
}

TEST(RoundTrip, UninterpretedWordsNamesAndSpecialFloatsPassBitForBit) {
    const std::uint32_t quietNaN = 0x7FC12345, signallingNaN = 0x7F800001, negativeNaN = 0xFFC00000;
    LandmarkRecord r = makeRecord(9, 1, 1, 1, "");
    r.auxWord = 0xCAFE;
    r.northSouth = floatFromBits(quietNaN);
    r.eastWest = floatFromBits(signallingNaN);
    r.elevation = std::numeric_limits<float>::infinity();
    r.rotation = -std::numeric_limits<float>::infinity();
    for (std::size_t k = 0; k < kNameSize; ++k) // forty bytes, no terminator, high bytes too
        r.name[k] = static_cast<std::uint8_t>(0x80 + k * 3);
    LandmarkRecord s = makeRecord(10, 2, 2, 0, "Abc");
    s.northSouth = floatFromBits(negativeNaN);
    s.eastWest = -0.0f;
    s.elevation = floatFromBits(0x00000001); // smallest subnormal
    s.name[20] = 0xFF;                       // after the terminator

    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().add(r).add(s).headerAuxWord(0xFFFF).writeTo(dir.path() / "a.dat"));
    EXPECT_EQ(bitsOf(set.record(0).northSouth), quietNaN);
    EXPECT_EQ(bitsOf(set.record(0).eastWest), signallingNaN);
    EXPECT_EQ(set.record(0).nameBytes().size(), 40u);
    EXPECT_EQ(fieldBytes(set.record(0)), fieldBytes(r));
    EXPECT_EQ(fieldBytes(set.record(1)), fieldBytes(s));

    set.writeLandmarkFile(dir.file("b.dat"));
    const auto bytes = readBytes(dir.path() / "b.dat");
    EXPECT_EQ(testing::u16At(bytes, 24), 0xFFFF);
    EXPECT_EQ(testing::u16At(bytes, 102), 0xCAFE);
    EXPECT_EQ(testing::u32At(bytes, 107), quietNaN);
    EXPECT_EQ(testing::u32At(bytes, 111), signallingNaN);
    EXPECT_EQ(testing::u32At(bytes, 115), 0x7F800000u);
    EXPECT_EQ(testing::u32At(bytes, 119), 0xFF800000u);
    EXPECT_EQ(testing::u32At(bytes, 163 + 7), negativeNaN);
    EXPECT_EQ(testing::u32At(bytes, 163 + 11), 0x80000000u);
    EXPECT_EQ(testing::u32At(bytes, 163 + 15), 1u);
    EXPECT_TRUE(std::equal(r.name.begin(), r.name.end(), bytes.begin() + 123));
    EXPECT_EQ(bytes[163 + 23 + 20], 0xFF);
}

TEST(RoundTrip, WriterReplacesForeignBannersWithItsOwn) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .addMany(2)
                 .banners("XXXXXXXXXXXXXXXXXXXX", std::string(74, 'Y'))
                 .writeTo(dir.path() / "a.dat"));
    set.writeLandmarkFile(dir.file("b.dat"));
    const auto bytes = readBytes(dir.path() / "b.dat");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 20), "Harbor Lantern Works");
    const std::string version = "KORV TLQ Landmarks Editor Version 3.2";
    EXPECT_EQ(std::string(bytes.begin() + 26, bytes.begin() + 26 + 37), version);
    for (std::size_t k = 26 + version.size(); k < 100; ++k)
        EXPECT_EQ(bytes[k], 0) << "banner byte " << k;
    EXPECT_EQ(testing::u16At(bytes, 20), 2);
}

TEST(RoundTrip, WritingOverALongerFileReplacesItWholly) {
    TempDir dir;
    const std::string out = dir.file("b.dat");
    testing::writeBytes(out, std::vector<std::uint8_t>(10000, 0x77));
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "a.dat"));
    set.writeLandmarkFile(out);
    EXPECT_EQ(readBytes(out).size(), 289u);
    // Only the two files: nothing temporary is left beside them.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(RoundTrip, SecondWriteWritesTheSameBytes) {
    testing::LoadedSet loaded;
    loaded.set.writeLandmarkFile(loaded.dir.file("one.dat"));
    loaded.set.writeLandmarkFile(loaded.dir.file("two.dat"));
    EXPECT_EQ(readBytes(loaded.dir.path() / "one.dat"), readBytes(loaded.dir.path() / "two.dat"));
}

} // namespace
} // namespace korvland
