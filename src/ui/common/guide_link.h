#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace korvland {

// The operator's guide: HTML pages, one per task, made with the program.
namespace guide_pages {
inline constexpr char kStart[] = "getting-started.html";
inline constexpr char kMap[] = "map.html";
inline constexpr char kTables[] = "tables.html";
} // namespace guide_pages

// Where the guide is: the "guide" folder beside the program (a build folder), else the
// installed one (share/doc/korvland/guide beside the program's bin folder).
QString guideFolder();

// A page of the guide as a URL the desktop's browser opens.
QUrl guidePage(const QString& page);

// F1 in `window` opens `page` of the guide in the desktop's browser. The window's menus stay
// as they are: the key is the window's own, not a menu entry's.
void openGuideOnF1(QWidget& window, const char* page);

} // namespace korvland
