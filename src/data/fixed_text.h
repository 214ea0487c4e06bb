#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvland {

// The text of a fixed-width field (a name, a stored path): its bytes up to the first
// zero byte, or all of them when there is none.
std::string fixedFieldText(std::span<const std::uint8_t> field);

// ASCII lower-casing, as names are compared in the files and the settings: 'A' to 'Z'
// become 'a' to 'z' and every other byte, also of 8-bit text, stays as it is.
char asciiLower(char c);
std::string asciiLowerCased(std::string_view text);

// Blanks, as the settings file's names and values are read: space, tab, vertical tab and
// form feed (never a line end).
bool isBlank(char c);
// The text without the blanks around it.
std::string trimmedBlanks(std::string_view text);

} // namespace korvland
