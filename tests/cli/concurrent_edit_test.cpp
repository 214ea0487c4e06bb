// Two edits of one file in place that run at once: each holds the file from its read to its
// save, so both changes survive, whichever way the save reaches the file.

#include "data/landmark_set.h"
#include "support/build_paths.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace korvland::testing {
namespace {

namespace fs = std::filesystem;

pid_t startCli(const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(korvland::testing::build::cliProgram)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(korvland::testing::build::cliProgram, argv.data());
        ::_exit(127);
    }
    return child;
}

struct EditRace {
    const char* name;
    bool hardLinked; // a second link makes every save copy over the file in place
};

const EditRace kEditRaces[] = {{"InPlace", true}, {"Renamed", false}};

class ConcurrentEdits : public ::testing::TestWithParam<EditRace> {};

TEST_P(ConcurrentEdits, BothChangesSurvive) {
    TempDir dir;
    const fs::path file = dir.path() / "lndmrks0.dat";
    LandmarkFileBuilder().addMany(64).writeTo(file);
    if (GetParam().hardLinked)
        fs::create_hard_link(file, dir.path() / "linked.dat");
    for (int round = 0; round < 64; ++round) {
        const std::string first = std::to_string(2 * (round % 32) + 1);
        const std::string second = std::to_string(2 * (round % 32) + 2);
        const pid_t editors[] = {
            startCli({"edit", file.string(), "-o", file.string(), "--records", first, "--switch-off"}),
            startCli({"edit", file.string(), "-o", file.string(), "--records", second, "--switch-off"})};
        for (const pid_t editor : editors) {
            int status = -1;
            ::waitpid(editor, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        LandmarkSet set;
        set.read(file.string());
        ASSERT_NE(set.disabledFlag(std::stoul(first) - 1), 0) << "round " << round;
        ASSERT_NE(set.disabledFlag(std::stoul(second) - 1), 0) << "round " << round;
        // Switched on again for the next round's pair.
        if (round % 32 == 31)
            LandmarkFileBuilder().addMany(64).writeTo(file);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConcurrentEdits, ::testing::ValuesIn(kEditRaces),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace korvland::testing
