#include "cli_runner.h"
#include "support/build_paths.h"

#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <sys/wait.h>

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
        {{"--completion", "tcsh"}, 2, "--completion: tcsh is not bash, zsh or fish"},
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
        EXPECT_TRUE(run.err.starts_with("korvland-cli: ")) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(filesIn(folder.path()).empty());
    }
}

TEST(CliUsage, HelpAndVersionFailWhenStandardOutputTakesNoText) {
    for (const std::string option : {"--version", "--help"}) {
        const std::string command =
            std::string(korvland::testing::build::cliProgram) + " " + option + " >/dev/full 2>/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1) << option;
    }
}

TEST(CliUsage, ADashReadsStandardInputAndWritesOnlyText) {
    const TempDir folder;
    const std::string file = LandmarkFileBuilder().addMany(3).writeTo(folder.path() / "lndmrks2.dat");
    for (const char* command : {"info", "export"}) {
        SCOPED_TRACE(command);
        const CliRun named = runCli({command, file});
        const CliRun piped = runCli({command, "-"}, {}, file);
        EXPECT_EQ(piped.exitCode, 0) << piped.err;
        const std::string fromFile =
            std::string(command) == "info" ? named.out.substr(named.out.find("Records:")) : named.out;
        EXPECT_TRUE(piped.out.ends_with(fromFile)) << piped.out;
        EXPECT_EQ(runCli({command, "-"}).exitCode, 1) << "empty input is a file too short";
    }
    EXPECT_EQ(runCli({"export", file, "-o", "-"}).out, runCli({"export", file}).out);
    const std::vector<std::vector<std::string>> writers{{"compile", file, "-o", "-"},
                                                        {"profile", file, "-o", "-"},
                                                        {"open-profile", "x.lmp", "-o", "-"},
                                                        {"demo", "--region", "1", "-o", "-"}};
    for (const auto& args : writers) {
        SCOPED_TRACE(args.front());
        const CliRun run = runCli(args, folder.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(run.err.starts_with("korvland-cli: --output: standard output takes no")) << run.err;
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"lndmrks2.dat"});
    }
}

TEST(CliUsage, HelpOnTheProgramAndEveryCommandSucceeds) {
    const CliRun top = runCli({"--help"});
    EXPECT_EQ(top.exitCode, 0);
    EXPECT_EQ(top.out.find("--completion"), std::string::npos) << "for the build, not for people";
    for (const char* command : {"info", "export", "compile", "profile", "open-profile", "demo", "check",
                                "diff", "import", "edit"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(top.out.find(command), std::string::npos);
        const CliRun run = runCli({command, "--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find(std::string("korvland-cli ") + command), std::string::npos) << run.out;
        EXPECT_TRUE(run.err.empty());
    }
}

// Whether the double quotes of a rendered page pair up within paragraphs: one opens at the
// start of a word, the next closes. A quote that a macro took for the end of its argument
// shows up as one that opens inside a word or is left open.
bool quotesPairUp(const std::string& text) {
    bool open = false;
    char before = '\n';
    for (const char c : text) {
        if (open && c == '\n' && before == '\n')
            return false;
        if (c == '"') {
            if (!open && std::string_view(" \n([{").find(before) == std::string_view::npos)
                return false;
            open = !open;
        }
        before = c;
    }
    return !open;
}

TEST(CliUsage, ManPagesRenderWithoutWarningsOrStrayQuotes) {
    const std::filesystem::path groff = "/usr/bin/groff";
    if (!std::filesystem::exists(groff))
        GTEST_SKIP() << "groff is not installed";
    for (const auto& page : std::filesystem::directory_iterator(korvland::testing::build::manDir)) {
        SCOPED_TRACE(page.path().string());
        const ProgramRun run = runProgram(groff, {"-ww", "-man", "-Tutf8", "-P-cbou", page.path()});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(quotesPairUp(run.out)) << run.out;
    }
}

// The bash completion the program writes, as bash runs it for the words typed so far.
TEST(CliUsage, TheBashCompletionOffersEveryCommandAndItsOptions) {
    const TempDir dir;
    const CliRun script = runCli({"--completion", "bash"});
    ASSERT_EQ(script.exitCode, 0) << script.err;
    writeBytes(dir.path() / "korvland-cli", std::vector<std::uint8_t>(script.out.begin(), script.out.end()));
    const std::pair<std::string, std::string> cases[] = {
        {"korvland-cli ''",
         "info export compile profile open-profile demo check diff import edit -h --help --version"},
        {"korvland-cli edit a.dat --s", "--side --state --switch-off --switch-on --set-side --set-type"},
        {"korvland-cli edit a.dat --set-side ''", "german allied"},
        {"korvland-cli import a.csv --delimiter ''", ", \\;"},
    };
    for (const auto& [words, offered] : cases) {
        SCOPED_TRACE(words);
        const ProgramRun run = runProgram("/bin/bash",
                                          {"-c", "source ./korvland-cli; COMP_WORDS=(" + words +
                                                     "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                                     "_korvland_cli; echo \"${COMPREPLY[*]}\""},
                                          dir.path());
        EXPECT_EQ(run.out, offered + "\n") << run.err;
    }
}

TEST(CliUsage, VersionNamesTheProgramAndItsVersion) {
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "korvland-cli 3.2.0\n");
}

} // namespace
} // namespace korvland::testing
