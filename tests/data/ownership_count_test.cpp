#include "data/landmark_set.h"
#include "data/ownership_count.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <string>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TempDir;

struct CountCase {
    std::uint8_t type, subType, side, flag;
    const char* column; // "" when the record is counted nowhere
    OwnershipRow row;
};

constexpr auto kAllied = OwnershipRow::Allied;
constexpr auto kGerman = OwnershipRow::German;

const CountCase kCountCases[] = {
    {0, 0, 1, 0, "Airfields", kAllied},
    {1, 7, 0, 0, "Cities", kGerman},
    {2, 0, 2, 0, "Supply", kGerman},
    {3, 0x13, 1, 0, "Train Stations", kAllied},
    {3, 0x14, 0, 0, "Train Stations", kGerman}, // troops
    {3, 0xFF, 1, 1, "Train Stations", kAllied}, // troops, switched off
    {4, 0, 255, 0, "Bridges", kGerman},
    {5, 0x13, 1, 0, "Factories", kAllied},
    {5, 0x14, 2, 0, "Factories", kGerman}, // a balloon
    {7, 0, 1, 1, "Towns", kAllied},        // switched off in the editor: still counted
    {8, 0, 0, 0, "Villages", kGerman},
    {9, 0, 1, 0, "Blanks", kAllied},
    {9, 0, 255, 1, "Blanks", kGerman},
    // Type 6, even when made active again in the editor, and 10 to 255 are counted nowhere.
    {6, 0xAC, 1, 0, "", kAllied},
    {6, 0xAC, 0, 1, "", kGerman},
    {10, 0, 1, 0, "", kAllied},
    {255, 0xFF, 0, 0, "", kGerman},
    // A flag of 2 or more, which only a profile brings, leaves any type out.
    {0, 0, 1, 2, "", kAllied},
    {9, 0, 0, 2, "", kGerman},
    {3, 0x14, 1, 255, "", kAllied},
};

TEST(OwnershipCount, EachRecordAddsOneToItsColumnAndSideOrNothing) {
    const TempDir dir;
    LandmarkSet set;
    for (const CountCase& c : kCountCases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " sub-type " + std::to_string(c.subType) + " side " +
                     std::to_string(c.side) + " flag " + std::to_string(c.flag));
        set.read(LandmarkFileBuilder()
                     .add(makeRecord(1, c.type, c.subType, c.side, "Place"))
                     .writeTo(dir.path() / "a.dat"));
        set.setDisabled(0, c.flag);

        OwnershipCounts expected;
        const std::string_view column = c.column;
        for (std::size_t i = 0; i < kOwnershipColumnCount; ++i)
            if (kOwnershipColumns[i] == column)
                expected.cells[static_cast<std::size_t>(c.row)][i] = 1;
        EXPECT_EQ(expected.total(), column.empty() ? 0u : 1u) << "no column is called " << column;
        EXPECT_EQ(countOwnership(set), expected);
    }
}

TEST(OwnershipCount, SumIsTheRecordsWithFlagBelowTwoAndACountedTypeOnly) {
    // Every type and side byte, mixed flags; records beyond the loaded count are never read.
    const TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(1024).writeTo(dir.path() / "big.dat"));
    LandmarkFileBuilder builder;
    const std::uint8_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255};
    const std::uint8_t sides[] = {0, 1, 2, 255};
    for (int i = 0; i < 600; ++i)
        builder.add(makeRecord(static_cast<std::uint16_t>(i), types[i % 12],
                               static_cast<std::uint8_t>(i % 41), sides[i / 12 % 4], "P"));
    set.read(builder.writeTo(dir.path() / "mixed.dat"));
    std::array<std::uint8_t, kMaxRecords> flags{};
    for (std::size_t i = 0; i < kMaxRecords; ++i)
        flags[i] = static_cast<std::uint8_t>(i % 5);
    set.applyDisabledFlags(flags);

    unsigned expected = 0;
    unsigned alliedExpected = 0;
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const LandmarkRecord& r = set.record(i);
        const bool countedType = r.loFileType <= 9 && r.loFileType != 6;
        if (set.disabledFlag(i) < 2 && countedType) {
            ++expected;
            alliedExpected += r.side == 1 ? 1 : 0;
        }
    }
    const OwnershipCounts counts = countOwnership(set);
    EXPECT_EQ(counts.total(), expected);
    unsigned allied = 0;
    for (std::size_t column = 0; column < kOwnershipColumnCount; ++column)
        allied += counts.at(OwnershipRow::Allied, column);
    EXPECT_EQ(allied, alliedExpected);
    EXPECT_GT(allied, 0u);
}

TEST(OwnershipCount, EmptySetCountsNothing) {
    EXPECT_EQ(countOwnership(LandmarkSet()).total(), 0u);
}

} // namespace
} // namespace korvland
