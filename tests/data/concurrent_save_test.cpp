// Saves of one file that run at once, or die at any moment, leave one whole content behind:
// many processes, bounded loops of a few hundred rounds.

#include "data/file_io.h"
#include "data/set_state.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvland {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// A folder in memory where the machine has one: a few hundred rounds of flushed saves on a
// disk would take minutes.
struct FastFolder {
    FastFolder() {
        char name[] = "/dev/shm/korvland-test-XXXXXX";
        mOwn = ::mkdtemp(name) ? name : "";
    }
    ~FastFolder() {
        std::error_code ignored;
        fs::remove_all(mOwn, ignored);
    }
    fs::path path() const { return mOwn.empty() ? mFallback.path() : mOwn; }
    TempDir mFallback;
    fs::path mOwn;
};

// Contents of different sizes, so that a mix of two shows in the length as well.
std::vector<std::uint8_t> contentNumber(int k) {
    return std::vector<std::uint8_t>(static_cast<std::size_t>(5000 + 3000 * k),
                                     static_cast<std::uint8_t>(k + 1));
}

bool isOneOf(const std::vector<std::uint8_t>& bytes, int count) {
    return !bytes.empty() && bytes[0] <= count && bytes == contentNumber(bytes[0] - 1);
}

struct Race {
    const char* name;
    bool hardLinked; // a second link makes every save copy over the file in place
};

const Race kRaces[] = {{"InPlace", true}, {"Renamed", false}};

class ConcurrentSaves : public ::testing::TestWithParam<Race> {
  protected:
    FastFolder dir;
};

// Four saves at once take turns: each succeeds, and the file holds one of them whole.
TEST_P(ConcurrentSaves, TakeTurnsAndLeaveOneWholeContent) {
    const fs::path file = dir.path() / "dest.dat";
    writeBytes(file, contentNumber(4));
    if (GetParam().hardLinked)
        fs::create_hard_link(file, dir.path() / "other.dat");
    constexpr int kWriters = 4;
    const auto saved = [&](int k) {
        return testing::messageOf([&] { replaceFileAtomically(file.string(), contentNumber(k)); }) ==
               "(no error)";
    };
    for (int round = 0; round < 150; ++round) {
        pid_t writers[kWriters];
        for (int k = 0; k < kWriters; ++k) {
            writers[k] = ::fork();
            if (writers[k] == 0)
                ::_exit(saved(k) ? 0 : 1);
        }
        for (const pid_t writer : writers) {
            int status = -1;
            ::waitpid(writer, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        ASSERT_TRUE(isOneOf(readBytes(file), kWriters + 1)) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConcurrentSaves, ::testing::ValuesIn(kRaces),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Reads while another program saves a hard-linked file in place, over and over, each see one
// content whole: a read holds the shared lock for its whole course.
TEST(ReadDuringInPlaceSaves, SeesOneWholeContent) {
    FastFolder dir;
    const fs::path file = dir.path() / "dest.dat";
    const auto large = [](int k) {
        return std::vector<std::uint8_t>(std::size_t{1} << 20, static_cast<std::uint8_t>(k));
    };
    writeBytes(file, large(1));
    fs::create_hard_link(file, dir.path() / "other.dat");
    const pid_t saver = ::fork();
    if (saver == 0) {
        // A pause between saves, as between an operator's: a reader waits for one save, not for ever.
        for (int k = 2;; k = 3 - k) {
            replaceFileAtomically(file.string(), large(k));
            ::usleep(2000);
        }
    }
    for (int read = 0; read < 150; ++read) {
        const std::vector<std::uint8_t> bytes = readWholeFile(file.string());
        ASSERT_TRUE(bytes == large(1) || bytes == large(2)) << "read " << read;
    }
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);
}

// A save of a hard-linked file killed at a random moment leaves, once the file is next read,
// the old contents or the new ones whole, the file itself mended; a later save cleans up.
TEST(KilledSave, AtAnyMomentLeavesTheOldOrTheNewContentsWhole) {
    FastFolder dir;
    const fs::path file = dir.path() / "dest.dat";
    writeBytes(file, contentNumber(0));
    fs::create_hard_link(file, dir.path() / "other.dat");
    std::mt19937 random(20261208);
    for (int run = 0; run < 300; ++run) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            for (int k = 1;; k = 3 - k)
                replaceFileAtomically(file.string(), contentNumber(k));
        }
        ::usleep(static_cast<useconds_t>(random() % 3000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const std::vector<std::uint8_t> read = readWholeFile(file.string());
        ASSERT_TRUE(isOneOf(read, 3)) << "run " << run << ": " << read.size() << " bytes";
        ASSERT_EQ(readBytes(dir.path() / "other.dat"), read) << "run " << run;
    }
    replaceFileAtomically(file.string(), contentNumber(0));
    EXPECT_EQ(testing::namesIn(dir.path()), (std::set<std::string>{"dest.dat", "other.dat"}));
}

} // namespace
} // namespace korvland
