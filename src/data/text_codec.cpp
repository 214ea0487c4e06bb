#include "data/text_codec.h"

#include <array>
#include <cstdint>

namespace korvland {

namespace {

// Code points of the bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined
// keep their own value as a C1 control character.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOf(std::uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> byteOf(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<std::uint8_t>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == codePoint)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string decodeCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, codePointOf(static_cast<std::uint8_t>(c)));
    return out;
}

bool isCp1252Encodable(char32_t codePoint) {
    return byteOf(codePoint).has_value();
}

std::optional<std::string> encodeCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else {
            return std::nullopt; // four-byte sequences are beyond the code page anyway
        }
        if (i + length > utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 2 && cp < 0x80) || (length == 3 && cp < 0x800);
        const auto byte = byteOf(cp);
        if (overlong || !byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
        i += length;
    }
    return out;
}

} // namespace korvland

namespace korvland {

namespace {

// Two bytes for every byte of the code page; a second byte of zero means a fold to one.
struct FoldTable {
    std::array<std::array<char, 2>, 256> folds{};
    std::array<std::uint8_t, 256> lengths{};

    constexpr void set(unsigned byte, const char* text) {
        folds[byte][0] = text[0];
        folds[byte][1] = text[1];
        lengths[byte] = text[1] == 0 ? 1 : 2;
    }
    constexpr void setRange(unsigned first, unsigned last, const char* text) {
        for (unsigned byte = first; byte <= last; ++byte)
            set(byte, text);
    }
};

constexpr FoldTable makeFoldTable() {
    FoldTable table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        table.folds[byte][0] = static_cast<char>(byte);
        table.lengths[byte] = 1;
    }
    for (unsigned byte = 'A'; byte <= 'Z'; ++byte)
        table.folds[byte][0] = static_cast<char>(byte - 'A' + 'a');
    table.set(0x83, "f");  // ƒ
    table.set(0x8A, "s");  // Š
    table.set(0x8C, "oe"); // Œ
    table.set(0x8E, "z");  // Ž
    table.set(0x9A, "s");  // š
    table.set(0x9C, "oe"); // œ
    table.set(0x9E, "z");  // ž
    table.set(0x9F, "y");  // Ÿ
    // Capitals, then small letters: the Latin-1 half of the code page.
    for (unsigned base : {0xC0u, 0xE0u}) {
        table.setRange(base + 0x00, base + 0x05, "a"); // À..Å
        table.set(base + 0x06, "ae");                  // Æ
        table.set(base + 0x07, "c");                   // Ç
        table.setRange(base + 0x08, base + 0x0B, "e"); // È..Ë
        table.setRange(base + 0x0C, base + 0x0F, "i"); // Ì..Ï
        table.set(base + 0x10, "d");                   // Ð
        table.set(base + 0x11, "n");                   // Ñ
        table.setRange(base + 0x12, base + 0x16, "o"); // Ò..Ö
        table.set(base + 0x18, "o");                   // Ø
        table.setRange(base + 0x19, base + 0x1C, "u"); // Ù..Ü
        table.set(base + 0x1D, "y");                   // Ý
        table.set(base + 0x1E, "th");                  // Þ
    }
    table.set(0xDF, "ss"); // ß has no capital in the code page
    table.set(0xFF, "y");  // ÿ
    return table;
}

constexpr FoldTable kFoldTable = makeFoldTable();

} // namespace

std::string_view foldCp1252Byte(std::uint8_t byte) {
    return {kFoldTable.folds[byte].data(), kFoldTable.lengths[byte]};
}

std::size_t foldCp1252Into(std::string_view bytes, char* out) {
    char* end = out;
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        // Both bytes are written; the length says whether the second one counts.
        end[0] = kFoldTable.folds[byte][0];
        end[1] = kFoldTable.folds[byte][1];
        end += kFoldTable.lengths[byte];
    }
    return static_cast<std::size_t>(end - out);
}

void appendFoldedCp1252(std::string_view bytes, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + 2 * bytes.size());
    out.resize(start + foldCp1252Into(bytes, out.data() + start));
}

} // namespace korvland
