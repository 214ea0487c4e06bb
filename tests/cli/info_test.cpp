#include "cli_runner.h"

#include "data/landmark_set.h"
#include "data/ownership_count.h"
#include "data/recovery_copy.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace korvland::testing {
namespace {

// The numbers of the report line that starts with `label`.
std::vector<unsigned> countsOnLine(const std::string& report, const std::string& label) {
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(label, 0) != 0)
            continue;
        std::istringstream words(line.substr(label.size()));
        std::vector<unsigned> numbers;
        unsigned n = 0;
        while (words >> n)
            numbers.push_back(n);
        return numbers;
    }
    return {};
}

TEST(CliInfo, CountsKindsAndSidesAsTheOwnershipTableDoes) {
    const TempDir dir;
    LandmarkFileBuilder builder;
    builder.add(makeRecord(1, 0, 0, 1, "Airfield, Allied"))
        .add(makeRecord(2, 1, 0, 0, "City, German"))
        .add(makeRecord(3, 2, 0, 1, "Supply, Allied"))
        .add(makeRecord(4, 3, 0x13, 0, "Train station, German"))
        .add(makeRecord(5, 3, 0x14, 1, "Troops count as train stations"))
        .add(makeRecord(6, 4, 0, 0, "Bridge, German"))
        .add(makeRecord(7, 5, 0x14, 2, "Balloon, side 2 is German"))
        .add(makeRecord(8, 5, 0x00, 255, "Factory, side 255 is German"))
        .add(makeRecord(9, 6, 0x05, 1, "Switched off: counted nowhere"))
        .add(makeRecord(10, 7, 0, 0, "Town, German"))
        .add(makeRecord(11, 8, 0, 1, "Village, Allied"))
        .add(makeRecord(12, 9, 0, 1, "Blank, Allied"))
        .add(makeRecord(13, 10, 0, 1, "Unknown type 10"))
        .add(makeRecord(14, 255, 0, 0, "Unknown type 255"));
    const std::string file = builder.recordSize(70).writeTo(dir.path() / "lndmrks1.dat");

    const CliRun run = runCli({"info", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("File:         " + file + "\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Region:       Flanders (1)\n"), std::string::npos);
    EXPECT_NE(run.out.find("Records:      14\n"), std::string::npos);
    EXPECT_NE(run.out.find("Record size:  70\n"), std::string::npos);
    EXPECT_NE(run.out.find("Switched off: 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("Owner     Airfields  Cities  Supply  Train Stations  Bridges  Factories  Towns  "
                           "Villages  Blanks\n"),
              std::string::npos);
    EXPECT_EQ(countsOnLine(run.out, "Allied"), (std::vector<unsigned>{1, 0, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(countsOnLine(run.out, "German"), (std::vector<unsigned>{0, 1, 0, 1, 1, 2, 1, 0, 0}));
}

// The records a click on an ownership cell selects are, cell by cell, as many as the report
// counts there: types 0 to 12 with sub-types either side of 20, sides 0, 1, 2 and 255.
TEST(CliInfo, EveryCellCountsTheRecordsItsSelectionHolds) {
    const TempDir dir;
    LandmarkFileBuilder builder;
    const std::uint8_t sides[] = {0, 1, 2, 255};
    for (std::uint16_t i = 0; i < 104; ++i)
        builder.add(makeRecord(i, static_cast<std::uint8_t>(i % 13),
                               static_cast<std::uint8_t>(i % 2 ? 0x13 : 0x14), sides[(i / 13) % 4], "Place"));
    const std::string file = builder.writeTo(dir.path() / "lndmrks2.dat");
    LandmarkSet set;
    set.read(file);

    const CliRun run = runCli({"info", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const auto& [row, label] :
         {std::pair{OwnershipRow::Allied, "Allied"}, std::pair{OwnershipRow::German, "German"}}) {
        const std::vector<unsigned> reported = countsOnLine(run.out, label);
        ASSERT_EQ(reported.size(), kOwnershipColumnCount) << run.out;
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            SCOPED_TRACE(std::string(label) + " " + std::string(kOwnershipColumns[column]));
            EXPECT_GT(reported[column], 0u);
            EXPECT_EQ(recordsInOwnershipCell(set, {row, column}).size(), reported[column]);
        }
    }
}

TEST(CliInfo, RegionComesFromTheFileNameInAnyLetterCaseOrFromTheCommandLine) {
    const struct {
        std::string name;
        std::string region;
        std::vector<std::string> options = {};
    } cases[] = {
        {"lndmrks0.dat", "Marne (0)"},
        {"Lndmrks2.dat", "Verdun (2)"},
        {"LNDMRKS3.MLF", "Alsace (3)"},
        {"lndmrks4.mlf", "Island (4)"},
        {"lndmrks5.dat", "none"},
        {"lndmrks2.dat.bak", "none"},
        {"my lndmrks1.dat", "none"},
        {"island.dat", "Island (4)", {"--region", "4"}},
        {"lndmrks0.dat", "Flanders (1)", {"--region", "1"}},
    };
    const TempDir dir;
    for (const auto& [name, region, options] : cases) {
        SCOPED_TRACE(name);
        const std::string file = LandmarkFileBuilder().addMany(3).writeTo(dir.path() / name);
        std::vector<std::string> args{"info", file};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = runCli(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("Region:       " + region + "\n"), std::string::npos) << run.out;
    }
}

TEST(CliInfo, ARelativePathIsShownInFull) {
    const TempDir dir;
    LandmarkFileBuilder().addMany(2).writeTo(dir.path() / "lndmrks0.dat");
    const CliRun run = runCli({"info", "lndmrks0.dat"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("File:         " + (dir.path() / "lndmrks0.dat").string() + "\n"),
              std::string::npos);
}

TEST(CliInfo, UnreadableFilesFailWithTheEditorsMessage) {
    const TempDir dir;
    const std::string truncated =
        LandmarkFileBuilder().addMany(400).truncateTo(100 + 250 * 63).writeTo(dir.path() / "short.dat");
    const std::string empty =
        LandmarkFileBuilder().addMany(2).headerCount(0).writeTo(dir.path() / "zero.dat");
    // The file it is about, then the message, and what it means where the file layer's text
    // says too little.
    const std::vector<std::pair<std::string, std::string>> cases{
        {dir.file("missing.dat"), ": File not found.\n"},
        {dir.file("no such folder/lndmrks0.dat"),
         ": Invalid filename: the folder " + dir.file("no such folder") + " does not exist.\n"},
        {truncated,
         " is not a landmark file (Read beyond end of file): it is 15850 bytes long, too short for "
         "the 400 records its header announces.\n"},
        {empty,
         " is not a landmark file: its header announces 0 records; a landmark file holds 1 to 1024.\n"},
        {dir.path().string(), ": File access denied.\n"},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        const CliRun run = runCli({"info", path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "korvland-cli: " + path + message);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(CliInfo, MentionsUnsavedWorkAnEditorKeepsForTheFileOnOneLine) {
    const TempDir dir;
    const std::string file = LandmarkFileBuilder().addMany(2).writeTo(dir.path() / "lndmrks2.dat");
    const std::string other = LandmarkFileBuilder().addMany(2).writeTo(dir.path() / "lndmrks3.dat");
    ::setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    LandmarkSet set;
    set.read(file);
    RecoveryDescription kept;
    kept.original.path = file;
    kept.unsavedSteps = 12;
    const RecoveryFiles files = writeRecoveryCopy(dir.file("state/korvland/recovery"), set, kept);
    const CliRun with = runCli({"info", file});
    const CliRun without = runCli({"info", other});
    ::unsetenv("XDG_STATE_HOME");
    ASSERT_EQ(with.exitCode, 0) << with.err;
    EXPECT_NE(with.out.find("Recovery:     12 unsaved changes of "), std::string::npos) << with.out;
    EXPECT_NE(with.out.find(" kept by the editor in " + files.copy + "\n"), std::string::npos) << with.out;
    EXPECT_EQ(without.out.find("Recovery:"), std::string::npos) << without.out;
}

} // namespace
} // namespace korvland::testing
