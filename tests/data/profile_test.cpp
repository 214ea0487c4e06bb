#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::LoadedSet;
using testing::makeRecord;
using testing::messageOf;
using testing::namesIn;
using testing::readBytes;
using testing::stateOf;
using testing::TempDir;
using testing::writeBytes;

namespace fs = std::filesystem;

// Profile bytes naming `path`, with the given flags (the rest zero).
std::vector<std::uint8_t> profileBytes(const std::string& path, std::uint16_t count,
                                       std::initializer_list<std::pair<std::size_t, std::uint8_t>> flags) {
    std::vector<std::uint8_t> bytes(1154, 0);
    std::copy(path.begin(), path.end(), bytes.begin());
    bytes[128] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[129] = static_cast<std::uint8_t>(count >> 8);
    for (const auto& [index, value] : flags)
        bytes.at(130 + index) = value;
    return bytes;
}

// 300 records; types cycle through 0 to 9, so records 6, 16, 26, ... are switched off.
TEST(ProfileSave, LayoutAfterLoadingA300RecordFile) {
    TempDir dir;
    LandmarkSet set;
    // An earlier, larger file leaves flags beyond 300 behind.
    set.read(LandmarkFileBuilder().addMany(500).writeTo(dir.path() / "a-longer-name-first.dat"));
    const std::string path = LandmarkFileBuilder().addMany(300).writeTo(dir.path() / "b.dat");
    set.read(path);
    set.saveProfile(dir.file("p.lmp"));

    const auto bytes = readBytes(dir.path() / "p.lmp");
    ASSERT_EQ(bytes.size(), 1154u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(path.size())), path);
    EXPECT_EQ(bytes[path.size()], 0);
    // The tail of the longer path stays after the terminator, as the set holds it.
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 128, set.landmarkPathBytes().begin()));
    EXPECT_NE(bytes[path.size() + 1], 0);
    EXPECT_EQ(bytes[128], 300 & 0xFF);
    EXPECT_EQ(bytes[129], 300 >> 8);
    for (std::size_t i = 0; i < 1024; ++i)
        EXPECT_EQ(bytes[130 + i], i < 500 && i % 10 == 6 ? 1 : 0) << "flag " << i;
}

TEST(ProfileSave, BeforeAnyLoadHoldsAnEmptyPathAndCountZero) {
    TempDir dir;
    LandmarkSet set;
    set.saveProfile(dir.file("p.lmp"));
    EXPECT_EQ(readBytes(dir.path() / "p.lmp"), std::vector<std::uint8_t>(1154, 0));
}

TEST(ProfileRoundTrip, OpeningRestoresTheSavedFlags) {
    LoadedSet loaded;
    loaded.set.setDisabled(0, 1);
    loaded.set.setDisabled(1000, 1);
    const auto saved = loaded.set.disabledFlags();
    loaded.set.saveProfile(loaded.dir.file("p.lmp"));
    loaded.set.setDisabled(0, 0);
    loaded.set.setDisabled(6, 0);
    loaded.set.setDisabled(1000, 0);

    loaded.set.openProfile(loaded.dir.file("p.lmp"));
    EXPECT_EQ(loaded.set.disabledFlags(), saved);
    EXPECT_EQ(loaded.set.landmarkPath(), loaded.path);
    EXPECT_EQ(loaded.set.recordCount(), 12);
    EXPECT_EQ(loaded.set.currentFileName(), "lndmrks1.dat");
}

class ProfileOpen : public ::testing::Test {
  protected:
    // Record 7 has type 6 with sub-type 0x21, record 8 type 0; the rest cities.
    std::string landmarkFile(int count, const char* name = "l.dat") {
        LandmarkFileBuilder builder;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t type = i == 7 ? 6 : i == 8 ? 0 : 1;
            builder.add(makeRecord(static_cast<std::uint16_t>(i), type, i == 7 ? 0x21 : 3, 0, "L"));
        }
        return builder.writeTo(dir.path() / name);
    }
    std::string profile(const std::vector<std::uint8_t>& bytes, const char* name = "p.lmp") {
        writeBytes(dir.path() / name, bytes);
        return dir.file(name);
    }
    TempDir dir;
    LandmarkSet set;
};

