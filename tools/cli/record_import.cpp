#include "record_import.h"

#include "record_text.h"

#include "data/text_codec.h"
#include "data/user_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace korvland::cli {

namespace {

enum Column : std::size_t {
    Number,
    LandmarkId,
    AuxWord,
    LoFileType,
    LoFileNo,
    Side,
    Kind,
    NorthSouth,
    EastWest,
    Elevation,
    Rotation,
    Name,
    Disabled
};

// A row's cells by column, each checked to be there once.
using RowCells = std::array<const ImportCell*, kExportColumns.size()>;

[[noreturn]] void fail(const ImportCell& cell, Column column, const std::string& what) {
    throw UserError("line " + std::to_string(cell.line) + ", field " + std::string(kExportColumns[column]) +
                    ": " + what);
}

std::string shown(std::string_view text) {
    return text.empty() ? "an empty field" : std::string(text);
}

// A cell's text that is not what its column holds, as "<text> <what>". Out of line: the
// readers below run for every field, and only a bad one needs the message.
[[noreturn, gnu::noinline]] void failText(const ImportCell& cell, Column column, const char* what) {
    fail(cell, column, shown(cell.text()) + what);
}

[[noreturn, gnu::noinline]] void failDecimal(const ImportCell& cell, Column column, unsigned min,
                                             unsigned max) {
    fail(cell, column,
         shown(cell.text()) + " is not a number from " + std::to_string(min) + " to " + std::to_string(max));
}

// The column of a cell's name; rows name their columns in the same order as a rule, so the
// column at the same place in the row before is tried first.
std::size_t columnOf(const std::string& name, std::size_t place, std::vector<std::size_t>& columnAt,
                     std::size_t line) {
    if (place < columnAt.size() && kExportColumns[columnAt[place]] == name)
        return columnAt[place];
    if (name == kOldIndexColumn)
        return Number;
    const auto found = std::find(kExportColumns.begin(), kExportColumns.end(), name);
    if (found == kExportColumns.end())
        throw UserError("line " + std::to_string(line) + ": \"" + name + "\" is not one of export's columns");
    const auto column = static_cast<std::size_t>(found - kExportColumns.begin());
    if (place >= columnAt.size())
        columnAt.resize(place + 1, 0);
    columnAt[place] = column;
    return column;
}

RowCells cellsOf(const ImportRow& row, std::vector<std::size_t>& columnAt) {
    RowCells cells{};
    // The same names as the row before, which had every column once: the same places.
    if (row.namesAsBefore && columnAt.size() == row.cells.size()) {
        for (std::size_t place = 0; place < row.cells.size(); ++place)
            cells[columnAt[place]] = &row.cells[place].second;
        return cells;
    }
    // A fault of the names is on the line that names them: a sheet's header.
    for (std::size_t place = 0; place < row.cells.size(); ++place) {
        const auto& [name, cell] = row.cells[place];
        const std::size_t namesLine = row.namesLine != 0 ? row.namesLine : cell.line;
        const std::size_t column = columnOf(name, place, columnAt, namesLine);
        if (cells[column] != nullptr)
            throw UserError("line " + std::to_string(namesLine) + ", field " + name + ": given twice");
        cells[column] = &cell;
    }
    for (std::size_t column = 0; column < cells.size(); ++column)
        if (cells[column] == nullptr)
            throw UserError("line " + std::to_string(row.namesLine != 0 ? row.namesLine : row.line) +
                            ": no field " + std::string(kExportColumns[column]));
    return cells;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned decimal(const RowCells& cells, Column column, unsigned max) {
    const ImportCell& cell = *cells[column];
    const std::string_view text = cell.text();
    unsigned value = 0;
    bool read = !text.empty();
    // Up to nine digits cannot overflow: they are read here, longer texts by the library.
    if (text.size() <= 9) {
        for (const char c : text) {
            read = read && isDigit(c);
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
    } else {
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, value);
        read = error == std::errc() && ptr == end;
    }
    if (!read || value > max)
        failDecimal(cell, column, 0, max);
    return value;
}

// One or two hexadecimal digits, either case.
std::uint8_t hexadecimal(const RowCells& cells, Column column) {
    const ImportCell& cell = *cells[column];
    const std::string_view text = cell.text();
    unsigned value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) {
            value = 256;
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    if (text.empty() || text.size() > 2 || value > 255)
        failText(cell, column, " is not a byte in hexadecimal, 00 to FF");
    return static_cast<std::uint8_t>(value);
}

// A number of at most seven digits with or without a point and a minus sign ("49.017", "-0",
// "130"), the bulk of export's floats, read without the general parser where that is exact:
// its digits m stay below 2^24 and its power of ten 10^k at or below 10^7, both exact in a
// float, so that one float division rounds m / 10^k exactly as the parser rounds the text.
std::optional<float> shortDecimal(std::string_view text) {
    constexpr std::size_t kMostDigits = 7;
    static constexpr float kPowersOfTen[kMostDigits + 1] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    // Seven digits and a point at most; a longer text goes to the parser.
    if (text.empty() || text.size() > kMostDigits + 1)
        return std::nullopt;
    std::uint32_t digits = 0;
    std::size_t pointAt = text.size(); // none yet
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (isDigit(c))
            digits = digits * 10 + static_cast<std::uint32_t>(c - '0');
        else if (c == '.' && pointAt == text.size())
            pointAt = k;
        else
            return std::nullopt;
    }
    const bool point = pointAt < text.size();
    const std::size_t count = text.size() - (point ? 1 : 0);
    if (count == 0 || count > kMostDigits)
        return std::nullopt;
    const std::size_t afterPoint = point ? text.size() - pointAt - 1 : 0;
    const float value = static_cast<float>(digits) / kPowersOfTen[afterPoint];
    return negative ? -value : value;
}

// Export's float text: the shortest digits, or nan, inf and -inf. A NaN the template holds
// keeps its exact bits, which the text cannot carry.
[[gnu::noinline]] float parsedReal(std::string_view text, const ImportCell& cell, Column column,
                                   float templateValue) {
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end)
        failText(cell, column, " is not a number a landmark file can hold");
    return std::isnan(value) && std::isnan(templateValue) ? templateValue : value;
}

