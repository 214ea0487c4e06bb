#pragma once

#include <cstdint>
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

// The form in which names are compared when searched: each byte of the code page in lower
// case and without its accent ("É" and "é" become "e"), the ligatures and the sharp s
// spelled out ("Æ" becomes "ae", "ß" "ss"); every other byte stays itself. One to two bytes.
std::string_view foldCp1252Byte(std::uint8_t byte);
// The folded form of every byte of `bytes`, appended to `out`.
void appendFoldedCp1252(std::string_view bytes, std::string& out);
// The folded form written to `out`, which holds at least twice as many bytes; its length.
std::size_t foldCp1252Into(std::string_view bytes, char* out);

} // namespace korvland
