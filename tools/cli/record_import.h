#pragma once

#include "import_table.h"

#include "data/landmark_file.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace korvland::cli {

// The bytes of the landmark file that export's rows (CSV or JSON, by content when no format
// is given) describe, written as "Save Landmark" writes: a row switched off becomes type 6 with
// sub-type 0xAC. With a template, the record size, the header's other word and every byte the
// columns do not describe (a name's bytes after its end, the exact NaN, the bytes between
// records) come from the template's record of the same index, and the bytes after its last
// record follow the last record; without one the header is the standard one with record
// size 63. The kind column is not read: the type bytes make the kind. Every record number from
// 1 to n appears once (or, in a sheet of an earlier version, every index from 0 to n - 1). Throws UserError
// naming the line and field; nothing is written then. A CSV's separator is `delimiter`, or
// found from its header line; a semicolon-separated sheet's numbers may have a decimal comma.
std::vector<std::uint8_t> importLandmarkText(std::string_view text, std::optional<ImportFormat> format,
                                             const LandmarkFileContents* templateFile,
                                             std::optional<char> delimiter = {});

} // namespace korvland::cli
