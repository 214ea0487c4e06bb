#pragma once

class QWidget;

namespace korvland {

// Whether the operator can see `window`: shown and not minimised.
bool isInSight(const QWidget& window);

// Shows `window` if it is hidden, restores it if it is minimised, and raises and activates
// it, so that the command that asked for it always gets it back in sight. A window hidden
// while it was minimised is shown first (the window manager keeps it iconified) and then
// restored: a hidden window's state is never changed, as un-minimising it would map it
// behind the toolkit's back and leave a frame that is never painted.
void bringIntoSight(QWidget& window);

} // namespace korvland
