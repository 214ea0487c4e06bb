#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace korvland {

// The file layer: whole-file reads and safe replacement of files. Failures throw
// UserError with the operator-facing texts ("File not found", "Invalid filename",
// "Too many open files", "File access denied", "Read beyond end of file",
// "Disk full", "I/O error %d").

// The message for an operating-system error number met while opening or using `path`.
// ENOENT tells "File not found" from "Invalid filename" by whether the folder exists.
std::string fileErrorMessage(int errorNumber, const std::string& path);

// Reads the whole file, or its first `limit` bytes when it is longer. Needs only read
// access; refuses anything but a regular file ("File access denied").
std::vector<std::uint8_t> readWholeFile(const std::string& path,
                                        std::size_t limit = std::numeric_limits<std::size_t>::max());

// Writes `bytes` to a temporary file in the destination folder, flushes it to disk and
// renames it over `path`. On failure the destination is untouched and no temporary
// file is left behind.
void replaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace korvland
