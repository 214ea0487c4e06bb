#pragma once

#include <QIcon>
#include <QImage>

namespace korvland {

// The program's icon, 32 x 32 in sixteen colours: a surveyor's flag over a map grid.
QImage programIconImage();
QIcon programIcon();

} // namespace korvland
