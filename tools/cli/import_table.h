#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvland::cli {

// One value of an imported row, as text (a JSON string unescaped, a JSON number as written),
// with the line it starts on.
struct ImportCell {
    std::string text;
    std::size_t line = 0;
};

// One record's row: a cell per column name, in the order the input gave them.
struct ImportRow {
    std::size_t line = 0;
    std::vector<std::pair<std::string, ImportCell>> cells;
};

enum class ImportFormat { Csv, Json };

// JSON when the first character other than white space (after a UTF-8 byte-order mark) is
// "[", CSV otherwise.
ImportFormat detectImportFormat(std::string_view text);

// Each row in turn; the row's storage is reused for the next, so that a long input takes no
// more memory than one row.
using RowHandler = std::function<void(const ImportRow&)>;

// A header row naming the columns, then one row per record; RFC 4180 quoting, lines ended by
// CRLF or LF, empty lines skipped. Throws UserError naming the line.
void readCsvRows(std::string_view text, const RowHandler& handle);

// An array of objects whose values are strings or numbers. Throws UserError naming the line.
void readJsonRows(std::string_view text, const RowHandler& handle);

} // namespace korvland::cli
