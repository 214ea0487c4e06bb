#pragma once

#include "data/landmark_kind.h"
#include "data/landmark_set.h"
#include "data/ownership_count.h"

#include <array>
#include <cstddef>
#include <string>

namespace korvland::cli {

// The name of a region ("Marne", ..., "Island").
std::string regionName(int region);

// The report of `info`: path, region, counts, record size, the ownership table and the
// number of switched-off records.
std::string infoReport(const LandmarkSet& set);

} // namespace korvland::cli
