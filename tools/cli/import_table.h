#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvland::cli {

// One value of an imported row, as text (a JSON string unescaped, a JSON number as written),
// with the line it starts on. A value that stands in the input as it is (most do) is not
// copied: its text is a view into the input, which must outlive the row.
class ImportCell {
  public:
    std::string_view text() const { return mUnescaped ? std::string_view(mOwnText) : mInInput; }
    void takeFromInput(std::string_view text) {
        mInInput = text;
        mUnescaped = false;
    }
    // Empty storage of the cell's own, for a value that had to be unescaped.
    std::string& unescapedText() {
        mOwnText.clear();
        mUnescaped = true;
        return mOwnText;
    }

    std::size_t line = 0;

  private:
    std::string_view mInInput;
    std::string mOwnText;
    bool mUnescaped = false;
};

// One record's row: a cell per column name, in the order the input gave them.
struct ImportRow {
    std::size_t line = 0;
    std::vector<std::pair<std::string, ImportCell>> cells;
    // The cells' names are those of the row handed over before, in the same order (every CSV
    // row after the first), so that what was worked out from them still holds.
    bool namesAsBefore = false;
    // The line that names the columns: a CSV header's; 0 where each cell's own line names its
    // column (JSON).
    std::size_t namesLine = 0;
    // Numbers may carry a decimal comma: a semicolon-separated sheet, as a spreadsheet of a
    // language that writes "49,017" saves it.
    bool decimalComma = false;
};

enum class ImportFormat { Csv, Json };

// JSON when the first character other than white space (after a UTF-8 byte-order mark) is
// "[", CSV otherwise.
ImportFormat detectImportFormat(std::string_view text);

// Each row in turn; the row's storage is reused for the next, so that a long input takes no
// more memory than one row.
using RowHandler = std::function<void(const ImportRow&)>;

// A header row naming the columns, then one row per record; RFC 4180 quoting, lines ended by
// CRLF or LF, empty lines skipped. Fields are separated by `delimiter`, or when none is given
// by what the header line holds more of outside quotes, ";" or ",". Text that is not UTF-8
// (a spreadsheet's sheet in its local code page) is refused whole. Throws UserError naming
// the line.
void readCsvRows(std::string_view text, const RowHandler& handle, std::optional<char> delimiter = {});

// An array of objects whose values are strings or numbers. Throws UserError naming the line.
void readJsonRows(std::string_view text, const RowHandler& handle);

} // namespace korvland::cli
