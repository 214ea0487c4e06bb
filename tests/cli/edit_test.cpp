#include "cli_runner.h"

#include "data/profile_file.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace korvland::testing {
namespace {

// Records 2 and 5 are of type 06, which reading switches off.
std::string writeFixture(const std::filesystem::path& path) {
    return LandmarkFileBuilder()
        .add(makeRecord(11, 0x00, 0x01, 1, "Arras", 50.0f, 2.0f))
        .add(makeRecord(12, 0x03, 0x14, 0, "Cambrai", 49.0f, 3.0f))
        .add(makeRecord(13, 0x06, 0xAC, 1, "Bapaume", 48.0f, 4.0f))
        .add(makeRecord(14, 0x04, 0x00, 0, "P\xE9ronne", 49.5f, 2.5f))
        .add(makeRecord(15, 0x08, 0x00, 1, "Albert", 50.0f, 3.0f))
        .add(makeRecord(16, 0x06, 0xAC, 0, "Doullens", 50.5f, 2.2f))
        .writeTo(path);
}

std::vector<std::vector<std::string>> exportRows(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(runCli({"export", file}).out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields(1);
        for (const char c : line.substr(0, line.size() - 1)) // without the CR
            c == ',' ? fields.emplace_back() : fields.back() += c;
        rows.push_back(fields);
    }
    return rows;
}

// "0 loFileType=06 disabled=1; 3 side=1": the exported fields that differ, by record index.
std::string changedFields(const std::string& before, const std::string& after) {
    const auto a = exportRows(before);
    const auto b = exportRows(after);
    std::string out;
    for (std::size_t i = 1; i < std::min(a.size(), b.size()); ++i) {
        std::string fields;
        for (std::size_t k = 0; k < a[i].size(); ++k)
            if (a[i][k] != b[i][k] && a[0][k] != "kind")
                fields += " " + a[0][k] + "=" + b[i][k];
        if (!fields.empty())
            // Named by index from 0, as the table below counts them (export counts from 1).
            out += (out.empty() ? "" : "; ") + std::to_string(std::stoi(a[i][0]) - 1) + fields;
    }
    return a.size() == b.size() ? out : "(record count changed)";
}

// Record `index` switched off, as its exported fields change; `side` is a change between them.
// Built by appending: GCC's -O3 takes `"literal" + std::string&&` for an overlapping copy.
std::string off(int index, const std::string& side = "") {
    return std::to_string(index).append(" loFileType=06 loFileNo=AC").append(side).append(" disabled=1");
}

// Records' changes, as changedFields joins them.
std::string joined(std::initializer_list<std::string> records) {
    std::string text;
    for (const std::string& record : records)
        text.append(text.empty() ? "" : "; ").append(record);
    return text;
}

TEST(CliEdit, ChoosesTheRecordsAndAppliesTheActionsInOrder) {
    const struct {
        std::vector<std::string> args;
        std::string changes;
        std::string err;
    } cases[] = {
        {{"--name", "arras", "--switch-off"}, off(0), "switched off 1 landmark"},
        {{"--name", "PERONNE", "--set-side", "Allied"}, "3 side=1", "set the side of 1 landmark to Allied"},
        {{"--kind", "troops,bridge", "--kind", "Airfield", "--set-type", "5/20"},
         "0 loFileType=05 loFileNo=20; 1 loFileType=05 loFileNo=20; 3 loFileType=05 loFileNo=20",
         "set the type of 3 landmarks to 05/20"},
        {{"--side", "allied", "--state", "on", "--switch-off"},
         joined({off(0), off(4)}),
         "switched off 2 landmarks"},
        {{"--within", "49.5,2.4,48.9,3.1", "--set-side", "allied", "--set-type", "08"},
         "1 loFileType=08 side=1; 3 loFileType=08 side=1",
         "set the side of 2 landmarks to Allied\nkorvland-cli: set the type of 2 landmarks to 08"},
        {{"--records", "1,5-6", "--switch-on"}, "", "switched on 0 landmarks (1 of type 06 was left off)"},
        {{"--ids", "13,16", "--set-type", "07/01", "--switch-on"},
         "2 loFileType=07 loFileNo=01 disabled=0; 5 loFileType=07 loFileNo=01 disabled=0",
         "set the type of 2 landmarks to 07/01\nkorvland-cli: switched on 2 landmarks"},
        {{"--ids", "13,16", "--switch-on", "--set-type", "07/01"},
         "",
         "switched on 0 landmarks (2 of type 06 were left off)\nkorvland-cli: set the type of 2 landmarks to "
         "07/01"},
        {{"--all", "--switch-off", "--set-side", "german"},
         joined({off(0, " side=0"), off(1), "2 side=0", off(3), off(4, " side=0")}),
         "switched off 4 landmarks (2 of type 06 were already off)\n"
         "korvland-cli: set the side of 3 landmarks to German"},
        {{"--name", "arras", "--side", "german", "--switch-off"}, "", "no landmark matches"},
        {{"--ids", "1-11", "--set-side", "german"}, "0 side=0", "set the side of 1 landmark to German"},
        {{"--profile", "p.lmp", "--ids", "11", "--set-side", "german"},
         joined({"0 side=0", off(3)}),
         "set the side of 1 landmark to German"},
        {{"--profile", "p.lmp", "--ids", "16", "--switch-on"},
         off(3),
         "switched on 0 landmarks (1 of type 06 was left off)"},
    };
    const TempDir dir;
    const std::string file = writeFixture(dir.path() / "lndmrks0.dat");
    std::vector<std::uint8_t> profile(kProfileSize, 0);
    profile[130 + 2] = profile[130 + 3] = 1; // record 5 shows on, but is of type 06
    writeBytes(dir.path() / "p.lmp", profile);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        std::vector<std::string> args{"edit", file, "-o", "out.dat"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = runCli(args, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "korvland-cli: " + c.err + "\n");
        EXPECT_EQ(changedFields(file, dir.file("out.dat")), c.changes);
    }
}

TEST(CliEdit, WritesInPlaceOrToStandardOutputTheSameBytes) {
    const TempDir dir;
    const std::string file = writeFixture(dir.path() / "lndmrks0.dat");
    const std::vector<std::string> edit{"--kind", "village", "--switch-off"};
    const auto run = [&](std::vector<std::string> args, const std::filesystem::path& input = {}) {
        args.insert(args.begin(), "edit");
        args.insert(args.end(), edit.begin(), edit.end());
        return runCli(args, dir.path(), input);
    };
    EXPECT_EQ(run({file, "-o", "copy.dat"}).exitCode, 0);
    const std::vector<std::uint8_t> expected = readBytes(dir.path() / "copy.dat");
    EXPECT_EQ(changedFields(file, dir.file("copy.dat")), off(4));
    const CliRun piped = run({"-", "-o", "-"}, file);
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(std::vector<std::uint8_t>(piped.out.begin(), piped.out.end()), expected);
    EXPECT_EQ(piped.err, "korvland-cli: switched off 1 landmark\n");
    const CliRun inPlace = run({"lndmrks0.dat", "-o", file});
    EXPECT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_EQ(readBytes(file), expected);
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"copy.dat", "lndmrks0.dat"}));
}

