#include "ui/common/window_sight.h"

#include <QWidget>

namespace korvland {

bool isInSight(const QWidget& window) {
    return !window.isHidden() && !window.isMinimized();
}

void bringIntoSight(QWidget& window) {
    if (window.isHidden())
        window.show();
    if (window.isMinimized())
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
}

} // namespace korvland
