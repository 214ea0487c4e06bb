#pragma once

#include "data/landmark_set.h"
#include "data/value_text.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvland::cli {

// The columns of export, in order; import reads the same names. The first is the editor's
// record number, from 1.
inline constexpr std::array<std::string_view, 13> kExportColumns{
    "record",     "landmarkId", "auxWord",   "loFileType", "loFileNo", "side",    "kind",
    "northSouth", "eastWest",   "elevation", "rotation",   "name",     "disabled"};
// The first column's name in sheets of earlier versions, which counted from 0.
inline constexpr std::string_view kOldIndexColumn = "index";

// The value texts the editor and the comparison share.
using korvland::floatText;
using korvland::hexByte;

// One row per record of the set, in record order, with a header row; RFC 4180 quoting
// and CRLF line ends. Names keep their exact text, so that a file or a pipe reads back the
// same; for a terminal (`forTerminal`) their control characters are shown as \xNN instead.
std::string exportCsv(const LandmarkSet& set, bool forTerminal = false);

// An array of one object per record; floats that have no JSON number are strings.
std::string exportJson(const LandmarkSet& set);

} // namespace korvland::cli
