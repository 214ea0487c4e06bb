#include "cli_runner.h"

#include "cli/file_findings.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <functional>
#include <limits>

namespace korvland::testing {
namespace {

using cli::Finding;

// Three plain landmarks far apart on the map, with names and sides as the editor stores them.
std::vector<LandmarkRecord> plainRecords() {
    return {makeRecord(101, 0, 0, 1, "Arras", 50.0f, 2.0f), makeRecord(102, 1, 0, 0, "Cambrai", 49.0f, 3.0f),
            makeRecord(103, 7, 0, 1, "Bapaume", 48.0f, 4.0f)};
}

struct CheckCase {
    const char* what;
    std::function<void(std::vector<LandmarkRecord>&)> change;
    std::vector<std::pair<std::string, std::vector<int>>> expected; // code and record numbers
    std::uint16_t recordSize = 63;
    std::vector<std::size_t> switchedOff = {};
    std::string message = {}; // of the first finding, when given
    std::optional<int> region = 0;
};

TEST(CliCheck, EachProblemIsFoundOnTheRecordsItConcerns) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<CheckCase> cases{
        {"a sound file", [](auto&) {}, {}},
        {"an identifier used twice",
         [](auto& r) { r[2].landmarkId = 101; },
         {{"duplicate-id", {1, 3}}},
         63,
         {},
         "records 1 and 3 share identifier 101"},
        {"an identifier used three times, told once",
         [](auto& r) { r[1].landmarkId = r[2].landmarkId = 101; },
         {{"duplicate-id", {1, 2, 3}}},
         63,
         {},
         "records 1, 2 and 3 share identifier 101"},
        {"a NaN and an infinity",
         [nan](auto& r) {
             r[1].elevation = nan;
             r[1].rotation = -std::numeric_limits<float>::infinity();
         },
         {{"non-finite", {2}}},
         63,
         {},
         "elevation is nan, rotation is -inf"},
        {"two markers within one pixel",
         [](auto& r) { r[2].northSouth = 50.0001f, r[2].eastWest = 2.0001f; },
         {{"same-position", {1, 3}}}},
        {"three markers on one pixel of the Island map, told once",
         [](auto& r) { r[1] = r[2] = r[0], r[1].landmarkId = 102, r[2].landmarkId = 103; },
         {{"same-position", {1, 2, 3}}},
         63,
         {},
         "the markers of records 1, 2 and 3 fall on map pixel (30, 30) of the Island map at 1:1",
         4},
        {"no region: positions are left out with a note",
         [](auto& r) { r[2].northSouth = 50.0f, r[2].eastWest = 2.0f; },
         {{"region-unknown", {}}},
         63,
         {},
         "region unknown: positions not checked; give --region",
         std::nullopt},
        {"a switched-off marker hides nothing",
         [](auto& r) { r[2].northSouth = 50.0f, r[2].eastWest = 2.0f; },
         {},
         63,
         {2}},
        {"a switched-off marker between two on one pixel",
         [](auto& r) {
             r[1].northSouth = r[2].northSouth = 50.0f;
             r[1].eastWest = r[2].eastWest = 2.0f;
         },
         {{"same-position", {1, 3}}},
         63,
         {1}},
        {"markers one pixel apart", [](auto& r) { r[2].northSouth = 50.0f, r[2].eastWest = 2.004f; }, {}},
        {"an empty name", [](auto& r) { r[1].name.fill(0); }, {{"empty-name", {2}}}},
        {"side bytes 2 and 255",
         [](auto& r) { r[0].side = 2, r[2].side = 255; },
         {{"other-side", {1}}, {"other-side", {3}}},
         63,
         {},
         "side byte 2 is neither 0 nor 1; the program shows it as German"},
        {"active blank and unknown types",
         [](auto& r) { r[0].loFileType = 9, r[2].loFileType = 0x0C; },
         {{"blank-active", {1}}, {"blank-active", {3}}}},
        {"a switched-off blank", [](auto& r) { r[0].loFileType = 9; }, {}, 63, {0}},
        {"a record size of 80", [](auto&) {}, {{"record-size", {}}}, 80},
        {"overlapping records", [](auto&) {}, {{"record-size", {}}}, 62},
        {"everything at once, in record order",
         [nan](auto& r) {
             r[0].side = 3, r[0].name.fill(0);
             r[1].landmarkId = 101, r[1].northSouth = nan, r[1].loFileType = 9;
         },
         {{"record-size", {}},
          {"duplicate-id", {1, 2}},
          {"empty-name", {1}},
          {"other-side", {1}},
          {"non-finite", {2}},
          {"blank-active", {2}}},
         64},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<LandmarkRecord> records = plainRecords();
        c.change(records);
        LandmarkFileBuilder builder;
        for (const LandmarkRecord& r : records)
            builder.add(r);
        LandmarkSet set;
        set.readLandmarkBytes("lndmrks0.dat", builder.recordSize(c.recordSize).bytes());
        for (const std::size_t index : c.switchedOff)
            set.setDisabled(index, 1);
        const std::vector<Finding> findings = cli::findProblems(set, c.region);
        std::vector<std::pair<std::string, std::vector<int>>> found;
        for (const Finding& f : findings)
            found.emplace_back(f.code, f.records);
        EXPECT_EQ(found, c.expected);
        if (!c.message.empty() && !findings.empty()) {
            EXPECT_EQ(findings.front().message, c.message);
        }
    }
}

TEST(CliCheck, ExitStatusFollowsTheWorstFindingAndStrictness) {
    const TempDir dir;
    std::vector<LandmarkRecord> records = plainRecords();
    const auto write = [&](const char* name) {
        LandmarkFileBuilder builder;
        for (const LandmarkRecord& r : records)
            builder.add(r);
        return builder.writeTo(dir.path() / name);
    };
    const std::string sound = write("lndmrks0.dat");
    records[1].side = 2;
    const std::string warned = write("lndmrks2.dat");
    records[2].landmarkId = 101;
    const std::string broken = write("lndmrks1.dat");
    const std::string truncated =
        LandmarkFileBuilder().addMany(3).truncateTo(150).writeTo(dir.path() / "short.dat");
    // Two of its markers meet only in the projection of another region.
    const std::string island = dir.file("island.dat");
    ASSERT_EQ(runCli({"demo", "--region", "4", "-o", island}).exitCode, 0);

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"check", sound}, 0, ""},
        {{"check", warned},
         0,
         warned + ": record 2: warning other-side: side byte 2 is neither 0 nor 1; the "
                  "program shows it as German\n0 errors, 1 warning\n"},
        {{"check", "--strict", warned}, 1, warned + ": record 2: warning other-side"},
        {{"check", "--strict", sound}, 0, ""},
        {{"check", broken},
         1,
         broken + ": record 1: error duplicate-id: records 1 and 3 share identifier 101\n"},
        {{"check", "--strict", island},
         0,
         island + ": note region-unknown: region unknown: positions not checked; give --region\n0 errors, 0 "
                  "warnings, 1 note\n"},
        {{"check", "--strict", "--region", "4", island}, 0, ""},
        {{"check", "--strict", "--region", "0", island}, 1, "warning same-position: the markers of records"},
        {{"check", sound, "--region", "5"}, 2, ""},
        {{"check", truncated},
         1,
         truncated +
             ": error unreadable: not a landmark file (Read beyond end of file): it is 150 bytes long"},
        {{"check", dir.file("no folder/lndmrks0.dat")},
         1,
         ": error unreadable: Invalid filename: the folder " + dir.file("no folder") + " does not exist\n"},
        {{"check", dir.file("missing.dat")}, 1, ": error unreadable: File not found\n"},
        {{"check", sound, "--profile", dir.file("missing.lmp")},
         1,
         "File not found (" + dir.file("missing.lmp")},
        {{"check", sound, "--format", "xml"}, 2, ""},
        {{"check"}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(c.out.empty() ? run.out.empty() : run.out.find(c.out) != std::string::npos) << run.out;
    }
}