TEST_F(ProfileOpen, FlagsApplyByIndexToAFileWithFewerRecords) {
    const std::string file = landmarkFile(10);
    set.openProfile(profile(profileBytes(file, 600, {{3, 1}, {9, 1}, {10, 1}, {599, 1}, {1023, 1}})));
    EXPECT_EQ(set.recordCount(), 10);
    EXPECT_EQ(set.profileCount(), 10); // the stored count is replaced by the load
    for (std::size_t i = 0; i < 1024; ++i) {
        const bool off = i == 3 || i == 9 || i == 10 || i == 599 || i == 1023;
        EXPECT_EQ(set.disabledFlag(i), off ? 1 : 0) << "flag " << i;
    }
}

TEST_F(ProfileOpen, FlagsApplyByIndexToAFileWithMoreRecords) {
    const std::string file = landmarkFile(40);
    set.openProfile(profile(profileBytes(file, 5, {{2, 1}, {30, 1}})));
    EXPECT_EQ(set.recordCount(), 40);
    EXPECT_EQ(set.disabledFlag(2), 1);
    EXPECT_EQ(set.disabledFlag(30), 1);
    EXPECT_EQ(set.disabledFlag(7), 0); // type 6 in the file, but the profile says active
}

TEST_F(ProfileOpen, FlagValuesAboveOneAreKeptAndSwitchOff) {
    const std::string file = landmarkFile(10);
    // 2 is the largest flag a profile holds, 1024 the largest count.
    set.openProfile(profile(profileBytes(file, 1024, {{1, 2}, {4, 2}})));
    EXPECT_EQ(set.disabledFlag(1), 2);
    EXPECT_EQ(set.disabledFlag(4), 2);
    set.writeLandmarkFile(dir.file("out.dat"));
    const auto bytes = readBytes(dir.path() / "out.dat");
    EXPECT_EQ(bytes[100 + 1 * 63 + 4], 6);
    EXPECT_EQ(bytes[100 + 4 * 63 + 4], 6);
    EXPECT_EQ(set.disabledFlag(1), 2);
}

TEST_F(ProfileOpen, ActiveTypeSixKeepsItsSubTypeAndSwitchedOffTypeZeroBecomesTypeSix) {
    const std::string file = landmarkFile(10);
    set.openProfile(profile(profileBytes(file, 10, {{8, 1}})));
    EXPECT_EQ(set.disabledFlag(7), 0);
    EXPECT_EQ(set.disabledFlag(8), 1);
    set.writeLandmarkFile(dir.file("out.dat"));
    const auto bytes = readBytes(dir.path() / "out.dat");
    EXPECT_EQ(bytes[100 + 7 * 63 + 4], 6);
    EXPECT_EQ(bytes[100 + 7 * 63 + 5], 0x21);
    EXPECT_EQ(bytes[100 + 8 * 63 + 4], 6);
    EXPECT_EQ(bytes[100 + 8 * 63 + 5], 0xAC);
}

TEST_F(ProfileOpen, PathBytesAfterTheTerminatorComeFromTheProfile) {
    const std::string file = landmarkFile(10);
    auto bytes = profileBytes(file, 10, {});
    bytes[file.size() + 1] = 'Z';
    bytes[127] = 'Q';
    set.openProfile(profile(bytes));
    EXPECT_EQ(set.landmarkPath(), file);
    EXPECT_EQ(set.landmarkPathBytes()[file.size() + 1], 'Z');
    EXPECT_EQ(set.landmarkPathBytes()[127], 'Q');
}

