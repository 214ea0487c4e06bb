#include "import_table.h"

#include "data/user_error.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace korvland::cli {

namespace {

// Export writes 13 columns; room for many more that a spreadsheet may add.
constexpr std::size_t kMostHeaderColumns = 256;

std::string_view withoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

[[noreturn]] void failAt(std::size_t line, const std::string& what) {
    throw UserError("line " + std::to_string(line) + ": " + what);
}

// --- CSV ---------------------------------------------------------------------------------

template <char kDelimiter> class CsvReader {
  public:
    explicit CsvReader(std::string_view text) : mText(text) {}

    bool atEnd() const { return mAt >= mText.size(); }
    std::size_t line() const { return mLine; }

    // The fields of the next record, each into the cell that `cellAt(k)` gives for the k-th
    // (whose storage is reused), and the line it starts on; empty lines are skipped. Returns
    // how many fields the record has.
    template <typename CellAt> std::size_t next(CellAt&& cellAt, std::size_t& startLine) {
        while (!atEnd() && (peek() == '\n' || (peek() == '\r' && peek(1) == '\n')))
            endOfLine();
        startLine = mLine;
        std::size_t count = 0;
        while (true) {
            field(cellAt(count++));
            if (atEnd())
                break;
            if (peek() == kDelimiter) {
                ++mAt;
                continue;
            }
            endOfLine();
            break;
        }
        return count;
    }

  private:
    char peek(std::size_t ahead = 0) const { return mAt + ahead < mText.size() ? mText[mAt + ahead] : '\0'; }

    void endOfLine() {
        if (peek() == '\r' && peek(1) == '\n')
            ++mAt;
        if (peek() != '\n')
            failAt(mLine, "a carriage return outside quotes");
        ++mAt;
        ++mLine;
    }

    // The characters that end an unquoted field, as a table: the scan looks at every byte.
    static constexpr std::array<bool, 256> kEndsUnquotedField = [] {
        std::array<bool, 256> ends{};
        for (const unsigned char c : {kDelimiter, '\r', '\n', '"'})
            ends[c] = true;
        return ends;
    }();
    static bool endsUnquotedField(char c) { return kEndsUnquotedField[static_cast<unsigned char>(c)]; }

    // Short and inlined: a file has a field for every column of every record, and nearly all
    // are unquoted.
    void field(ImportCell& cell) {
        cell.line = mLine;
        if (peek() == '"') {
            quotedField(cell);
            return;
        }
        const char* const text = mText.data();
        std::size_t end = mAt;
        while (end < mText.size() && !endsUnquotedField(text[end]))
            ++end;
        if (end < mText.size() && text[end] == '"')
            quoteInUnquotedField();
        cell.takeFromInput(std::string_view(text + mAt, end - mAt));
        mAt = end;
    }

    [[noreturn, gnu::noinline]] void quoteInUnquotedField() const {
        failAt(mLine, "a quote inside a field that is not quoted");
    }

    [[gnu::noinline]] void quotedField(ImportCell& cell) {
        ++mAt;
        const std::size_t start = mAt;
        // Runs of text between quotes go in whole; a doubled quote is one quote, and only a
        // field holding one is copied.
        std::string* unescaped = nullptr;
        while (true) {
            const std::size_t quote = mText.find('"', mAt);
            if (quote == std::string_view::npos)
                failAt(cell.line, "a quoted field is not closed");
            const std::string_view run = mText.substr(mAt, quote - mAt);
            mLine += static_cast<std::size_t>(std::count(run.begin(), run.end(), '\n'));
            if (unescaped)
                unescaped->append(run);
            mAt = quote + 1;
            if (peek() != '"') {
                if (!unescaped)
                    cell.takeFromInput(mText.substr(start, quote - start));
                break;
            }
            if (!unescaped) {
                unescaped = &cell.unescapedText();
                unescaped->append(mText.substr(start, quote - start));
            }
            *unescaped += '"';
            ++mAt;
        }
        if (!atEnd() && peek() != kDelimiter && peek() != '\n' && peek() != '\r')
            failAt(mLine, "text after a quoted field's closing quote");
    }

    std::string_view mText;
    std::size_t mAt = 0;
    std::size_t mLine = 1;
};

// --- JSON --------------------------------------------------------------------------------

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : mText(text) {}