// A decimal comma read as a point, in a copy of the cell's text.
[[gnu::noinline]] float realWithDecimalComma(const ImportCell& cell, Column column, float templateValue) {
    std::string text(cell.text());
    std::replace(text.begin(), text.end(), ',', '.');
    const std::optional<float> quick = shortDecimal(text);
    return quick ? *quick : parsedReal(text, cell, column, templateValue);
}

float real(const RowCells& cells, Column column, float templateValue, bool decimalComma) {
    const ImportCell& cell = *cells[column];
    if (decimalComma && cell.text().find(',') != std::string_view::npos)
        return realWithDecimalComma(cell, column, templateValue);
    const std::optional<float> quick = shortDecimal(cell.text());
    return quick ? *quick : parsedReal(cell.text(), cell, column, templateValue);
}

// The name as the name box writes it: Windows-1252 bytes, at most 40, then one zero byte when
// shorter; the bytes after that zero stay as the template has them.
void putName(const RowCells& cells, LandmarkRecord& record) {
    const ImportCell& cell = *cells[Name];
    const std::string_view text = cell.text();
    // ASCII is the same in both, and most names are nothing else.
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::optional<std::string> encoded;
    if (!ascii && !(encoded = encodeCp1252(text)))
        fail(cell, Name,
             "\"" + std::string(text) +
                 "\" holds a character a landmark name cannot hold (Windows-1252 only)");
    const std::string_view bytes = ascii ? text : std::string_view(*encoded);
    if (bytes.find('\0') != std::string_view::npos)
        fail(cell, Name, "a landmark name cannot hold a zero character");
    if (bytes.size() > kNameSize)
        fail(cell, Name,
             "the name takes " + std::to_string(bytes.size()) + " bytes; a landmark name holds 40");
    std::copy(bytes.begin(), bytes.end(), record.name.begin());
    if (bytes.size() < kNameSize)
        record.name[bytes.size()] = 0;
}