TEST(CliEdit, DryRunWritesNothingAndPrintsWhatDiffWouldPrint) {
    const TempDir dir;
    const std::string file = writeFixture(dir.path() / "lndmrks0.dat");
    const std::vector<std::uint8_t> original = readBytes(file);
    const std::vector<std::string> edit{"edit",       file,     "--side",      "german",
                                        "--set-side", "allied", "--switch-off"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = edit;
        args.insert(args.end(), more.begin(), more.end());
        return runCli(args, dir.path());
    };
    const CliRun dry = with({"-o", file, "--dry-run"});
    const CliRun dryJson = with({"-o", "-", "--dry-run", "--format", "json"});
    EXPECT_EQ(readBytes(file), original);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"lndmrks0.dat"});
    EXPECT_EQ(dry.err, "korvland-cli: would set the side of 3 landmarks to Allied\n"
                       "korvland-cli: would switch off 2 landmarks (1 of type 06 is already off)\n");

    const CliRun real = with({"-o", "out.dat", "--format", "json"});
    ASSERT_EQ(real.exitCode, 0) << real.err;
    const CliRun diff = runCli({"diff", file, "out.dat", "--format", "json"}, dir.path());
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(dry.out, runCli({"diff", file, "out.dat"}, dir.path()).out);
    EXPECT_NE(dry.out, "");
    const nlohmann::json summary = nlohmann::json::parse(real.out);
    EXPECT_EQ(summary,
              nlohmann::json::parse(R"({"file": ")" + file + R"(", "output": "out.dat", "dryRun": false,
        "chosen": 3, "actions": [{"action": "set-side", "value": "Allied", "changed": 3},
        {"action": "switch-off", "changed": 2, "type06Off": 1}]})"));
    nlohmann::json drySummary = nlohmann::json::parse(dryJson.out);
    EXPECT_EQ(drySummary["diff"]["changed"], nlohmann::json::parse(diff.out)["changed"]);
    EXPECT_EQ(drySummary["actions"], summary["actions"]);
}

TEST(CliEdit, BadCommandLinesNameTheOptionAndWriteNothing) {
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--switch-off"}, "edit: choose landmarks with --name,"},
        {{"--name", "arras"}, "edit: give an action: --switch-off, --switch-on, --set-side or --set-type"},
        {{"--side", "french", "--switch-off"}, "--side: french not in {german,allied}"},
        {{"--name", "", "--switch-off"}, "--name: an empty text matches every landmark; give --all"},
        {{"--kind", "Tank", "--switch-off"}, "'Tank' is not a kind; one of Airfield, City,"},
        {{"--within", "1,2,3", "--switch-off"}, "'1,2,3' is not a box; four numbers NS1,EW1,NS2,EW2"},
        {{"--within", "1,2,3,nan", "--switch-off"}, "is not a box"},
        {{"--records", "0", "--switch-off"}, "'0' is not a number from 1 to 1024 or a range of them"},
        {{"--records", "9-3", "--switch-off"}, "'9-3' is not a number from 1 to 1024"},
        {{"--ids", "65536", "--switch-on"}, "'65536' is not a number from 0 to 65535"},
        {{"--all", "--set-type", "1G"}, "'1G' is not a type; HH or HH/HH"},
        {{"--all", "--set-type", "01/"}, "'01/' is not a type"},
        {{"--all", "--switch-on", "--format", "json", "-o", "-"}, "--format json: prints its summary"},
        {{"--records", "3,7", "--switch-on"}, "--records: lndmrks0.dat has no record 7, only 1 to 6"},
        {{"--ids", "12345", "--switch-off"}, "--ids: lndmrks0.dat has no landmark with identifier 12345"},
        {{"--ids", "11,20-30", "--dry-run", "--switch-off"},
         "has no landmark with an identifier from 20 to 30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const TempDir dir;
        writeFixture(dir.path() / "lndmrks0.dat");
        std::vector<std::string> args{"edit", "lndmrks0.dat"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (std::find(args.begin(), args.end(), "-o") == args.end())
            args.insert(args.end(), {"-o", "out.dat"});
        const CliRun run = runCli(args, dir.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"lndmrks0.dat"});
    }
}

} // namespace
} // namespace korvland::testing
