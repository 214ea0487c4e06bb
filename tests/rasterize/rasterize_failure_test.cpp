#include "rasterize_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace korvland::testing {
namespace {

struct FailureCase {
    std::string name;
    std::vector<std::string> args;
    int exitCode;
    std::string err; // the whole of standard error for a file failure; its start for a usage error
};

// Every failing run is tried twice: with no image of the output's name yet, and with an
// earlier image there. Either way the folder is left exactly as it was.
TEST(RasterizeFailure, FailingRunsExitWithTheirCodeAndLeaveTheFolderAsItWas) {
    const std::vector<FailureCase> cases{
        {"no arguments", {}, 2, "FILE is required"},
        {"no output", {"lndmrks0.dat"}, 2, "OUTPUT is required"},
        {"unknown option", {"lndmrks0.dat", "map.png", "--colour", "red"}, 2, ""},
        {"scale not in the menu", {"lndmrks0.dat", "map.png", "--scale", "3"}, 2, "--scale"},
        {"scale not a number", {"lndmrks0.dat", "map.png", "--scale", "1:1"}, 2, "--scale"},
        {"region 5", {"lndmrks0.dat", "map.png", "--region", "5"}, 2, "--region"},
        {"size 0", {"lndmrks0.dat", "map.png", "--size", "0"}, 2, "--size"},
        {"no image extension", {"lndmrks0.dat", "map.dat"}, 2, "OUTPUT"},
        {"no extension at all", {"lndmrks0.dat", "map"}, 2, "OUTPUT"},
        {"format Qt cannot write", {"--format", "dat", "lndmrks0.dat", "map"}, 2, "--format"},
        {"missing file", {"lndmrks3.dat", "map.png"}, 1, "File not found.\n"},
        {"truncated file", {"short.dat", "map.png"}, 1, "Read beyond end of file.\n"},
        {"folder as file", {"shelf", "map.png"}, 1, "File access denied.\n"},
        {"missing profile", {"lndmrks0.dat", "map.png", "--profile", "none.lmp"}, 1, "File not found.\n"},
        {"short profile",
         {"lndmrks0.dat", "map.png", "--profile", "short.lmp"},
         1,
         "Read beyond end of file.\n"},
        {"no profile at all",
         {"lndmrks0.dat", "map.png", "--profile", "patterned.lmp"},
         1,
         "Invalid profile: the landmark file's path has no terminating zero byte within its 128 bytes.\n"},
        {"landmark file as profile",
         {"lndmrks0.dat", "map.png", "--profile", "many.dat"},
         1,
         "Invalid profile: it is longer than 1154 bytes; a profile is exactly 1154 bytes.\n"},
        {"output is the input",
         {"landmarks.png", "landmarks.png"},
         1,
         "'landmarks.png' is the same file as the input 'landmarks.png'; write the output to another "
         "file.\n"},
        {"output is the profile",
         {"lndmrks0.dat", "flags.png", "--profile", "flags.png"},
         1,
         "'flags.png' is the same file as the input 'flags.png'; write the output to another file.\n"},
        {"output folder missing", {"lndmrks0.dat", "nowhere/map.png"}, 1, "Invalid filename.\n"},
        {"output is a folder", {"lndmrks0.dat", "shelf.png"}, 1, "File access denied.\n"},
        {"surface beyond any image", {"far.dat", "map.png"}, 1, "The map is too large for an image: "},
    };
    for (const FailureCase& c : cases) {
        for (const bool earlierImage : {false, true}) {
            SCOPED_TRACE(c.name + (earlierImage ? ", earlier image" : ""));
            const TempDir folder;
            LandmarkFileBuilder()
                .add(makeRecord(1, 0, 0, 1, "Verdun"))
                .writeTo(folder.path() / "lndmrks0.dat");
            LandmarkFileBuilder().addMany(4).truncateTo(200).writeTo(folder.path() / "short.dat");
            // One landmark a million degrees east of the other: billions of pixels wide.
            LandmarkFileBuilder()
                .add(makeRecord(1, 0, 0, 1, "Here", 49.0f, 3.5f))
                .add(makeRecord(2, 0, 0, 0, "There", 49.0f, 1.0e6f))
                .writeTo(folder.path() / "far.dat");
            writeBytes(folder.path() / "short.lmp", std::vector<std::uint8_t>(1000, 0));
            writeBytes(folder.path() / "patterned.lmp", std::vector<std::uint8_t>(1154, 0xA5));
            LandmarkFileBuilder().addMany(30).writeTo(folder.path() / "many.dat");
            LandmarkFileBuilder().addMany(3).writeTo(folder.path() / "landmarks.png");
            writeBytes(folder.path() / "flags.png", profileBytes("/x.dat", 3, {1}));
            std::filesystem::create_directory(folder.path() / "shelf");
            std::filesystem::create_directory(folder.path() / "shelf.png");
            if (earlierImage)
                writeBytes(folder.path() / "map.png", {'o', 'l', 'd'});
            const std::vector<std::string> before = filesIn(folder.path());
            const auto inputs = readBytes(folder.path() / "landmarks.png");
            const auto flags = readBytes(folder.path() / "flags.png");

            const ProgramRun run = runRasterize(c.args, folder.path());
            EXPECT_EQ(run.exitCode, c.exitCode);
            EXPECT_EQ(run.out, "");
            // Every message begins with the program's name; a file failure is one line, the file
            // (unless the message quotes it) then the editor's message; a usage error points to --help.
            if (c.err.ends_with('\n')) {
                EXPECT_TRUE(run.err.starts_with("korvland-rasterize: ")) << run.err;
                EXPECT_TRUE(run.err.ends_with(c.err)) << run.err;
                EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            } else {
                EXPECT_TRUE(run.err.starts_with("korvland-rasterize: " + c.err)) << run.err;
            }
            if (c.exitCode == 2) {
                EXPECT_TRUE(run.err.ends_with("Run with --help for more information.\n")) << run.err;
            }
            EXPECT_EQ(filesIn(folder.path()), before);
            EXPECT_EQ(readBytes(folder.path() / "landmarks.png"), inputs);
            EXPECT_EQ(readBytes(folder.path() / "flags.png"), flags);
            if (earlierImage) {
                EXPECT_EQ(readBytes(folder.path() / "map.png"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
            }
        }
    }
}

// Usage errors quote what was typed; a name's control characters, right-to-left overrides
// included, reach the terminal escaped.
TEST(RasterizeUsage, NamesInUsageErrorsReachTheTerminalEscaped) {
    const TempDir folder;
    const std::string evil = "a\x1b]0;title\x07\xe2\x80\xaegnp";
    const std::string shown = "a\\x1b]0;title\\x07\\xe2\\x80\\xaegnp";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"lndmrks0.dat", evil + ".dat"}, {"lndmrks0.dat", "map.png", evil}}) {
        SCOPED_TRACE(args.back());
        const ProgramRun run = runRasterize(args, folder.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(shown), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find_first_of("\x1b\x07"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("\xe2\x80\xae"), std::string::npos) << run.err;
    }
}

TEST(RasterizeUsage, HelpAndVersionSucceed) {
    const TempDir folder;
    const ProgramRun help = runRasterize({"--help"}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("korvland-rasterize [OPTIONS] FILE OUTPUT"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");
    const ProgramRun version = runRasterize({"--version"}, folder.path());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "korvland-rasterize 3.2.0\n");
    EXPECT_TRUE(filesIn(folder.path()).empty());
}

} // namespace
} // namespace korvland::testing
