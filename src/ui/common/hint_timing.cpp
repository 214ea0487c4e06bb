#include "ui/common/hint_timing.h"

#include <algorithm>

namespace korvland {

HintTiming::Change HintTiming::showNow(Target target, std::int64_t now) {
    mShown = target;
    mShowAt.reset();
    mHideAt = now + mDuration;
    mWarmUntil.reset();
    return Change::Show;
}

HintTiming::Change HintTiming::pointerMoved(Target target, std::int64_t now) {
    if (target != mSpent)
        mSpent = nullptr;
    mUnder = target;
    if (mShown) {
        if (target == mShown)
            return Change::None;
        if (target)
            return showNow(target, now);
        mShown = nullptr;
        mHideAt.reset();
        mWarmUntil = now + mWarm;
        return Change::Hide;
    }
    if (!target || target == mSpent) {
        mShowAt.reset();
        return Change::None;
    }
    if (mWarmUntil && now < *mWarmUntil)
        return showNow(target, now);
    // Every movement starts the rest anew.
    mShowAt = now + mDelay;
    return Change::None;
}

HintTiming::Change HintTiming::dismiss() {
    const bool wasShown = mShown != nullptr;
    mSpent = mShown ? mShown : mUnder;
    mShown = nullptr;
    mShowAt.reset();
    mHideAt.reset();
    mWarmUntil.reset();
    return wasShown ? Change::Hide : Change::None;
}

HintTiming::Change HintTiming::advance(std::int64_t now) {
    if (mWarmUntil && now >= *mWarmUntil)
        mWarmUntil.reset();
    if (mHideAt && now >= *mHideAt) {
        mSpent = mShown;
        mShown = nullptr;
        mHideAt.reset();
        return Change::Hide;
    }
    if (mShowAt && now >= *mShowAt) {
        mShowAt.reset();
        if (mUnder)
            return showNow(mUnder, now);
    }
    return Change::None;
}

std::optional<std::int64_t> HintTiming::deadline() const {
    if (mShowAt && mHideAt)
        return std::min(*mShowAt, *mHideAt);
    return mShowAt ? mShowAt : mHideAt;
}

} // namespace korvland