TEST_F(ProfileOpen, AReadOnlyProfileOpens) {
    const std::string path = profile(profileBytes(landmarkFile(10), 10, {{5, 1}}));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    set.openProfile(path);
    EXPECT_EQ(set.disabledFlag(5), 1);
}

struct ProfileFailure {
    const char* name;
    // Given the folder and an existing landmark file in it, makes the profile and returns its path.
    std::function<std::string(const fs::path&, const std::string&)> make;
    const char* message;
};

std::string writeProfile(const fs::path& dir, const std::vector<std::uint8_t>& bytes) {
    writeBytes(dir / "p.lmp", bytes);
    return (dir / "p.lmp").string();
}

const ProfileFailure kProfileFailures[] = {
    {"ShortProfile",
     [](const fs::path& d, const std::string& file) {
         auto bytes = profileBytes(file, 3, {{0, 1}});
         bytes.resize(1153);
         return writeProfile(d, bytes);
     },
     "Read beyond end of file"},
    {"EmptyFile", [](const fs::path& d, const std::string&) { return writeProfile(d, {}); },
     "Read beyond end of file"},
    {"EmptyStoredPath",
     [](const fs::path& d, const std::string&) {
         return writeProfile(d, profileBytes("", 3, {{0, 1}}));
     },
     "The profile names no landmark file."},
    {"StoredFileMissing",
     [](const fs::path& d, const std::string&) {
         return writeProfile(d, profileBytes((d / "gone.dat").string(), 3, {{0, 1}}));
     },
     "File not found"},
    {"StoredFileUnreadable",
     [](const fs::path& d, const std::string&) {
         writeBytes(d / "bad.dat", std::vector<std::uint8_t>(20, 0));
         return writeProfile(d, profileBytes((d / "bad.dat").string(), 3, {{0, 1}}));
     },
     "Read beyond end of file"},
    {"StoredFileHoldsNoRecords",
     [](const fs::path& d, const std::string&) {
         LandmarkFileBuilder().addMany(2).headerCount(0).writeTo(d / "zero.dat");
         return writeProfile(d, profileBytes((d / "zero.dat").string(), 3, {{0, 1}}));
     },
     "Invalid landmark file: it holds 0 records; a landmark file holds 1 to 1024."},
    // Not a profile at all: refused with the reason, whatever else the bytes would do.
    {"LongerThanAProfile",
     [](const fs::path& d, const std::string& file) {
         auto bytes = profileBytes(file, 3, {{0, 1}});
         bytes.push_back(0);
         return writeProfile(d, bytes);
     },
     "Invalid profile: it is longer than 1154 bytes; a profile is exactly 1154 bytes."},
    {"LandmarkFileGivenAsProfile",
     [](const fs::path& d, const std::string&) {
         return LandmarkFileBuilder().addMany(300).writeTo(d / "p.lmp");
     },
     "Invalid profile: it is longer than 1154 bytes; a profile is exactly 1154 bytes."},
    {"PatternedBytes",
     [](const fs::path& d, const std::string&) {
         return writeProfile(d, std::vector<std::uint8_t>(1154, 0xA5));
     },
     "Invalid profile: the landmark file's path has no terminating zero byte within its 128 bytes."},
    {"CountAbove1024",
     [](const fs::path& d, const std::string& file) { return writeProfile(d, profileBytes(file, 1025, {})); },
     "Invalid profile: it counts 1025 records; a landmark file holds at most 1024."},
    {"FlagAboveTwo",
     [](const fs::path& d, const std::string& file) {
         return writeProfile(d, profileBytes(file, 3, {{2, 1}, {4, 0xFF}, {9, 3}}));
     },
     "Invalid profile: the flag of record 5 is 255; a flag is 0, 1 or 2."},
    {"LastFlagThree",
     [](const fs::path& d, const std::string& file) {
         return writeProfile(d, profileBytes(file, 3, {{1023, 3}}));
     },
     "Invalid profile: the flag of record 1024 is 3; a flag is 0, 1 or 2."},
    {"ProfileMissing", [](const fs::path& d, const std::string&) { return (d / "none.lmp").string(); },
     "File not found"},
    {"ProfileIsAFolder",
     [](const fs::path& d, const std::string&) {
         fs::create_directory(d / "p.lmp");
         return (d / "p.lmp").string();
     },
     "File access denied"},
};

