#pragma once

#include <string>
#include <string_view>

namespace korvland::cli {

// Text as it may reach a terminal: control characters (C0, DEL and the C1 range) and bytes
// that are not part of well-formed UTF-8 are shown as \xNN, so that a file name cannot
// move the cursor, recolour the screen or set the window title. Line feeds are kept only
// when asked for (a multi-line message of our own).
std::string terminalText(std::string_view text, bool keepLineFeeds = false);

} // namespace korvland::cli