    void rows(const RowHandler& handle) {
        expect('[', "the input does not start with \"[\"");
        ImportRow row;
        if (skipSpace() == ']') {
            ++mAt;
        } else {
            while (true) {
                object(row);
                handle(row);
                if (skipSpace() == ']') {
                    ++mAt;
                    break;
                }
                expect(',', "expected \",\" or \"]\" after a record");
            }
        }
        if (skipSpace() != '\0' || mAt < mText.size())
            failAt(mLine, "text after the closing \"]\"");
    }

  private:
    char skipSpace() {
        while (mAt < mText.size()) {
            const char c = mText[mAt];
            if (c == '\n')
                ++mLine;
            else if (c != ' ' && c != '\t' && c != '\r')
                return c;
            ++mAt;
        }
        return '\0';
    }

    void expect(char c, const char* what) {
        if (skipSpace() != c)
            failAt(mLine, what);
        ++mAt;
    }

    // Fills `row`, whose storage is reused.
    void object(ImportRow& row) {
        expect('{', "expected a record in braces");
        row.line = mLine;
        std::size_t count = 0;
        if (skipSpace() == '}') {
            ++mAt;
            row.cells.clear();
            return;
        }
        while (true) {
            if (skipSpace() != '"')
                failAt(mLine, "expected a field name in quotes");
            if (count == row.cells.size())
                row.cells.emplace_back();
            auto& [name, cell] = row.cells[count++];
            string(name);
            expect(':', "expected \":\" after a field name");
            value(name, cell);
            if (skipSpace() == '}') {
                ++mAt;
                row.cells.resize(count);
                return;
            }
            expect(',', "expected \",\" or \"}\" after a field");
        }
    }

    void value(const std::string& name, ImportCell& cell) {
        const char c = skipSpace();
        cell.line = mLine;
        if (c == '"') {
            string(cell.unescapedText());
            return;
        }
        const std::size_t start = mAt;
        while (mAt < mText.size() && isNumberCharacter(mText[mAt]))
            ++mAt;
        if (mAt == start)
            failAt(mLine, "expected a number or a text in quotes for field " + name);
        cell.takeFromInput(mText.substr(start, mAt - start));
    }

    static bool isNumberCharacter(char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
    }

    // Whether a character of a text in quotes stands for itself.
    static bool isPlain(char c) { return c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20; }

    unsigned hex4() {
        if (mAt + 4 > mText.size())
            failAt(mLine, "a \\u escape needs four hexadecimal digits");
        unsigned value = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = mText[mAt++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                failAt(mLine, "a \\u escape needs four hexadecimal digits");
            value = value * 16 + static_cast<unsigned>(digit);
        }
        return value;
    }

    static void appendUtf8(std::string& out, char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    char32_t escapedCodePoint() {
        const unsigned high = hex4();
        if (high < 0xD800 || high > 0xDFFF)
            return high;
        if (high > 0xDBFF || !mText.substr(mAt).starts_with("\\u"))
            failAt(mLine, "a \\u escape holds half of a surrogate pair");
        mAt += 2;
        const unsigned low = hex4();
        if (low < 0xDC00 || low > 0xDFFF)
            failAt(mLine, "a \\u escape holds half of a surrogate pair");
        return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
    }

    void string(std::string& out) {
        ++mAt; // the opening quote
        out.clear();
        while (true) {
            // A run of plain characters goes in whole.
            std::size_t end = mAt;
            while (end < mText.size() && isPlain(mText[end]))
                ++end;
            out.append(mText.data() + mAt, end - mAt);
            mAt = end;
            if (mAt >= mText.size())
                failAt(mLine, "a text in quotes is not closed");
            const char c = mText[mAt++];
            if (c == '"')
                return;
            if (static_cast<unsigned char>(c) < 0x20)
                failAt(mLine, "a control character inside a text in quotes");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = mAt < mText.size() ? mText[mAt++] : '\0';
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                appendUtf8(out, escapedCodePoint());
                break;
            default:
                failAt(mLine, "an unknown escape in a text in quotes");
            }
        }
    }

