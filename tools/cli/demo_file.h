#pragma once

#include "data/landmark_record.h"

#include <cstdint>
#include <vector>

namespace korvland::cli {

// The landmarks of the demonstration file for region 0 to 4, grouped by kind: airfields
// behind the lines, cities, depots, stations, troops along the front, bridges, factories,
// balloons a little behind the front, towns, villages and a few spare blanks; the blanks and a
// few others switched off (type 6), and no two active markers on one map pixel, so that
// `check --strict` finds nothing. The same records on every run.
std::vector<LandmarkRecord> demoRecords(int region);

// The bytes of that demonstration landmark file: record size 63, header word 0.
std::vector<std::uint8_t> demoLandmarkFile(int region);

} // namespace korvland::cli
