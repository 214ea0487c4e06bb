#include "ui/common/placement_keeper.h"

#include "settings/settings_store.h"
#include "ui/common/app_context.h"
#include "ui/common/data_texts.h"
#include "ui/common/dialogs.h"
#include "ui/common/explode_effect.h"
#include "ui/common/window_frame.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <exception>

namespace korvland {

namespace {

const std::string kCommonSection = "Common";
// How long after a window reached the screen the frame the window manager drew is still
// brought to the placement asked for, and how long it may take to reach the screen.
constexpr qint64 kSettleMilliseconds = 1500;
constexpr qint64 kGiveUpMilliseconds = 10000;

constexpr Qt::WindowStates kSizeStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

QRect toQRect(const FrameRect& frame) {
    return QRect(QPoint(frame.left, frame.top), QSize(frame.right - frame.left, frame.bottom - frame.top));
}

FrameRect toFrameRect(const QRect& rect) {
    return FrameRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

Qt::WindowStates windowStatesFor(const PlacementRecord& record, Qt::WindowStates current) {
    Qt::WindowStates states = current & ~kSizeStates;
    switch (showStateOf(record.showState)) {
    case ShowState::Keep:
        return current;
    case ShowState::Normal:
        return states;
    case ShowState::Maximized:
        return states | Qt::WindowMaximized;
    case ShowState::Minimized:
        // Restored from the task bar it comes back maximised.
        if (record.flags & kRestoreToMaximized)
            states |= Qt::WindowMaximized;
        return states | Qt::WindowMinimized;
    }
    return current;
}

} // namespace

PlacementKeeper::PlacementKeeper(QWidget& window, AppContext& context, PlacementOptions options)
    : QObject(&window), mWindow(window), mContext(context), mOptions(std::move(options)) {
    setObjectName(QStringLiteral("LMDForm1"));
    mSettleTimer.setInterval(100);
    connect(&mSettleTimer, &QTimer::timeout, this, [this] {
        followFrame();
        if (!mPendingFrame)
            mSettleTimer.stop();
    });
    window.installEventFilter(this);
    // A window the run never shows writes this back as it stands.
    const std::string stored = mContext.store.readString(kCommonSection, mOptions.key, "");
    if (std::holds_alternative<PlacementRecord>(parsePlacement(stored)))
        mStartupRecord = stored;
}

QRect PlacementKeeper::designedFrame() const {
    const DesignedPlacement& designed = mOptions.designed;
    if (designed.outerSize)
        return QRect(designed.frameTopLeft, designed.size);
    const QMargins margins = frameMarginsOf(mWindow);
    return QRect(designed.frameTopLeft, designed.size.grownBy(margins));
}

PlacementRecord PlacementKeeper::placement() const {
    if (!mShown)
        return PlacementRecord{0, kShowNormal, toFrameRect(designedFrame())};
    const Qt::WindowStates states = mWindow.windowState();
    PlacementRecord record;
    record.frame = toFrameRect(mNormalFrame);
    if (states & Qt::WindowMinimized) {
        record.showState = kShowMinimized;
        record.flags = (states & Qt::WindowMaximized) ? kRestoreToMaximized : 0;
    } else if (states & Qt::WindowMaximized) {
        record.showState = kShowMaximized;
    }
    return record;
}

bool PlacementKeeper::save() {
    try {
        // Never shown, the window keeps the placement the operator last gave it; only a
        // missing or invalid record gives way to the designed one.
        const std::string record = !mShown && mStartupRecord ? *mStartupRecord : formatPlacement(placement());
        mContext.store.writeString(kCommonSection, mOptions.key, record);
        mContext.store.deleteKey(kCommonSection, mOptions.key + "Color");
        mContext.store.deleteKey(kCommonSection, mOptions.key + "Font");
        return true;
    } catch (const std::exception& error) {
        const auto* userError = dynamic_cast<const UserError*>(&error);
        const QString message = userError ? userErrorText(*userError) : QString::fromStdString(error.what());
        if (mContext.showSettingsFailure(message))
            reportError(mContext.dialogs, nullptr, message);
        return false;
    }
}

bool PlacementKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &mWindow)
        return false;
    switch (event->type()) {
    case QEvent::Show: {
        // The window system showing it again (restored from the task bar) is no new show.
        if (event->spontaneous())
            break;
        // The second Show of a window put on the screen after its animation.
        if (isExplodeReshow(mWindow))
            return true;
        const bool runOwnHandler = applyStored();
        mShown = true;
        if (mOptions.explodes && !(mWindow.windowState() & Qt::WindowMinimized)) {
            QRect target = mPendingFrame ? *mPendingFrame : outerFrameOf(mWindow);
            if (mWindow.windowState() & Qt::WindowMaximized)
                if (const QScreen* screen = mWindow.screen())
                    target = screen->availableGeometry();
            explodeWhileShowing(mWindow, [target] { return target; });
        }
        return !runOwnHandler;
    }
    case QEvent::Move:
    case QEvent::Resize:
        followFrame();
        break;
    default:
        break;
    }
    return false;
}

