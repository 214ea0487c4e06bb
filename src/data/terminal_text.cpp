#include "data/terminal_text.h"

#include "data/user_error.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvland {

namespace {

void appendEscaped(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x",
                      static_cast<unsigned>(static_cast<std::uint8_t>(c)));
        out += escaped;
    }
}

// The length of the well-formed UTF-8 sequence at the start of `text`, and its code point;
// a length of 0 when there is none.
std::size_t utf8Sequence(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<std::uint8_t>(text[0]);
    std::size_t length = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<std::uint8_t>(text[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool isControl(char32_t codePoint) {
    // The bidirectional marks, embeddings, overrides and isolates reorder what follows them:
    // a right-to-left override makes "exe.txt" read as "txt.exe".
    const bool bidi = codePoint == 0x061C || codePoint == 0x200E || codePoint == 0x200F ||
                      (codePoint >= 0x202A && codePoint <= 0x202E) ||
                      (codePoint >= 0x2066 && codePoint <= 0x2069);
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F) || bidi;
}

// Printable ASCII, the bulk of every message: it goes through as it stands.
bool isPlainAscii(char c) {
    return c >= 0x20 && c < 0x7F;
}

} // namespace

void appendTerminalText(std::string& out, std::string_view text, bool keepLineFeeds) {
    while (!text.empty()) {
        // A run of printable ASCII goes in whole; only the rest is looked at sequence by sequence.
        const auto plain =
            static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), isPlainAscii) - text.begin());
        if (plain > 0) {
            out += text.substr(0, plain);
            text.remove_prefix(plain);
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, codePoint);
        if (length == 0) {
            appendEscaped(out, text.substr(0, 1));
            text.remove_prefix(1);
            continue;
        }
        const bool keep = !isControl(codePoint) || (keepLineFeeds && codePoint == '\n');
        if (keep)
            out += text.substr(0, length);
        else
            appendEscaped(out, text.substr(0, length));
        text.remove_prefix(length);
    }
}

std::string terminalText(std::string_view text, bool keepLineFeeds) {
    std::string out;
    out.reserve(text.size());
    appendTerminalText(out, text, keepLineFeeds);
    return out;
}

std::string terminalErrorText(const UserError& error) {
    std::string text;
    // Appended piece by piece: GCC 12 at -O3 takes `std::string&& + ": "` for an overlapping
    // copy (-Wrestrict) and a Release build with warnings as errors would fail on it.
    if (!error.path().empty()) {
        text += terminalText(error.path());
        text += ": ";
    }
    // The message whole: what() ends at a zero byte that an imported text may hold.
    std::string message = error.message().english();
    // A system error this program has no words of its own for gets the system's.
    constexpr std::string_view kNumbered = "I/O error ";
    if (message.starts_with(kNumbered) && message.size() > kNumbered.size() &&
        std::all_of(message.begin() + kNumbered.size(), message.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        message = std::strerror(std::atoi(message.c_str() + kNumbered.size()));
    text += terminalText(withClosingPeriod(message));
    return text;
}

} // namespace korvland
