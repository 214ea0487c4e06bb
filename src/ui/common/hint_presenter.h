#pragma once

#include "ui/common/hint_balloon.h"
#include "ui/common/hint_timing.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class QGraphicsView;

namespace korvland {

// The application's one hint presenter. It takes the place of the platform's tool tip
// for every window: it follows the pointer over all widgets, finds the hint under it (a
// widget's tool tip, or a scene item's where the pointer is over a graphics view), and
// shows it in the balloon with the program's timing. The platform's own tool tips are
// kept from showing.
class HintPresenter : public QObject {
    Q_OBJECT
  public:
    // Milliseconds on a monotonic clock; tests hand in one they move themselves.
    using Clock = std::function<std::int64_t()>;

    // Watches the whole application from now on, taking over from the presenter in
    // charge until it goes.
    explicit HintPresenter(QObject* parent = nullptr, Clock clock = {});
    ~HintPresenter() override;
    HintPresenter(const HintPresenter&) = delete;
    HintPresenter& operator=(const HintPresenter&) = delete;

    // The presenter in charge, or null before start-up made one.
    static HintPresenter* instance();

    // Takes effect with the next hint shown.
    void setStyle(const HintStyle& style) { mStyle = style; }
    HintStyle style() const { return mStyle; }

    const HintBalloon& balloon() const { return *mBalloon; }

    // Runs what is due by the clock's present time. The presenter's timer calls it; a
    // test calls it after moving its clock.
    void runDue();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Found {
        HintTiming::Target target = nullptr;
        QString text;
        int designedParagraphs = 0;
    };
    static Found hintAt(QWidget* widget, QPoint pos);
    static Found itemHintAt(const QGraphicsView& view, QPoint pos);
    void pointerMoved(QWidget* widget, QPoint pos, QPoint globalPos);
    void apply(HintTiming::Change change);
    void schedule();

    // The presenter this one took over from, in charge again when this one goes.
    QPointer<HintPresenter> mPrevious;
    Clock mClock;
    HintTiming mTiming;
    HintStyle mStyle = kNormalHintStyle;
    std::unique_ptr<HintBalloon> mBalloon;
    QTimer mTimer;
    // What lies under the pointer, as of its last movement.
    QString mTextUnder;
    int mDesignedUnder = 0;
    QPoint mPointer;
    QPointer<QWidget> mWidgetUnder;
    // The widget over which the balloon's hint was found.
    QPointer<QWidget> mShownOver;
};

// Sets the hint style for as long as it lives, then the normal style again; the About
// box uses it while it is open. Does nothing where no presenter runs.
class ScopedHintStyle {
  public:
    explicit ScopedHintStyle(const HintStyle& style);
    ~ScopedHintStyle();
    ScopedHintStyle(const ScopedHintStyle&) = delete;
    ScopedHintStyle& operator=(const ScopedHintStyle&) = delete;
};

} // namespace korvland