bool PlacementKeeper::applyStored() {
    const std::string text = mContext.store.readString(kCommonSection, mOptions.key, "");
    const ParsedPlacement parsed = parsePlacement(text);
    if (const auto* record = std::get_if<PlacementRecord>(&parsed)) {
        FrameRect frame = record->frame;
        if (const QScreen* primary = QGuiApplication::primaryScreen()) {
            const QRect screen = primary->geometry();
            frame = clampToScreen(frame, screen.x() + screen.width(), screen.y() + screen.height());
        }
        std::optional<Qt::WindowStates> states;
        if (mOptions.takesShowState)
            states = windowStatesFor(*record, mWindow.windowState());
        applyFrame(toQRect(frame), states);
        return true;
    }
    // Nothing stored: a window shown for the first time takes its designed placement.
    // A client size gets its frame added once the window manager has drawn one.
    if (!mShown) {
        applyFrame(designedFrame(), std::nullopt);
        mPendingDesignedClient = !mOptions.designed.outerSize;
    }
    if (const auto* bad = std::get_if<PlacementBadField>(&parsed)) {
        // Shown once the window is on the screen, not from inside its show.
        const QString message = messageText(notAnInteger(bad->field));
        QPointer<QWidget> window(&mWindow);
        Dialogs& dialogs = mContext.dialogs;
        QTimer::singleShot(0, this, [window, &dialogs, message] { reportError(dialogs, window, message); });
        return false;
    }
    return true;
}

void PlacementKeeper::applyFrame(const QRect& frame, std::optional<Qt::WindowStates> state) {
    // The window is not on the screen yet: the frame set in the normal state becomes the
    // one it returns to from maximised or minimised.
    const Qt::WindowStates target = state.value_or(mWindow.windowState());
    if (mWindow.windowState() & kSizeStates)
        mWindow.setWindowState(mWindow.windowState() & ~kSizeStates);
    setOuterFrame(mWindow, frame);
    if (target != mWindow.windowState())
        mWindow.setWindowState(target);
    mNormalFrame = frame;
    mPendingDesignedClient = false;
    if (target & kSizeStates) {
        mPendingFrame.reset();
    } else {
        mPendingFrame = frame;
        mPendingSince.start();
        mOnScreenSince.invalidate();
        mSettleTimer.start();
    }
}

void PlacementKeeper::followFrame() {
    if (!mShown || !mWindow.isVisible() || mWindow.testAttribute(Qt::WA_DontShowOnScreen)) {
        if (mPendingFrame && mPendingSince.elapsed() >= kGiveUpMilliseconds)
            mPendingFrame.reset(); // hidden again before it reached the screen
        return;
    }
    if (mWindow.windowState() & kSizeStates)
        return;
    if (mPendingFrame) {
        // The window manager frames a new window and reports where it put it a little
        // after the window is on the screen; until that has settled, the outer frame is
        // brought back to the one asked for.
        if (!mOnScreenSince.isValid())
            mOnScreenSince.start();
        const QWindow* handle = mWindow.windowHandle();
        if (handle && !handle->frameMargins().isNull()) {
            const QRect wanted = mPendingDesignedClient ? designedFrame() : *mPendingFrame;
            if (outerFrameOf(mWindow) != wanted)
                setOuterFrame(mWindow, wanted);
            // What the window could take of it (a fixed size stays).
            mNormalFrame = QRect(wanted.topLeft(), outerFrameOf(mWindow).size());
        }
        if (mOnScreenSince.elapsed() < kSettleMilliseconds)
            return;
        mPendingFrame.reset();
    }
    // Where the compositor places windows the program learns no position: the stored
    // one is kept for the next run on a window system that has them.
    const QRect frame = outerFrameOf(mWindow);
    mNormalFrame = platformPlacesWindows() ? frame : QRect(mNormalFrame.topLeft(), frame.size());
}

} // namespace korvland
