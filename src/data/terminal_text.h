#pragma once

#include <string>
#include <string_view>

namespace korvland {

class UserError;

// Text as it may reach a terminal: control characters (C0, DEL, the C1 range and the
// bidirectional controls such as the right-to-left override) and bytes that are not part of
// well-formed UTF-8 are shown as \xNN, so that a file name cannot move the cursor, recolour
// the screen, set the window title or show its letters in another order. Line feeds are kept only
// when asked for (a multi-line message of our own).
std::string terminalText(std::string_view text, bool keepLineFeeds = false);
// The same, appended to `out`.
void appendTerminalText(std::string& out, std::string_view text, bool keepLineFeeds = false);

// An error as the command-line programs print it, on one line: the file it is about and ": "
// when there is one, then the message with its closing period ("I/O error 9" in the system's
// words: "Bad file descriptor."), both escaped as above.
std::string terminalErrorText(const UserError& error);

} // namespace korvland