// Fills `record`, which starts as the template's, from one row; returns the switched-off flag.
bool readRecord(const RowCells& cells, LandmarkRecord& record, bool decimalComma) {
    const LandmarkRecord before = record;
    record.landmarkId = static_cast<std::uint16_t>(decimal(cells, LandmarkId, 65535));
    record.auxWord = static_cast<std::uint16_t>(decimal(cells, AuxWord, 65535));
    record.loFileType = hexadecimal(cells, LoFileType);
    record.loFileNo = hexadecimal(cells, LoFileNo);
    // The editor stores 0 or 1; another byte stays only where the template already holds it.
    const unsigned side = decimal(cells, Side, 255);
    if (side > 1 && side != before.side)
        fail(*cells[Side], Side, std::to_string(side) + " is not 0 or 1");
    record.side = static_cast<std::uint8_t>(side);
    // The kind follows from the type bytes; a sheet's kind column is not read.
    record.northSouth = real(cells, NorthSouth, before.northSouth, decimalComma);
    record.eastWest = real(cells, EastWest, before.eastWest, decimalComma);
    record.elevation = real(cells, Elevation, before.elevation, decimalComma);
    record.rotation = real(cells, Rotation, before.rotation, decimalComma);
    putName(cells, record);
    const ImportCell& disabled = *cells[Disabled];
    if (disabled.text() != "0" && disabled.text() != "1")
        fail(disabled, Disabled, shown(disabled.text()) + " is not 0 or 1");
    return disabled.text() == "1";
}

} // namespace

std::vector<std::uint8_t> importLandmarkText(std::string_view text, std::optional<ImportFormat> format,
                                             const LandmarkFileContents* templateFile,
                                             std::optional<char> delimiter) {
    std::vector<LandmarkRecord> records(kMaxRecords);
    std::vector<std::size_t> lineOf(kMaxRecords, 0); // of the row with each index, 0 for none yet
    std::vector<std::size_t> indexOf;                // of each row
    indexOf.reserve(kMaxRecords);
    std::vector<std::size_t> columnAt;
    bool fromZero = false;
    const auto take = [&](const ImportRow& row) {
        if (indexOf.size() == kMaxRecords)
            throw UserError("the input holds more than 1024 records; a landmark file holds 1 to 1024");
        const RowCells cells = cellsOf(row, columnAt);
        // A sheet of an earlier version numbers its rows from 0, in a column named "index".
        if (!row.namesAsBefore)
            fromZero = std::any_of(row.cells.begin(), row.cells.end(),
                                   [](const auto& cell) { return cell.first == kOldIndexColumn; });
        const unsigned number = decimal(cells, Number, fromZero ? kMaxRecords - 1 : kMaxRecords);
        if (number == 0 && !fromZero)
            failDecimal(*cells[Number], Number, 1, kMaxRecords);
        const std::size_t index = fromZero ? number : number - 1;
        if (lineOf[index] != 0)
            fail(*cells[Number], Number,
                 std::to_string(number) + " is the number of line " + std::to_string(lineOf[index]) + " too");
        lineOf[index] = row.line;
        indexOf.push_back(index);
        LandmarkRecord& record = records[index];
        if (templateFile && index < templateFile->records.size())
            record = templateFile->records[index];
        if (readRecord(cells, record, row.decimalComma)) {
            record.loFileType = kDisabledType;
            record.loFileNo = kDisabledSubType;
        }
    };
    if (format.value_or(detectImportFormat(text)) == ImportFormat::Json)
        readJsonRows(text, take);
    else
        readCsvRows(text, take, delimiter);

    const std::size_t count = indexOf.size();
    if (count == 0)
        throw UserError("the input holds 0 records; a landmark file holds 1 to 1024");
    // The indices are distinct: they are 0 to n - 1 exactly when none is n or more.
    for (const std::size_t index : indexOf)
        if (index >= count)
            throw UserError(
                "line " + std::to_string(lineOf[index]) + ", field " +
                std::string(fromZero ? kOldIndexColumn : kExportColumns[Number]) + ": " +
                std::to_string(fromZero ? index : index + 1) + " is not a number from " +
                (fromZero ? "0 to " + std::to_string(count - 1) : "1 to " + std::to_string(count)));
    records.resize(count);
    const std::uint16_t recordSize = templateFile ? templateFile->recordSize : kRecordFieldsSize;
    const std::uint16_t headerAuxWord = templateFile ? templateFile->headerAuxWord : 0;
    // The template's unknown bytes by record index (zero after records it does not have), and
    // its bytes after the last record after this file's last.
    return encodeLandmarkFile(static_cast<std::uint16_t>(count), recordSize, headerAuxWord, records,
                              templateFile ? templateFile->unknown : UnknownBytes{});
}

} // namespace korvland::cli
