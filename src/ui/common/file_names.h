#pragma once

#include <Qt>

namespace korvland {

// Whether the platform's file systems tell file names apart by letter case: Windows and
// macOS ignore case, the others do not. Paths are compared and upper-cased accordingly.
constexpr Qt::CaseSensitivity fileNameCaseSensitivity() {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace korvland
