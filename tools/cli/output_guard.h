#pragma once

#include "data/file_kind.h"

#include <string>
#include <vector>

namespace korvland::cli {

// Every command that writes a file calls this first, before it reads anything. It refuses
// (UserError) an output that is the same file as one of `inputs` (links followed), and an
// existing output that holds the other kind of file than the command writes (`writing` is
// Landmarks or Profile): both are an operator's slip far more often than the intent, and
// either would lose a file for good.
void guardOutput(const std::string& output, FileKind writing, const std::vector<std::string>& inputs);

} // namespace korvland::cli