    std::string_view mText;
    std::size_t mAt = 0;
    std::size_t mLine = 1;
};

// Whether every byte sequence is a UTF-8 character, none in a longer form than it needs and
// none a surrogate or beyond U+10FFFF.
bool isUtf8(std::string_view text) {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = at + text.size();
    while (at < end) {
        if (*at < 0x80) {
            ++at;
            continue;
        }
        const unsigned lead = *at;
        const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || static_cast<std::size_t>(end - at) < length)
            return false;
        // The second byte's range narrows after E0, ED, F0 and F4.
        const unsigned second = at[1];
        const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (second < low || second > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((at[k] & 0xC0) != 0x80)
                return false;
        at += length;
    }
    return true;
}

// The separator the header line holds more of outside quotes: ";" (a spreadsheet's sheet in a
// language whose numbers have a decimal comma) or "," (export's).
char headerDelimiter(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '\n')
            break;
        commas += !quoted && c == ',';
        semicolons += !quoted && c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

template <char kDelimiter> void readCsvRowsSeparatedBy(std::string_view text, const RowHandler& handle) {
    CsvReader<kDelimiter> reader(text);
    std::size_t headerLine = 0;
    std::vector<ImportCell> header;
    header.resize(reader.next(
        [&header, &reader](std::size_t k) -> ImportCell& {
            // Each column costs a cell: a header of nothing but commas must not take the memory.
            if (k == kMostHeaderColumns)
                failAt(reader.line(), "the header has more than " + std::to_string(kMostHeaderColumns) +
                                          " columns; export writes far fewer");
            if (k == header.size())
                header.emplace_back();
            return header[k];
        },
        headerLine));
    ImportRow row;
    row.namesLine = headerLine;
    row.decimalComma = kDelimiter == ';';
    for (const ImportCell& cell : header)
        row.cells.emplace_back(std::string(cell.text()), ImportCell{});
    // Fields go straight into the row; those beyond the header's count only count.
    ImportCell beyond;
    const auto cellAt = [&row, &beyond](std::size_t k) -> ImportCell& {
        return k < row.cells.size() ? row.cells[k].second : beyond;
    };
    while (!reader.atEnd()) {
        const std::size_t count = reader.next(cellAt, row.line);
        if (count == 1 && row.cells[0].second.text().empty() && reader.atEnd())
            break; // the empty lines at the end
        if (count != header.size())
            failAt(row.line,
                   std::to_string(count) + " fields where the header has " + std::to_string(header.size()));
        handle(row);
        row.namesAsBefore = true;
    }
}

} // namespace

ImportFormat detectImportFormat(std::string_view text) {
    text = withoutByteOrderMark(text);
    const auto first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '[' ? ImportFormat::Json : ImportFormat::Csv;
}

void readCsvRows(std::string_view text, const RowHandler& handle, std::optional<char> delimiter) {
    text = withoutByteOrderMark(text);
    if (text.empty())
        throw UserError("the input is empty");
    if (!isUtf8(text))
        throw UserError("the sheet is not UTF-8; save it as 'CSV UTF-8'");
    if (delimiter.value_or(headerDelimiter(text)) == ';')
        readCsvRowsSeparatedBy<';'>(text, handle);
    else
        readCsvRowsSeparatedBy<','>(text, handle);
}

void readJsonRows(std::string_view text, const RowHandler& handle) {
    JsonReader(withoutByteOrderMark(text)).rows(handle);
}

} // namespace korvland::cli
