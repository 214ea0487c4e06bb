#include "ui/common/explode_effect.h"

#include "ui/common/window_frame.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace korvland {

namespace {

// n / 40 to the nearest integer, a half to the even neighbour.
int roundFortieths(long long n) {
    long long quotient = n / kExplodeSteps;
    long long remainder = n % kExplodeSteps;
    if (remainder < 0) {
        remainder += kExplodeSteps;
        --quotient;
    }
    if (2 * remainder > kExplodeSteps || (2 * remainder == kExplodeSteps && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

// i/40 of the way from a to b.
int between(int a, int b, int i) {
    return roundFortieths(static_cast<long long>(a) * kExplodeSteps + static_cast<long long>(i) * (b - a));
}

int gEffectDelay = 3;

const char* const kReshowProperty = "korvlandExplodeReshow";
// Counts the animations of a window, so that one outrun by a later show does nothing.
const char* const kRunProperty = "korvlandExplodeRun";

// The animation: one frameless window over everything that never takes input, shaped to
// the outlines on the screen at each step, and showing the screen beneath with every
// other pixel of those outlines inverted.
class ExplodeOverlay : public QWidget {
  public:
    ExplodeOverlay(const QRect& frame, std::function<void()> done)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
          mDone(std::move(done)) {
        setObjectName(QStringLiteral("ExplodeOverlay"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        const QPoint pointer = QCursor::pos();
        const FrameRect target{frame.left(), frame.top(), frame.left() + frame.width(),
                               frame.top() + frame.height()};
        mSteps = explodeSteps(pointer.x(), pointer.y(), target);
        QRect box = QRect(pointer, QSize(1, 1)) | frame;
        setGeometry(box);
        mPicture = dottedInverse(box);
        mPause = explodePause(effectDelay());
        mTimer.setTimerType(Qt::PreciseTimer);
        mTimer.setInterval(std::max(1, static_cast<int>(mPause.count() / 1000)));
        connect(&mTimer, &QTimer::timeout, this, &ExplodeOverlay::advance);
    }

    void start() {
        mClock.start();
        mTimer.start();
        advance();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, mPicture);
    }

  private:
    // The screen under `box` with every other pixel inverted, so that an outline shaped
    // from it reads as a dotted line on any background.
    static QImage dottedInverse(const QRect& box) {
        QImage image;
        if (QScreen* screen = QGuiApplication::screenAt(box.center())
                                  ? QGuiApplication::screenAt(box.center())
                                  : QGuiApplication::primaryScreen()) {
            const QRect local = box.translated(-screen->geometry().topLeft());
            image = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height())
                        .toImage()
                        .convertToFormat(QImage::Format_RGB32);
        }
        if (image.size() != box.size()) {
            image = QImage(box.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = (box.x() + box.y() + y) & 1; x < image.width(); x += 2)
                line[x] = ~line[x] | 0xFF000000u;
        }
        return image;
    }

    QRegion outline(const FrameRect& step) const {
        QRect r = QRect(QPoint(step.left, step.top), QPoint(step.right - 1, step.bottom - 1)).normalized();
        r.translate(-geometry().topLeft());
        QRegion ring(r);
        if (r.width() > 2 && r.height() > 2)
            ring -= QRegion(r.adjusted(1, 1, -1, -1));
        return ring;
    }

    void advance() {
        const long long elapsed = mClock.nsecsElapsed() / 1000;
        const int done = static_cast<int>(std::min<long long>(
            2LL * kExplodeSteps, mPause.count() > 0 ? elapsed / mPause.count() : 2LL * kExplodeSteps));
        if (done >= 2 * kExplodeSteps) {
            finish();
            return;
        }
        const VisibleSteps visible = explodeVisibleSteps(done);
        // Outlines drawn twice over the same pixels cancel out, as inverting twice would.
        QRegion shape;
        for (int i = visible.first; i < visible.last; ++i)
            shape ^= outline(mSteps[static_cast<std::size_t>(i)]);
        if (shape.isEmpty()) {
            hide(); // an empty mask would show the whole window
            return;
        }
        setMask(shape);
        if (!isVisible())
            show();
    }

    void finish() {
        mTimer.stop();
        hide();
        if (mDone)
            mDone();
        close();
    }

    std::array<FrameRect, kExplodeSteps> mSteps{};
    QImage mPicture;
    std::chrono::microseconds mPause{};
    QElapsedTimer mClock;
    QTimer mTimer;
    std::function<void()> mDone;
};

class ExplodeOnShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (isExplodeReshow(*window))
                return true;
            explodeWhileShowing(*window, [window] { return outerFrameOf(*window); });
        }
        return false;
    }
};

} // namespace

std::array<FrameRect, kExplodeSteps> explodeSteps(int x0, int y0, const FrameRect& frame) {
    std::array<FrameRect, kExplodeSteps> steps{};
    for (int i = 1; i <= kExplodeSteps; ++i)
        steps[static_cast<std::size_t>(i - 1)] =
            FrameRect{between(x0, frame.left, i), between(y0, frame.top, i), between(x0, frame.right, i),
                      between(y0, frame.bottom, i)};
    return steps;
}

std::chrono::microseconds explodePause(int delay) {
    // The delay counted 10,000 turns of an empty loop per unit; 33 microseconds a unit
    // keeps the proportion and a quick pace.
    return std::chrono::microseconds(std::max(0, delay) * 33LL);
}

VisibleSteps explodeVisibleSteps(int stepsDone) {
    const int done = std::clamp(stepsDone, 0, 2 * kExplodeSteps);
    if (done <= kExplodeSteps)
        return {0, done};
    return {done - kExplodeSteps, kExplodeSteps};
}

int effectDelay() {
    return gEffectDelay;
}

void setEffectDelay(int delay) {
    gEffectDelay = delay;
}

bool explodeAvailable() {
    // Only a window system that places windows where the program asks and has a
    // readable screen can draw over other windows: X11 (under any desktop), Windows, macOS.
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

void explodeWhileShowing(QWidget& window, std::function<QRect()> frame) {
    if (!explodeAvailable() || !window.isWindow())
        return;
    window.setAttribute(Qt::WA_DontShowOnScreen, true);
    const int run = window.property(kRunProperty).toInt() + 1;
    window.setProperty(kRunProperty, run);
    QPointer<QWidget> guarded(&window);
    const auto putOnScreen = [guarded, run] {
        if (!guarded || guarded->property(kRunProperty).toInt() != run)
            return;
        guarded->setAttribute(Qt::WA_DontShowOnScreen, false);
        // Hidden again while the animation ran: it stays hidden.
        if (!guarded->isVisible() || !guarded->windowHandle())
            return;
        guarded->setProperty(kReshowProperty, true);
        guarded->windowHandle()->setVisible(true);
        guarded->setProperty(kReshowProperty, false);
    };
    // A dialog places itself only in its own show handler, after this: the frame is
    // taken once the show is over.
    QTimer::singleShot(0, &window, [guarded, run, frame = std::move(frame), putOnScreen] {
        if (!guarded || guarded->property(kRunProperty).toInt() != run)
            return;
        (new ExplodeOverlay(frame(), putOnScreen))->start();
    });
}

bool isExplodeReshow(const QWidget& window) {
    return window.property(kReshowProperty).toBool();
}

void explodeOnEveryShow(QWidget& window) {
    window.installEventFilter(new ExplodeOnShow(&window));
}

} // namespace korvland
