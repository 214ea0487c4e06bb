// Finding names ignoring case and accents, the status table's filter, and the records one
// ownership cell counts.
#include "data/landmark_filter.h"
#include "data/landmark_set.h"
#include "data/ownership_count.h"
#include "data/text_codec.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TempDir;

struct MatchCase {
    const char* name; // 8-bit bytes, as stored
    const char* text; // UTF-8, as typed
    bool matches;
};

const MatchCase kMatchCases[] = {
    {"Cr\xE9py-en-Valois", "crepy", true},
    {"Cr\xE9py-en-Valois", "CR\xC3\x89PY", true}, // "CRÉPY"
    {"CREPY", "cr\xC3\xA9py", true},              // "crépy" finds the name without accent
    {"Cr\xE9py-en-Valois", "valois", true},
    {"Cr\xE9py-en-Valois", "crepi", false},
    {"Stra\xDF"
     "e",
     "strasse", true}, // "Straße"
    {"STRASSE",
     "stra\xC3\x9F"
     "e",
     true}, // "straße"
    {"\x8C"
     "uvre",
     "oeuv", true},              // "Œuvre"
    {"\xC6r\xF8", "aero", true}, // "Ærø"
    {"\x8A"
     "ibenik \x9F"
     "pres",
     "sibenik ypres", true},
    {"N\xDCRNBERG",
     "n\xC3\xBC"
     "rnberg",
     true}, // "NÜRNBERG", "nürnberg"
    {"3\xD7"
     "4",
     "3x4", false},      // "×" is no letter
    {"Arras", "", true}, // no text: every name
    {"", "", true},
    {"", "a", false},
    {"Arras", "\xC5\x82", false},         // "ł": no name can hold it
    {"Arras", "\xF0\x9F\x98\x80", false}, // beyond the code page
    {"Arras", "arras ", false},
    {"0123456789012345678901234567890123456789", "6789", true}, // 40 bytes, no terminator
};

TEST(NameMatcher, IgnoresCaseAndAccentsOfTheCodePage) {
    for (const MatchCase& c : kMatchCases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.text);
        EXPECT_EQ(NameMatcher(c.text).matches(c.name), c.matches);
    }
}

TEST(NameMatcher, TheFoldIsSettledAndCapitalsFoldAsTheirSmallLetters) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const std::string folded(foldCp1252Byte(static_cast<std::uint8_t>(byte)));
        ASSERT_TRUE(folded.size() == 1 || folded.size() == 2);
        std::string again;
        appendFoldedCp1252(folded, again);
        EXPECT_EQ(again, folded);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            EXPECT_EQ(foldCp1252Byte(static_cast<std::uint8_t>(byte + 0x20)), folded);
        }
    }
    for (auto [capital, small] :
         {std::pair{0x8A, 0x9A}, std::pair{0x8C, 0x9C}, std::pair{0x8E, 0x9E}, std::pair{0x9F, 0xFF}})
        EXPECT_EQ(foldCp1252Byte(static_cast<std::uint8_t>(capital)),
                  foldCp1252Byte(static_cast<std::uint8_t>(small)));
}

// "Arras", "Crépy", "Lens", "crepy-sud", "Cambrai", "CREPY".
LandmarkSet findSet(const TempDir& dir) {
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .add(makeRecord(1, 1, 0, 0, "Arras"))
                 .add(makeRecord(2, 1, 0, 0, "Cr\xE9py"))
                 .add(makeRecord(3, 1, 0, 0, "Lens"))
                 .add(makeRecord(4, 1, 0, 0, "crepy-sud"))
                 .add(makeRecord(5, 1, 0, 0, "Cambrai"))
                 .add(makeRecord(6, 1, 0, 0, "CREPY"))
                 .writeTo(dir.path() / "find.dat"));
    return set;
}

struct FindCase {
    const char* text;
    std::size_t from;
    FindStep step;
    std::optional<FindMatch> match;
};

const FindCase kFindCases[] = {
    {"crepy", 0, FindStep::Next, FindMatch{1, 1, 3}},
    {"crepy", 1, FindStep::Next, FindMatch{3, 2, 3}},
    {"crepy", 5, FindStep::Next, FindMatch{1, 1, 3}},     // wraps to the start
    {"crepy", 1, FindStep::Previous, FindMatch{5, 3, 3}}, // wraps to the end
    {"crepy", 4, FindStep::Previous, FindMatch{3, 2, 3}},
    {"crepy", 1, FindStep::Here, FindMatch{1, 1, 3}},
    {"crepy", 2, FindStep::Here, FindMatch{3, 2, 3}},
    {"lens", 2, FindStep::Next, FindMatch{2, 1, 1}}, // a lone match is found again
    {"LENS", 2, FindStep::Previous, FindMatch{2, 1, 1}},
    {"a", 99, FindStep::Next, FindMatch{0, 1, 2}}, // a start beyond the records is the last
    {"", 0, FindStep::Next, std::nullopt},
    {"", 0, FindStep::Here, std::nullopt},
    {"paris", 3, FindStep::Next, std::nullopt},
    {"paris", 3, FindStep::Previous, std::nullopt},
};

TEST(FindMatch, StepsThroughTheMatchesWrappingAndCountsThem) {
    const TempDir dir;
    const LandmarkSet set = findSet(dir);
    for (const FindCase& c : kFindCases) {
        SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.from) + " step " +
                     std::to_string(static_cast<int>(c.step)));
        EXPECT_EQ(findMatch(set, NameMatcher(c.text), c.from, c.step), c.match);
    }
    EXPECT_EQ(allMatches(set, NameMatcher("crepy")), (std::vector<std::size_t>{1, 3, 5}));
    EXPECT_EQ(allMatches(set, NameMatcher("")), std::vector<std::size_t>{});
    EXPECT_EQ(findMatch(LandmarkSet(), NameMatcher("a"), 0, FindStep::Next), std::nullopt);
}

