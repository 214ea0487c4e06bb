#include "cli_runner.h"

#include "support/fixture_builder.h"

#include <gtest/gtest.h>

namespace korvland::testing {
namespace {

struct UsageCase {
    std::vector<std::string> args;
    int exitCode;
    std::string message = {}; // part of what is printed
};

TEST(CliUsage, BadCommandLinesAreUsageErrorsThatWriteNothing) {
    const std::vector<UsageCase> cases{
        {{}, 2, "A subcommand is required"},
        {{"frobnicate"}, 2, "Unknown subcommand: frobnicate (one of info, export,"},
        {{"frob", "a.dat"}, 2, "Unknown subcommand: frob ("},
        {{"info"}, 2},
        {{"info", "a.dat", "b.dat"}, 2},
        {{"export", "a.dat", "--format", "xml"}, 2},
        {{"compile", "a.dat"}, 2},
        {{"compile", "a.dat", "-o"}, 2},
        {{"profile", "-o", "out.lmp"}, 2},
        {{"open-profile", "-o", "out.dat"}, 2},
        {{"demo", "-o", "out.dat"}, 2},
        {{"demo", "--region", "5", "-o", "out.dat"}, 2},
        {{"demo", "--region", "-1", "-o", "out.dat"}, 2},
        {{"demo", "--region", "two", "-o", "out.dat"}, 2},
        {{"demo", "--region", "0", "-o", "out.dat", "--colour", "red"}, 2},
    };
    for (const UsageCase& c : cases) {
        const TempDir folder;
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliRun run = runCli(c.args, folder.path());
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_FALSE(run.err.empty());
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(filesIn(folder.path()).empty());
    }
}

TEST(CliUsage, HelpOnTheProgramAndEveryCommandSucceeds) {
    const CliRun top = runCli({"--help"});
    EXPECT_EQ(top.exitCode, 0);
    for (const char* command : {"info", "export", "compile", "profile", "open-profile", "demo"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(top.out.find(command), std::string::npos);
        const CliRun run = runCli({command, "--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find(std::string("korvland-cli ") + command), std::string::npos) << run.out;
        EXPECT_TRUE(run.err.empty());
    }
}

TEST(CliUsage, VersionNamesTheProgramAndItsVersion) {
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "korvland-cli 3.2.0\n");
}

} // namespace
} // namespace korvland::testing
