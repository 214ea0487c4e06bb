#pragma once

#include "settings/window_placement.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>
#include <string>

class QWidget;

namespace korvland {

struct AppContext;

// Where a window first appears: the top-left corner of its frame, and its size, which
// is the outer size (title bar and borders included) or the client size.
struct DesignedPlacement {
    QPoint frameTopLeft;
    QSize size;
    bool outerSize = true;
};

struct PlacementOptions {
    std::string key;             // "Form2": the key under "Common"
    bool takesShowState = false; // the stored show state is applied (editor window only)
    bool explodes = false;       // every show runs the explode animation
    DesignedPlacement designed;
};

// Remembers one window's placement between runs. Attached to the window for the whole
// run: every show applies the stored record before the window reaches the screen (and
// a bad record keeps the window's own show handler from running); save() writes the
// record at program end.
class PlacementKeeper : public QObject {
    Q_OBJECT
  public:
    PlacementKeeper(QWidget& window, AppContext& context, PlacementOptions options);

    // The placement as the window system reports it: flags, show state and the normal
    // (restored) outer frame; the designed placement for a window never shown.
    PlacementRecord placement() const;
    // Writes the record under "Common" and removes the window's colour and font entries. A
    // window never shown writes the valid record it read at start-up unchanged.
    // A failed write is reported; false then.
    bool save();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Applies the stored record; false when the window's own show handler is to be skipped.
    bool applyStored();
    void applyFrame(const QRect& frame, std::optional<Qt::WindowStates> state);
    QRect designedFrame() const;
    // Follows the window's normal frame, and once the window manager has framed a newly
    // placed window, puts its outer frame where the placement asked.
    void followFrame();

    QWidget& mWindow;
    AppContext& mContext;
    PlacementOptions mOptions;
    bool mShown = false;
    std::optional<std::string> mStartupRecord; // the valid record read at start-up
    QRect mNormalFrame;
    std::optional<QRect> mPendingFrame;
    bool mPendingDesignedClient = false; // the pending frame is the designed client size
    QElapsedTimer mPendingSince;
    QElapsedTimer mOnScreenSince;
    // Looks at the frame again while a placed window is being framed, which need not move it.
    QTimer mSettleTimer;
};

} // namespace korvland
