#include "cli_runner.h"

#include "data/file_io.h"
#include "data/terminal_text.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace korvland::testing {
namespace {

bool hasControlBytes(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F)
            return true;
    }
    return text.find("\xc2\x9b") != std::string::npos;
}

// Names chosen to move the cursor, recolour the screen, set the title or hide behind C1.
TEST(CliTerminal, PathsAndNamesReachTheTerminalEscaped) {
    const TempDir dir;
    const std::string evil = "a\x1b[31mred\x07\r\x7f\xc2\x9b\xff\xe9-\xc3\xa9";
    const std::string shown = "a\\x1b[31mred\\x07\\x0d\\x7f\\xc2\\x9b\\xff\\xe9-\xc3\xa9";
    const std::string file = LandmarkFileBuilder().addMany(2).writeTo(dir.path() / (evil + ".dat"));
    const std::string folder = dir.path().string() + "/";

    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string expected; // in standard output, or standard error for a failure
    } cases[] = {
        {{"info", file}, 0, "File:         " + folder + shown + ".dat\n"},
        // A path too long to keep is named before the message, on its line.
        {{"info", folder + evil + std::string(130, 'p') + ".dat"},
         1,
         "korvland-cli: " + folder + shown + std::string(130, 'p') + ".dat: The file's full path is"},
        // So is an argument too many.
        {{"info", file, evil}, 2, shown},
        // A right-to-left override would show "evil\u202etad.exe" as "evilexe.dat".
        {{"info", file, "evil\xe2\x80\xaetad.exe"}, 2, "evil\\xe2\\x80\\xaetad.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_FALSE(hasControlBytes(run.out)) << run.out;
        EXPECT_FALSE(hasControlBytes(run.err)) << run.err;
        const std::string& stream = c.exitCode == 0 ? run.out : run.err;
        EXPECT_NE(stream.find(c.expected), std::string::npos) << stream;
    }
}

// One line, as GNU tools write it: the file, then the message; a system error in its words.
TEST(CliTerminal, AnErrorIsOneLineNamingItsFileFirst) {
    const struct {
        UserError error;
        std::string text;
    } cases[] = {
        {UserError(fileErrorMessage(EBADF, "-")), "Bad file descriptor."},
        {UserError(fileErrorMessage(EPIPE, "-"), "out.dat"), "out.dat: Broken pipe."},
        {UserError(fileErrorMessage(EIO, "-"), "a\nb"), "a\\x0ab: Input/output error."},
        {UserError(fileNotFound(), "x.dat"), "x.dat: File not found."},
        {UserError(std::string("I/O error 9x")), "I/O error 9x."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(terminalErrorText(c.error), c.text);
}

} // namespace
} // namespace korvland::testing
