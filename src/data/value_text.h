#pragma once

#include <cstdint>
#include <string>

namespace korvland {

// The shortest text that reads back to the same 32-bit float; "nan", "inf" and "-inf"
// for the values that have no digits.
std::string floatText(float value);

// Two upper-case hexadecimal digits, as the editor shows type and sub-type.
std::string hexByte(std::uint8_t value);

} // namespace korvland
