#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvland {

// Names and paths in the files are 8-bit text. For display and editing they are
// decoded from and encoded to Windows-1252. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the
// same value, so that every byte string survives a decode and encode unchanged.

// Bytes to UTF-8.
std::string decodeCp1252(std::string_view bytes);

// UTF-8 to bytes; nothing when a character has no Windows-1252 code or the UTF-8 is broken.
std::optional<std::string> encodeCp1252(std::string_view utf8);

// Whether one Unicode code point has a Windows-1252 byte.
bool isCp1252Encodable(char32_t codePoint);

} // namespace korvland
