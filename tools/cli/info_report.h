#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_set.h"
#include "data/ownership_count.h"
#include "data/recovery_copy.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace korvland::cli {

// The name of a region ("Marne", ..., "Island").
std::string regionName(int region);

// The report of `info`: path, region, counts, record size, the ownership table and the
// number of switched-off records; `recovery`, when given, is the line about unsaved work an
// editor keeps for the file. `region`, when given, stands for the one the file's name gives.
std::string infoReport(const LandmarkSet& set, const std::string& recovery = {},
                       std::optional<int> region = std::nullopt);

// That line's text: "12 unsaved changes of 2026-12-08 23:14 in /path/lndmrks0.dat.1a2b.dat".
std::string recoveryLine(const RecoveryEntry& entry);

} // namespace korvland::cli
