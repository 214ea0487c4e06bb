#pragma once

#include "settings/window_placement.h"

#include <array>
#include <chrono>
#include <functional>

class QRect;
class QWidget;

namespace korvland {

constexpr int kExplodeSteps = 40;

// The rectangles of the explode animation: step i (1 to 40) lies i/40 of the way from the
// pointer (x0, y0) to each edge of `frame`, rounded to the nearest integer, a half to
// the even neighbour. Element 0 is step 1; the last is `frame` itself.
std::array<FrameRect, kExplodeSteps> explodeSteps(int x0, int y0, const FrameRect& frame);

// The pause between two steps for an effect delay; a larger delay is slower, and the
// whole animation (twice 40 steps) at 150 takes 0.4 seconds.
std::chrono::microseconds explodePause(int effectDelay);

// Which rectangles are on the screen after `stepsDone` of the 80 steps: the first pass
// adds them one by one, the second takes them away in the same order. [first, last)
struct VisibleSteps {
    int first = 0;
    int last = 0;
    friend bool operator==(const VisibleSteps&, const VisibleSteps&) = default;
};
VisibleSteps explodeVisibleSteps(int stepsDone);

// 3 until the editor window exists, 150 after.
int effectDelay();
void setEffectDelay(int delay);

// Whether the platform lets the program draw over other windows at screen positions
// of its choosing (not on Wayland, nor without a screen).
bool explodeAvailable();

// Called from `window`'s Show event: keeps the window off the screen while the animation
// runs from the pointer to its outer frame (virtual-desktop coordinates, as `frame` gives
// it once the show has placed the window), then puts it on the screen. The window counts
// as shown throughout. Where the animation is not available the window appears at once.
void explodeWhileShowing(QWidget& window, std::function<QRect()> frame);

// True while `window` is being put on the screen at the end of its animation: its Show
// event then comes a second time and belongs to the show already handled.
bool isExplodeReshow(const QWidget& window);

// The window's outer frame as it will appear: its frame where the window system has told
// it, otherwise its client area grown by the frame margins other windows have.
QRect expectedFrame(const QWidget& window);

// Makes every show of `window` (a dialog) run the explode animation first.
void explodeOnEveryShow(QWidget& window);

} // namespace korvland
