#include "app/window_frame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace korvland {

namespace {

// Frames the window manager drew around windows of the program so far. Every framed
// window of the program has a title bar and borders of the same style, so the first
// one seen tells the size of the others before they are on the screen.
QMargins& learnedMargins() {
    static QMargins margins;
    return margins;
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
    if (const QMargins own = reportedMargins(window); !own.isNull()) {
        learnedMargins() = own;
        return own;
    }
    if (learnedMargins().isNull()) {
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other == &window)
                continue;
            if (const QMargins seen = reportedMargins(*other); !seen.isNull()) {
                learnedMargins() = seen;
                break;
            }
        }
    }
    return learnedMargins();
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
