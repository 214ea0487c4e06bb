#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <string>

namespace korvland::testing {

// A private X display for tests that need a real window system: Xvfb at 1600 x 1000 on
// the first free display number, with the openbox window manager, both ended with it.
class XSession {
  public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // The programs the session needs that cannot be found; empty when it can start.
    static QStringList missingPrograms();
    // Starts the server and the window manager; false with `error` set when it failed.
    bool start(std::string& error);
    // ":N", the value for DISPLAY.
    const QString& display() const { return mDisplay; }

  private:
    pid_t mServer = -1;
    pid_t mWindowManager = -1;
    QString mDisplay;
};

// What the window manager shows of a window: its outer frame (title bar and borders
// included), its client size, whether it is on the screen, and its _NET_WM_STATE atoms.
struct XWindowView {
    QRect frame;
    QSize client;
    bool viewable = false;
    QString state;
};

// Reads the view of the X window `id` with xwininfo and xprop on `display`.
XWindowView viewOf(const QString& display, unsigned long id);

} // namespace korvland::testing
