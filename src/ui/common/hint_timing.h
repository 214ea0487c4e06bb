#pragma once

#include <cstdint>
#include <optional>

namespace korvland {

// When hints appear and go, apart from any clock or window: the presenter tells it where
// the pointer is and what time it is, and shows or hides the balloon as it answers.
//
// A hint appears once the pointer has rested on a hinted target for the delay, and goes
// after the duration. Moving straight on to another hinted target shows that one at once;
// so does reaching one shortly after leaving a shown hint, as when the pointer crosses
// the ground between two map markers. A hint that timed out or was dismissed (a click, a
// key) does not come back until the pointer has left its target.
class HintTiming {
  public:
    // Identity of a hinted thing (a widget, a scene item); compared, never dereferenced.
    using Target = const void*;
    enum class Change { None, Show, Hide };

    HintTiming(int delayMs, int durationMs, int warmMs)
        : mDelay(delayMs), mDuration(durationMs), mWarm(warmMs) {}

    // The pointer moved onto `target` (null: nothing hinted under it). Show: the balloon
    // is to show the hint of `target` now.
    Change pointerMoved(Target target, std::int64_t now);
    // A click, a key, a wheel turn or the window going inactive.
    Change dismiss();
    // Runs what is due by `now`.
    Change advance(std::int64_t now);

    // The next time advance() has something to do.
    std::optional<std::int64_t> deadline() const;
    Target shown() const { return mShown; }

  private:
    Change showNow(Target target, std::int64_t now);

    int mDelay;
    int mDuration;
    int mWarm;
    Target mUnder = nullptr;
    Target mShown = nullptr;
    Target mSpent = nullptr;
    std::optional<std::int64_t> mShowAt;
    std::optional<std::int64_t> mHideAt;
    std::optional<std::int64_t> mWarmUntil;
};

} // namespace korvland