class ProfileOpenFailure : public ::testing::TestWithParam<ProfileFailure> {};

TEST_P(ProfileOpenFailure, LeavesTheSetExactlyAsItWas) {
    LoadedSet loaded;
    TempDir other;
    const std::string file = LandmarkFileBuilder().addMany(3).writeTo(other.path() / "three.dat");
    const std::string path = GetParam().make(other.path(), file);
    const auto before = stateOf(loaded.set);
    EXPECT_EQ(messageOf([&] { loaded.set.openProfile(path); }), GetParam().message);
    EXPECT_TRUE(stateOf(loaded.set) == before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileOpenFailure, ::testing::ValuesIn(kProfileFailures),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ProfileOpenFailure, AStoredPathOf128BytesWithoutTerminatorIsRefused) {
    LoadedSet loaded;
    const auto before = stateOf(loaded.set);
    writeBytes(loaded.dir.path() / "p.lmp", profileBytes(std::string(128, 'x'), 3, {}));
    const std::string message = messageOf([&] { loaded.set.openProfile(loaded.dir.file("p.lmp")); });
    EXPECT_EQ(message,
              "Invalid profile: the landmark file's path has no terminating zero byte within its 128 "
              "bytes.");
    EXPECT_TRUE(stateOf(loaded.set) == before);
}

// Whatever the editor can reach, the profile it writes reads back as a profile.
TEST(ProfileSave, EveryProfileTheProgramWritesReadsBack) {
    TempDir dir;
    // A path of 127 bytes, the longest the set keeps.
    const std::string longName(126 - dir.path().string().size(), 'n');
    const std::string longest = LandmarkFileBuilder().addMany(1024).writeTo(dir.path() / longName);
    ASSERT_EQ(longest.size(), 127u);
    const std::string small = LandmarkFileBuilder().addMany(4).writeTo(dir.path() / "s.dat");
    writeBytes(dir.path() / "twos.lmp", profileBytes(small, 4, {{0, 2}, {1023, 2}}));

    const std::function<void(LandmarkSet&)> states[] = {
        [](LandmarkSet&) {},
        [&](LandmarkSet& set) {
            set.read(longest);
            for (std::size_t i = 0; i < kMaxRecords; ++i)
                set.setDisabled(i, 1);
        },
        [&](LandmarkSet& set) {
            set.read(longest); // its tail stays behind the shorter path
            set.openProfile(dir.file("twos.lmp"));
        },
    };
    for (std::size_t k = 0; k < std::size(states); ++k) {
        SCOPED_TRACE(k);
        auto set = std::make_unique<LandmarkSet>();
        states[k](*set);
        set->saveProfile(dir.file("out.lmp"));
        EXPECT_EQ(messageOf([&] { readProfileFile(dir.file("out.lmp")); }), "(no error)");
    }
}

TEST(ProfileSaveFailure, PartWayLeavesTheExistingProfileUntouchedAndNoTemporaryFile) {
    LoadedSet loaded;
    const std::string destination = loaded.dir.file("p.lmp");
    const std::vector<std::uint8_t> old(1154, 0x11);
    writeBytes(destination, old);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = saved;
    capped.rlim_cur = 512;
    ::setrlimit(RLIMIT_FSIZE, &capped);
    const std::string message = messageOf([&] { loaded.set.saveProfile(destination); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Disk full");
    EXPECT_EQ(readBytes(destination), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(loaded.dir.path()), {}), 2);
}

} // namespace
} // namespace korvland
