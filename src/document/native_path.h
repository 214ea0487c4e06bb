#pragma once

#include <QString>

#include <string>

namespace korvland {

// A path as the file system takes it: in the encoding Qt uses for file names, so that a
// name that is not valid UTF-8 opens the file it came from.
std::string nativePath(const QString& path);

} // namespace korvland
