#include "cli_runner.h"

#include "cli/commands.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace korvland::testing {
namespace {

constexpr std::size_t kTypeOffset = 4;

std::size_t recordStart(std::size_t index, std::size_t recordSize) {
    return 100 + index * recordSize;
}

// A profile built by hand: `path` stored, the given flags at their indices, all others 0.
std::vector<std::uint8_t> profileBytes(const std::string& path, std::uint16_t count,
                                       const std::vector<std::pair<std::size_t, std::uint8_t>>& flags) {
    ProfileContents profile;
    std::copy(path.begin(), path.end(), profile.landmarkPath.begin());
    profile.profileCount = count;
    for (const auto& [index, flag] : flags)
        profile.disabledFlags.at(index) = flag;
    return encodeProfile(profile);
}

// Eight records with a record size of 80: record 2 is loaded as type 6 with sub-type 5.
std::string writeLandmarks(const TempDir& dir, const std::string& name) {
    LandmarkFileBuilder builder;
    builder.addMany(8).recordSize(80).headerAuxWord(0x1234);
    std::vector<std::uint8_t> bytes = builder.bytes();
    bytes[recordStart(2, 80) + kTypeOffset] = 6;
    bytes[recordStart(2, 80) + kTypeOffset + 1] = 5;
    writeBytes(dir.path() / name, bytes);
    return dir.file(name);
}

TEST(CliCompile, WritesWhatSaveLandmarkWritesAfterOpen) {
    const TempDir dir;
    const std::string file = writeLandmarks(dir, "lndmrks0.dat");
    const CliRun run = runCli({"compile", file, "-o", dir.file("out.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty());

    auto editor = std::make_unique<LandmarkSet>();
    editor->read(file);
    editor->writeLandmarkFile(dir.file("editor.dat"));
    const auto written = readBytes(dir.file("out.dat"));
    EXPECT_EQ(written, readBytes(dir.file("editor.dat")));
    EXPECT_EQ(written.size(), 100u + 8 * 80);
    EXPECT_EQ(u16At(written, 24), 0x1234);
    EXPECT_EQ(written[recordStart(2, 80) + kTypeOffset + 1], 0xAC);
}

TEST(CliCompile, LaysTheProfilesFlagsByIndexIgnoringItsStoredPath) {
    const TempDir dir;
    const std::string file = writeLandmarks(dir, "lndmrks1.dat");
    // Index 1 switched off, index 2 (loaded as type 6) switched on, index 3 with a flag only
    // a profile can hold; index 900 lies beyond the file.
    writeBytes(dir.path() / "p.lmp",
               profileBytes("/nowhere/else.dat", 999, {{1, 1}, {2, 0}, {3, 2}, {900, 1}}));
    const CliRun run = runCli({"compile", file, "--profile", dir.file("p.lmp"), "-o", dir.file("out.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const auto written = readBytes(dir.file("out.dat"));
    const auto typeAndSub = [&](std::size_t i) {
        return std::pair<int, int>(written[recordStart(i, 80) + kTypeOffset],
                                   written[recordStart(i, 80) + kTypeOffset + 1]);
    };
    const auto original = LandmarkFileBuilder().addMany(8).bytes();
    const auto loaded = [&](std::size_t i) {
        return std::pair<int, int>(original[recordStart(i, 63) + kTypeOffset],
                                   original[recordStart(i, 63) + kTypeOffset + 1]);
    };
    EXPECT_EQ(typeAndSub(0), loaded(0));
    EXPECT_EQ(typeAndSub(1), (std::pair<int, int>(6, 0xAC)));
    EXPECT_EQ(typeAndSub(2), (std::pair<int, int>(6, 5))); // switched on, keeps its loaded type
    EXPECT_EQ(typeAndSub(3), (std::pair<int, int>(6, 0xAC)));
    EXPECT_EQ(typeAndSub(4), loaded(4));
    EXPECT_EQ(u16At(written, 20), 8);
}

TEST(CliProfile, WritesTheProfileOfTheOpenedFileWithItsFullPath) {
    const TempDir dir;
    LandmarkFileBuilder builder;
    builder.addMany(300);
    std::vector<std::uint8_t> bytes = builder.bytes();
    for (const std::size_t i : {5u, 9u})
        bytes[recordStart(i, 63) + kTypeOffset] = 6;
    for (const std::size_t i : {6u, 16u}) // addMany's own type 6 records at 6, 16, 26, ...
        ASSERT_EQ(bytes[recordStart(i, 63) + kTypeOffset], 6);
    writeBytes(dir.path() / "lndmrks2.dat", bytes);

    const CliRun run = runCli({"profile", "lndmrks2.dat", "-o", "saved.lmp"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto profile = readBytes(dir.file("saved.lmp"));
    ASSERT_EQ(profile.size(), 1154u);
    const std::string full = dir.file("lndmrks2.dat");
    EXPECT_EQ(std::string(profile.begin(), profile.begin() + static_cast<std::ptrdiff_t>(full.size())), full);
    EXPECT_EQ(profile[full.size()], 0);
    EXPECT_EQ(u16At(profile, 128), 300);
    for (std::size_t i = 0; i < 1024; ++i) {
        const bool off = i < 300 && (i == 5 || i == 9 || i % 10 == 6);
        EXPECT_EQ(profile[130 + i], off ? 1 : 0) << i;
    }
}

TEST(CliOpenProfile, OpensTheNamedFileWithTheStoredFlagsAndCompilesIt) {
    const TempDir dir;
    const std::string file = writeLandmarks(dir, "lndmrks3.dat");
    writeBytes(dir.path() / "p.lmp", profileBytes(file, 2, {{0, 1}, {2, 0}, {7, 1}}));
    const CliRun run = runCli({"open-profile", dir.file("p.lmp"), "-o", dir.file("out.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    auto editor = std::make_unique<LandmarkSet>();
    editor->openProfile(dir.file("p.lmp"));
    editor->writeLandmarkFile(dir.file("editor.dat"));
    const auto written = readBytes(dir.file("out.dat"));
    EXPECT_EQ(written, readBytes(dir.file("editor.dat")));
    EXPECT_EQ(written[recordStart(0, 80) + kTypeOffset + 1], 0xAC);
    EXPECT_EQ(written[recordStart(2, 80) + kTypeOffset + 1], 5);
    EXPECT_EQ(written[recordStart(7, 80) + kTypeOffset + 1], 0xAC);
}

// Every writer puts back the bytes no field describes, between records and after the last
// one, as they were read: a file read and written without an edit differs only in the two
// banners the writer stamps. The editor's save is the set's write.
TEST(CliWriters, EveryWriterKeepsTheBytesNoFieldDescribes) {
    using Writer = std::function<void(const TempDir&, const std::string&, const std::string&)>;
    const std::vector<std::pair<std::string, Writer>> writers{
        {"save",
         [](const TempDir&, const std::string& in, const std::string& out) {
             auto set = std::make_unique<LandmarkSet>();
             set->read(in);
             set->writeLandmarkFile(out);
         }},
        {"compile", [](const TempDir&, const std::string& in,
                       const std::string& out) { cli::compileCommand(in, std::nullopt, out); }},
        {"open-profile",
         [](const TempDir& dir, const std::string& in, const std::string& out) {
             cli::profileCommand(in, dir.file("p.lmp"));
             cli::openProfileCommand(dir.file("p.lmp"), out);
         }},
        {"import with template", [](const TempDir& dir, const std::string& in, const std::string& out) {
             cli::writeTextFile(dir.file("sheet.csv"), cli::exportCommand(in, "csv"), in);
             cli::importCommand(dir.file("sheet.csv"), "", in, out);
         }}};
    const auto stamped = LandmarkFileBuilder().banners(kMakerBanner, kVersionBanner).bytes();
    for (const std::uint16_t size : std::initializer_list<std::uint16_t>{63, 64, 70, 200}) {
        for (const std::size_t trailing : std::initializer_list<std::size_t>{0, 13}) {
            std::vector<std::uint8_t> in = LandmarkFileBuilder()
                                               .addMany(6)
                                               .recordSize(size)
                                               .trailing(std::vector<std::uint8_t>(trailing, 0x5A))
                                               .bytes();
            // A different byte at every place no field describes, the last record's gap included.
            for (std::size_t k = 100; k < in.size(); ++k)
                if ((k - 100) % size >= 63 || k >= 100 + 5u * size + 63)
                    in[k] = static_cast<std::uint8_t>(k * 7 + 1);
            std::vector<std::uint8_t> expected = in;
            std::copy_n(stamped.begin(), 20, expected.begin());
            std::copy(stamped.begin() + 26, stamped.begin() + 100, expected.begin() + 26);
            for (const auto& [name, write] : writers) {
                SCOPED_TRACE(name + ", record size " + std::to_string(size) + ", trailing " +
                             std::to_string(trailing));
                const TempDir dir;
                writeBytes(dir.path() / "in.dat", in);
                write(dir, dir.file("in.dat"), dir.file("out.dat"));
                EXPECT_EQ(readBytes(dir.file("out.dat")), expected);
            }
        }
    }
}

struct FailureCase {
    const char* what;
    std::vector<std::string> args; // "@" stands for the test's folder
    std::string message;           // the editor's text, then the file it is about ("@" as above)
};

// Every failing command exits 1 with the editor's text and leaves the folder as it was: no
// output, no temporary file, and an existing output file untouched.
TEST(CliFailures, AFailingCommandWritesNothing) {
    const std::vector<FailureCase> cases{
        {"compile: missing file",
         {"compile", "@/missing.dat", "-o", "@/out.dat"},
         "@/missing.dat: File not found.\n"},
        {"compile: missing profile",
         {"compile", "@/lndmrks0.dat", "--profile", "@/missing.lmp", "-o", "@/out.dat"},
         "@/missing.lmp: File not found.\n"},
        {"compile: short profile",
         {"compile", "@/lndmrks0.dat", "--profile", "@/short.lmp", "-o", "@/out.dat"},
         "@/short.lmp: Read beyond end of file.\n"},
        {"compile: truncated landmark file",
         {"compile", "@/short.dat", "-o", "@/out.dat"},
         "@/short.dat is not a landmark file (Read beyond end of file): it is 300 bytes long, too short for "
         "the 5 records its header announces.\n"},
        {"compile: output folder missing",
         {"compile", "@/lndmrks0.dat", "-o", "@/no folder/out.dat"},
         "@/no folder/out.dat: Invalid filename: the folder @/no folder does not exist.\n"},
        {"compile: output is a folder", {"compile", "@/lndmrks0.dat", "-o", "@"}, "@: File access denied.\n"},
        {"profile: missing file",
         {"profile", "@/missing.dat", "-o", "@/out.dat"},
         "@/missing.dat: File not found.\n"},
        {"profile: output folder missing",
         {"profile", "@/lndmrks0.dat", "-o", "@/no folder/out.lmp"},
         "@/no folder/out.lmp: Invalid filename: the folder @/no folder does not exist.\n"},
        {"open-profile: missing profile",
         {"open-profile", "@/missing.lmp", "-o", "@/out.dat"},
         "@/missing.lmp: File not found.\n"},
        {"open-profile: short profile",
         {"open-profile", "@/short.lmp", "-o", "@/out.dat"},
         "@/short.lmp: Read beyond end of file.\n"},
        {"open-profile: named file missing",
         {"open-profile", "@/orphan.lmp", "-o", "@/out.dat"},
         "@/gone.dat: File not found.\n"},
        {"open-profile: named file truncated",
         {"open-profile", "@/cut.lmp", "-o", "@/out.dat"},
         "@/short.dat is not a landmark file (Read beyond end of file): it is 300 bytes long, too short for "
         "the 5 records its header announces.\n"},
        {"open-profile: no file named",
         {"open-profile", "@/empty.lmp", "-o", "@/out.dat"},
         "@/empty.lmp: The profile names no landmark file.\n"},
        {"open-profile: output folder missing",
         {"open-profile", "@/good.lmp", "-o", "@/no folder/out.dat"},
         "@/no folder/out.dat: Invalid filename: the folder @/no folder does not exist.\n"},
        {"demo: output folder missing",
         {"demo", "--region", "1", "-o", "@/no folder/lndmrks1.dat"},
         "@/no folder/lndmrks1.dat: Invalid filename: the folder @/no folder does not exist.\n"},
        {"demo: output inside a file",
         {"demo", "--region", "1", "-o", "@/lndmrks0.dat/lndmrks1.dat"},
         "@/lndmrks0.dat/lndmrks1.dat: Invalid filename: @/lndmrks0.dat is not a folder.\n"},
        // An output that is one of the inputs, by any name, is refused before anything is read.
        {"profile: output is the input",
         {"profile", "@/lndmrks0.dat", "-o", "@/lndmrks0.dat"},
         "'@/lndmrks0.dat' is the same file as the input '@/lndmrks0.dat'; write the output to another "
         "file.\n"},
        {"profile: output is a link to the input",
         {"profile", "@/lndmrks0.dat", "-o", "@/link.dat"},
         "'@/link.dat' is the same file as the input '@/lndmrks0.dat'; write the output to another file.\n"},
        {"compile: output is the profile",
         {"compile", "@/lndmrks0.dat", "--profile", "@/good.lmp", "-o", "@/good.lmp"},
         "'@/good.lmp' is the same file as the input '@/good.lmp'; write the output to another file.\n"},
        {"compile: output is an input that cannot be read",
         {"compile", "@/short.dat", "-o", "@/short.dat"},
         "@/short.dat is not a landmark file (Read beyond end of file): it is 300 bytes long, too short for "
         "the 5 records its header announces.\n"},
        {"open-profile: output is the profile",
         {"open-profile", "@/good.lmp", "-o", "@/good.lmp"},
         "'@/good.lmp' is the same file as the input '@/good.lmp'; write the output to another file.\n"},
        // A file of the other kind is not replaced.
        {"profile: output holds landmarks",
         {"profile", "@/lndmrks0.dat", "-o", "@/lndmrks1.dat"},
         "'@/lndmrks1.dat' holds landmarks, not a profile; remove it first or choose another name.\n"},
        {"compile: output holds a profile",
         {"compile", "@/lndmrks0.dat", "-o", "@/orphan.lmp"},
         "'@/orphan.lmp' holds a profile, not landmarks; remove it first or choose another name.\n"},
        {"open-profile: output holds a profile",
         {"open-profile", "@/good.lmp", "-o", "@/orphan.lmp"},
         "'@/orphan.lmp' holds a profile, not landmarks; remove it first or choose another name.\n"},
        {"demo: output holds a profile",
         {"demo", "--region", "1", "-o", "@/empty.lmp"},
         "'@/empty.lmp' holds a profile, not landmarks; remove it first or choose another name.\n"},
        // Only a profile is read as one.
        {"compile: a landmark file as profile",
         {"compile", "@/lndmrks0.dat", "--profile", "@/lndmrks1.dat", "-o", "@/out.dat"},
         "@/lndmrks1.dat: Invalid profile: it is longer than 1154 bytes; a profile is exactly 1154 bytes.\n"},
        {"open-profile: a flag no profile holds",
         {"open-profile", "@/bad-flag.lmp", "-o", "@/out.dat"},
         "@/bad-flag.lmp: Invalid profile: the flag of record 2 is 9; a flag is 0, 1 or 2.\n"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TempDir dir;
        const std::string file = writeLandmarks(dir, "lndmrks0.dat");
        auto good = profileBytes(file, 8, {{1, 1}});
        writeBytes(dir.path() / "good.lmp", good);
        writeBytes(dir.path() / "short.lmp", std::vector<std::uint8_t>(good.begin(), good.begin() + 1153));
        writeBytes(dir.path() / "orphan.lmp", profileBytes(dir.file("gone.dat"), 8, {}));
        writeBytes(dir.path() / "empty.lmp", profileBytes("", 0, {}));
        writeBytes(dir.path() / "cut.lmp", profileBytes(dir.file("short.dat"), 5, {}));
        writeBytes(dir.path() / "bad-flag.lmp", profileBytes(file, 8, {{1, 9}}));
        LandmarkFileBuilder().addMany(5).truncateTo(300).writeTo(dir.path() / "short.dat");
        LandmarkFileBuilder().addMany(50).writeTo(dir.path() / "lndmrks1.dat");
        std::filesystem::create_symlink(file, dir.path() / "link.dat");
        std::filesystem::create_hard_link(file, dir.path() / "hard.dat");
        const std::vector<std::uint8_t> old{'o', 'l', 'd'};
        writeBytes(dir.path() / "out.dat", old);
        const auto before = filesIn(dir.path());
        std::vector<std::vector<std::uint8_t>> contents;
        for (const std::string& name : before)
            contents.push_back(readBytes(dir.path() / name));

        std::vector<std::string> args;
        for (std::string arg : c.args) {
            if (arg.front() == '@')
                arg = dir.path().string() + arg.substr(1);
            args.push_back(arg);
        }
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 1);
        std::string message = c.message;
        for (std::size_t at; (at = message.find('@')) != std::string::npos;)
            message.replace(at, 1, dir.path().string());
        EXPECT_EQ(run.err, "korvland-cli: " + message);
        EXPECT_TRUE(run.out.empty());
        ASSERT_EQ(filesIn(dir.path()), before);
        for (std::size_t k = 0; k < before.size(); ++k)
            EXPECT_EQ(readBytes(dir.path() / before[k]), contents[k]) << before[k];
    }
}

// A file of the kind the command writes, or of neither kind, is replaced as before; so is
// a file that only shares the input's name in another folder.
TEST(CliOutputs, AFileOfTheSameKindOrOfNeitherKindIsReplaced) {
    const TempDir dir;
    const std::string file = writeLandmarks(dir, "lndmrks0.dat");
    std::filesystem::create_directory(dir.path() / "copy");
    const struct {
        std::vector<std::string> args;
        std::string output;
    } cases[] = {
        {{"compile", file, "-o", "landmarks.dat"}, "landmarks.dat"},
        {{"profile", file, "-o", "saved.lmp"}, "saved.lmp"},
        {{"profile", file, "-o", "notes.txt"}, "notes.txt"},
        {{"demo", "--region", "2", "-o", "copy/lndmrks0.dat"}, "copy/lndmrks0.dat"},
        // A landmark file read whole is saved over as the editor saves over the file it opened.
        {{"compile", file, "-o", "hard.dat"}, "lndmrks0.dat"},
        {{"open-profile", "named.lmp", "-o", "lndmrks0.dat"}, "lndmrks0.dat"},
        {{"import", "sheet.csv", "--template", "lndmrks0.dat", "-o", "lndmrks0.dat"}, "lndmrks0.dat"},
    };
    std::filesystem::create_hard_link(file, dir.path() / "hard.dat");
    writeBytes(dir.path() / "named.lmp", profileBytes(file, 8, {{1, 1}}));
    const std::string sheet =
        cli::exportCommand(LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "three.dat"), "csv");
    writeBytes(dir.path() / "sheet.csv", std::vector<std::uint8_t>(sheet.begin(), sheet.end()));
    LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "landmarks.dat");
    writeBytes(dir.path() / "saved.lmp", profileBytes("/elsewhere.dat", 3, {{0, 1}}));
    writeBytes(dir.path() / "notes.txt", {'n', 'o', 't', 'e', 's'});
    LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "copy/lndmrks0.dat");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const auto before = readBytes(dir.path() / c.output);
        const CliRun run = runCli(c.args, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(readBytes(dir.path() / c.output), before);
    }
}

} // namespace
} // namespace korvland::testing
