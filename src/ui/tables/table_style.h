#pragma once

#include <QFont>

namespace korvland {

// The tables' face: the window font of the editor (a regular face metric-compatible with
// Arial at 11 pixels), bold for captions.
QFont tableFont();
QFont tableBoldFont();

} // namespace korvland
