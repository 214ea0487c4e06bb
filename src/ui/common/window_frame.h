#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace korvland {

// The frame the window manager draws around `window` (title bar and borders): what it
// reported for this window, else what it drew around another window of the program,
// else none (the window system draws no frames, or none has been seen yet).
QMargins frameMarginsOf(const QWidget& window);

// The window's outer frame in virtual-desktop coordinates, as it is or, before the
// window manager has framed it, as it will be.
QRect outerFrameOf(const QWidget& window);

// Whether the window system lets the program place its windows and tells where they
// are (not on Wayland, where the compositor places them).
bool platformPlacesWindows();

// Places and sizes `window` so that its outer frame becomes `frame`.
void setOuterFrame(QWidget& window, const QRect& frame);

} // namespace korvland
