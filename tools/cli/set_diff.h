#pragma once

#include "data/set_comparison.h"

#include <string>
#include <vector>

namespace korvland::cli {

// The comparison itself is the data layer's, shared with the map window.
using korvland::diffSets;
using korvland::FieldChange;
using korvland::Pairing;
using korvland::RecordDiff;
using korvland::SetDiff;

// `record 12 "Arras": side German -> Allied; state on -> off` lines, escaped for a terminal;
// nothing when the two are the same.
std::string diffText(const SetDiff& diff);
std::string diffJson(const std::string& fileA, const std::string& fileB, const SetDiff& diff);

} // namespace korvland::cli
