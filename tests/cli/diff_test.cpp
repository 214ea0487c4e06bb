#include "cli_runner.h"

#include "cli/set_diff.h"
#include "data/edit_steps.h"
#include "data/recovery_copy.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace korvland::testing {
namespace {

using cli::FieldChange;

std::vector<LandmarkRecord> threeRecords() {
    return {makeRecord(11, 0, 0, 1, "Arras", 50.0f, 2.0f), makeRecord(12, 3, 0x14, 0, "Cambrai", 49.0f, 3.0f),
            makeRecord(13, 7, 0, 1, "Bapaume", 48.0f, 4.0f)};
}

LandmarkFileBuilder builderOf(const std::vector<LandmarkRecord>& records) {
    LandmarkFileBuilder builder;
    for (const LandmarkRecord& r : records)
        builder.add(r);
    return builder;
}

std::unique_ptr<LandmarkSet> setOf(const std::vector<std::uint8_t>& bytes) {
    auto set = std::make_unique<LandmarkSet>();
    set->readLandmarkBytes("x.dat", bytes);
    return set;
}

struct DiffCase {
    const char* what;
    std::function<void(std::vector<LandmarkRecord>&)> changeB;
    std::string text; // the whole report
    std::uint16_t recordSize = 63;
    std::uint16_t headerAuxWord = 0;
    std::uint16_t recordSizeA = 63;
    std::function<void(std::vector<std::uint8_t>&)> changeBytesB = [](auto&) {};
};

TEST(CliDiff, PairsRecordsAndNamesEachDifference) {
    const std::vector<DiffCase> cases{
        {"the same", [](auto&) {}, ""},
        {"fields and the switched-off state",
         [](auto& r) {
             r[1].side = 1, r[1].loFileType = 6, r[1].loFileNo = 0x02;
             std::strcpy(reinterpret_cast<char*>(r[1].name.data()), "Cambrai-Nord");
         },
         "records paired by identifier\n"
         "record 2 \"Cambrai\": type 03 -> 06; sub-type 14 -> 02; side German -> Allied; name \"Cambrai\" -> "
         "\"Cambrai-Nord\"; state on -> off\n"},
        {"numbers, bit for bit",
         [](auto& r) { r[0].auxWord = 42252, r[0].northSouth = -0.0f, r[0].rotation = 90.5f, r[0].side = 2; },
         "records paired by identifier\n"
         "record 1 \"Arras\": aux word 42251 -> 42252; side Allied -> German (2); northSouth 50 -> -0; "
         "rotation 90 -> 90.5\n"},
        {"bytes after a name's end", [](auto& r) { r[2].name[30] = 'x'; },
         "records paired by identifier\nrecord 3 \"Bapaume\": name bytes after its end differ\n"},
        {"moved, removed and added by identifier",
         [](auto& r) {
             r = {r[2], r[0], makeRecord(99, 8, 0, 0, "Albert")};
         },
         "records paired by identifier\nonly in A: record 2 \"Cambrai\" (id 12)\n"
         "only in B: record 3 \"Albert\" (id 99)\n"
         "record 1 \"Arras\": record 1 -> 2\nrecord 3 \"Bapaume\": record 3 -> 1\n"},
        {"repeated identifiers pair by index",
         [](auto& r) {
             r[2].landmarkId = 11;
             r.push_back(makeRecord(14, 8, 0, 0, "Albert"));
         },
         "records paired by index: identifiers repeat in B\nheader: records 3 -> 4\n"
         "only in B: record 4 \"Albert\" (id 14)\nrecord 3 \"Bapaume\": id 13 -> 11\n"},
        {"header words", [](auto&) {},
         "records paired by identifier\nheader: record size 63 -> 80; header word 0 -> 5; bytes after the "
         "last record 0 -> 17\n",
         80, 5},
        {"bytes between records", [](auto&) {},
         "records paired by identifier\nrecord 2 \"Cambrai\": 2 unknown bytes differ\n", 70, 0, 70,
         [](auto& bytes) { bytes[100 + 70 + 63] = 1, bytes[100 + 70 + 69] = 2; }},
        {"bytes after the last record", [](auto&) {},
         "records paired by identifier\nheader: 1 unknown byte after the last record differs\n", 70, 0, 70,
         [](auto& bytes) { bytes.back() = 1; }},
    };
    for (const DiffCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto a = setOf(builderOf(threeRecords()).recordSize(c.recordSizeA).bytes());
        std::vector<LandmarkRecord> records = threeRecords();
        c.changeB(records);
        std::vector<std::uint8_t> bytesB =
            builderOf(records).recordSize(c.recordSize).headerAuxWord(c.headerAuxWord).bytes();
        c.changeBytesB(bytesB);
        EXPECT_EQ(cli::diffText(cli::diffSets(*a, *setOf(bytesB))), c.text);
    }
}

TEST(CliDiff, ExitStatusIsThatOfDiffAndAProfileLaysOverB) {
    const TempDir dir;
    const std::string a = builderOf(threeRecords()).writeTo(dir.path() / "a.dat");
    std::vector<LandmarkRecord> records = threeRecords();
    records[0].side = 0;
    records[0].setNameBytes("Ch\xe2lons"); // Windows-1252
    const std::string b = builderOf(records).writeTo(dir.path() / "b.dat");
    std::vector<std::uint8_t> profile(kProfileSize, 0);
    profile[130 + 2] = 1;
    writeBytes(dir.path() / "p.lmp", profile);

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::filesystem::path input = {};
    } cases[] = {
        {{"diff", a, a}, 0, ""},
        {{"diff", a, "-"}, 0, "", a},
        {{"diff", a, b},
         1,
         "record 1 \"Arras\": side Allied -> German; name \"Arras\" -> \"Ch\xc3\xa2lons\"\n"},
        {{"diff", a, a, "--profile", dir.file("p.lmp")}, 1, "record 3 \"Bapaume\": state on -> off\n"},
        {{"diff", a, dir.file("missing.dat")}, 2, ""},
        {{"diff", a, dir.file("missing.dat"), "--format", "json"}, 2, ""},
        {{"diff", "-", "-"}, 2, ""},
        {{"diff", a}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliRun run = runCli(c.args, {}, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(c.out.empty() ? run.out.empty() : run.out.ends_with(c.out)) << run.out;
        EXPECT_EQ(run.err.empty(), c.exitCode < 2) << run.err;
        EXPECT_TRUE(run.err.empty() || run.err.starts_with("korvland-cli: ")) << run.err;
    }

    const CliRun json = runCli({"diff", a, b, "--format", "json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::parse(R"({
        "a": ")" + a + R"(", "b": ")" + b + R"(", "same": false, "pairing": "identifier",
        "header": [], "onlyInA": [], "onlyInB": [],
        "changed": [{"recordA": 1, "recordB": 1, "id": 11, "name": "Arras",
                     "changes": [{"field": "side", "a": "Allied", "b": "German"},
                                 {"field": "name", "a": "Arras", "b": "Ch\u00e2lons"}]}]})"));
}

// A script sees what the editor's unsaved work, kept against a crash, would change in the file
// as another program has left it since: the work's own changes, not that program's undone.
TEST(CliDiff, KeptComparesTheFileWithTheEditorsUnsavedWorkOnIt) {
    TempDir dir;
    ::setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    const std::string file = builderOf(threeRecords()).writeTo(dir.file("lndmrks1.dat"));
    EXPECT_EQ(runCli({"diff", "--kept", file}).exitCode, 2) << "no work kept";
    EXPECT_NE(runCli({"diff", file}).exitCode, 0) << "B or --kept";

    LandmarkSet work;
    work.read(file);
    RecoveryDescription description;
    description.original = *stampFile(file);
    const std::vector<EditStep> steps{
        {EditField::Side, false, {{0, FieldValue(1, '\1'), FieldValue(1, '\0')}}}};
    replaySteps(work, steps);
    writeRecoveryCopy(defaultRecoveryFolder().value(), work, description, &steps);
    std::vector<LandmarkRecord> theirs = threeRecords();
    theirs[2].setNameBytes("Bapaume-Gare");
    builderOf(theirs).writeTo(file);

    const CliRun run = runCli({"diff", "--kept", file});
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.out.find("Arras"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Bapaume"), std::string::npos) << "the other program's rename stays: " << run.out;
}

} // namespace
} // namespace korvland::testing