// Ten records of several kinds, sides and flags: 0..9.
LandmarkSet filterSet(const TempDir& dir) {
    LandmarkSet set;
    set.read(LandmarkFileBuilder()
                 .add(makeRecord(1, 4, 0, 0, "Pont de Cr\xE9py")) // 0 bridge, German
                 .add(makeRecord(2, 4, 0, 1, "Pont-Neuf"))        // 1 bridge, Allied, off
                 .add(makeRecord(3, 3, 0x13, 1, "Gare"))          // 2 train station, Allied
                 .add(makeRecord(4, 3, 0x14, 0, "Troupes"))       // 3 troops, German
                 .add(makeRecord(5, 6, 0xAC, 1, "Pont ferm\xE9")) // 4 switched off by the read
                 .add(makeRecord(6, 4, 0, 255, "PONT"))           // 5 bridge, side 255 is German
                 .add(makeRecord(7, 5, 0x14, 2, "Ballon"))        // 6 balloon, German
                 .add(makeRecord(8, 0, 0, 1, "Pontavert"))        // 7 airfield, Allied, flag 2
                 .add(makeRecord(9, 9, 0, 0, ""))                 // 8 blank, no name
                 .add(makeRecord(10, 7, 0, 1, "Pontoise"))        // 9 town, Allied
                 .writeTo(dir.path() / "filter.dat"));
    set.setDisabled(1, 1);
    set.setDisabled(7, 2);
    return set;
}

struct FilterCase {
    const char* name;
    LandmarkFilter filter;
    std::vector<std::size_t> indices;
};

LandmarkFilter filterOf(const char* text = "", std::optional<LandmarkKind> kind = std::nullopt,
                        SideFilter side = SideFilter::Any, StateFilter state = StateFilter::Any) {
    return LandmarkFilter{text, kind, side, state};
}

LandmarkFilter onlyOf(std::vector<std::size_t> indices, const char* text = "") {
    LandmarkFilter filter = filterOf(text);
    filter.only = RecordChoice{std::move(indices), "the chosen"};
    return filter;
}

const FilterCase kFilterCases[] = {
    {"Empty", filterOf(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"Text", filterOf("pont"), {0, 1, 4, 5, 7, 9}},
    {"TextWithAccent", filterOf("FERME"), {4}},
    {"Kind", filterOf("", LandmarkKind::Bridge), {0, 1, 5}},
    {"KindBySubType", filterOf("", LandmarkKind::Troops), {3}},
    {"KindAbsent", filterOf("", LandmarkKind::Village), {}},
    {"Side", filterOf("", std::nullopt, SideFilter::Allied), {1, 2, 4, 7, 9}},
    {"SideGermanTakesEveryOtherByte", filterOf("", std::nullopt, SideFilter::German), {0, 3, 5, 6, 8}},
    {"StateOn", filterOf("", std::nullopt, SideFilter::Any, StateFilter::On), {0, 2, 3, 5, 6, 8, 9}},
    {"StateOffTakesEveryFlag", filterOf("", std::nullopt, SideFilter::Any, StateFilter::Off), {1, 4, 7}},
    {"TextAndKind", filterOf("pont", LandmarkKind::Bridge), {0, 1, 5}},
    {"TextKindSide", filterOf("pont", LandmarkKind::Bridge, SideFilter::German), {0, 5}},
    {"AllFour", filterOf("pont", LandmarkKind::Bridge, SideFilter::Allied, StateFilter::Off), {1}},
    {"AllFourNothing", filterOf("pont", LandmarkKind::Bridge, SideFilter::Allied, StateFilter::On), {}},
    {"TextStateSide", filterOf("pont", std::nullopt, SideFilter::Allied, StateFilter::On), {9}},
    {"OnlyChosen", onlyOf({7, 1, 5, 5000}), {1, 5, 7}}, // beyond the largest set: ignored
    {"OnlyAndText", onlyOf({2, 3, 5, 9}, "pont"), {5, 9}},
    {"OnlyNoneChosen", onlyOf({}), {}},
};

TEST(LandmarkFilter, LetsThroughTheRecordsEveryFieldAdmits) {
    const TempDir dir;
    const LandmarkSet set = filterSet(dir);
    for (const FilterCase& c : kFilterCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(filteredIndices(set, c.filter), c.indices);
        EXPECT_EQ(c.filter.isEmpty(), c.indices.size() == 10);
    }
}

TEST(OwnershipCell, HoldsTheRecordsItCountsAndEachRecordHasOneCellAtMost) {
    const TempDir dir;
    const LandmarkSet set = filterSet(dir);
    const OwnershipCounts counts = countOwnership(set);
    std::vector<int> cellsOfRecord(set.recordCount(), 0);
    for (OwnershipRow row : {OwnershipRow::Allied, OwnershipRow::German}) {
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            const std::vector<std::size_t> records = recordsInOwnershipCell(set, {row, column});
            EXPECT_EQ(records.size(), counts.at(row, column)) << kOwnershipColumns[column];
            for (std::size_t index : records)
                ++cellsOfRecord[index];
        }
    }
    // Switched-off records count (1); type 6 (4) and flag 2 (7) do not.
    EXPECT_EQ(cellsOfRecord, (std::vector<int>{1, 1, 1, 1, 0, 1, 1, 0, 1, 1}));
    EXPECT_EQ(recordsInOwnershipCell(set, {OwnershipRow::German, 4}), (std::vector<std::size_t>{0, 5}));
    EXPECT_EQ(recordsInOwnershipCell(set, {OwnershipRow::German, 3}), std::vector<std::size_t>{3});
}

} // namespace
} // namespace korvland
