#include "cli_runner.h"
#include "support/build_paths.h"

namespace korvland::testing {

CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
              const std::filesystem::path& input) {
    return runProgram(korvland::testing::build::cliProgram, args, folder, input);
}

} // namespace korvland::testing
