#include "ui/common/window_frame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace korvland {

namespace {

// Frames the window manager drew around windows of the program so far. Framed windows
// of the program have a title bar and borders of the same style, except that a window of
// fixed size has no resize handle: the first one seen of each kind tells the size of the
// others before they are on the screen.
QMargins& learnedMargins(bool fixedSize) {
    static QMargins margins[2];
    return margins[fixedSize ? 1 : 0];
}

bool hasFixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

QMargins reportedMargins(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (!handle || (window.windowFlags() & Qt::FramelessWindowHint))
        return {};
    return handle->frameMargins();
}

} // namespace

QMargins frameMarginsOf(const QWidget& window) {
    if (window.windowFlags() & Qt::FramelessWindowHint)
        return {};
    const bool fixed = hasFixedSize(window);
    if (const QMargins own = reportedMargins(window); !own.isNull()) {
        learnedMargins(fixed) = own;
        return own;
    }
    for (const bool kind : {fixed, !fixed}) {
        if (!learnedMargins(kind).isNull())
            return learnedMargins(kind);
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other == &window || hasFixedSize(*other) != kind)
                continue;
            if (const QMargins seen = reportedMargins(*other); !seen.isNull())
                return learnedMargins(kind) = seen;
        }
    }
    return {};
}

QRect outerFrameOf(const QWidget& window) {
    return window.geometry().marginsAdded(frameMarginsOf(window));
}

bool platformPlacesWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void setOuterFrame(QWidget& window, const QRect& frame) {
    const QMargins margins = frameMarginsOf(window);
    QRect client = frame.marginsRemoved(margins);
    client.setSize(client.size().expandedTo(QSize(1, 1)));
    window.setGeometry(client);
}

} // namespace korvland
