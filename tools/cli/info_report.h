#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_set.h"

#include <array>
#include <cstddef>
#include <string>

namespace korvland::cli {

inline constexpr std::size_t kOwnershipColumnCount = std::size(kOwnershipColumns);

// The ownership table's counts: row 0 "Allied", row 1 "German".
struct OwnershipCounts {
    std::array<std::array<unsigned, kOwnershipColumnCount>, 2> cells{};
};

OwnershipCounts countOwnership(const LandmarkSet& set);

// The name of a region ("Marne", ..., "Island").
std::string regionName(int region);

// The report of `info`: path, region, counts, record size, the ownership table and the
// number of switched-off records.
std::string infoReport(const LandmarkSet& set);

} // namespace korvland::cli