TEST(CliCheck, JsonReportIsValidStableAndReadsStandardInput) {
    const TempDir dir;
    std::vector<LandmarkRecord> records = plainRecords();
    records[0].name.fill(0);
    records[2].landmarkId = 101;
    LandmarkFileBuilder builder;
    for (const LandmarkRecord& r : records)
        builder.add(r);
    const std::string file = builder.writeTo(dir.path() / "lndmrks0.dat");

    const CliRun first = runCli({"check", file, "--format", "json"});
    const CliRun piped = runCli({"check", "-", "--format", "json", "--region", "0"}, {}, file);
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_EQ(piped.exitCode, 1);
    EXPECT_EQ(runCli({"check", file, "--format", "json"}).out, first.out) << "the same report every time";
    const auto json = nlohmann::json::parse(first.out);
    EXPECT_EQ(json["file"], file);
    ASSERT_EQ(json["findings"].size(), 2u);
    EXPECT_EQ(json["findings"][0]["records"], nlohmann::json::parse("[1, 3]"));
    EXPECT_EQ(
        json["findings"][1],
        nlohmann::json::parse(
            R"({"code": "empty-name", "severity": "warning", "records": [1], "message": "the name is empty"})"));
    EXPECT_EQ(json["errors"], 1);
    EXPECT_EQ(json["warnings"], 1);
    const auto fromInput = nlohmann::json::parse(piped.out);
    EXPECT_EQ(fromInput["file"], "-");
    EXPECT_EQ(fromInput["findings"], json["findings"]);
}

} // namespace
} // namespace korvland::testing
