#include "cli_runner.h"

namespace korvland::testing {

CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
              const std::filesystem::path& input) {
    return runProgram(KORVLAND_CLI_PATH, args, folder, input);
}

} // namespace korvland::testing
