#pragma once

#include <string>

namespace korvland {

// The file name as region detection compares it: lower-cased by the user's locale, in the
// file system's encoding. The document keeps this form as the set's current file name; the
// rasterizer derives the region from it the same way.
std::string regionFileName(const std::string& fileName);

} // namespace korvland
