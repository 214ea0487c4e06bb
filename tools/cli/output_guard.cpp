#include "output_guard.h"

#include "data/file_identity.h"

namespace korvland::cli {

void guardOutput(const std::string& output, FileKind writing, const std::vector<std::string>& inputs) {
    refuseOutputThatIsAnInput(output, inputs);
    refuseOtherKind(output, writing);
}

} // namespace korvland::cli
