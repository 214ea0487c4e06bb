#include "ui/common/hint_presenter.h"

#include "ui/common/hint_settings.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QMouseEvent>

namespace korvland {

namespace {

HintPresenter* gInstance = nullptr;

// How soon after leaving a shown hint another hinted control still shows at once.
constexpr int kHintWarmMs = 1000;

HintPresenter::Clock steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return static_cast<std::int64_t>(timer->elapsed()); };
}

} // namespace

HintPresenter::HintPresenter(QObject* parent, Clock clock)
    : QObject(parent), mPrevious(gInstance), mClock(clock ? std::move(clock) : steadyClock()),
      mTiming(kHintDelayMs, kHintDurationMs, kHintWarmMs), mBalloon(std::make_unique<HintBalloon>()) {
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, &HintPresenter::runDue);
    gInstance = this;
    qApp->installEventFilter(this);
}

HintPresenter::~HintPresenter() {
    if (gInstance == this)
        gInstance = mPrevious;
}

HintPresenter* HintPresenter::instance() {
    return gInstance;
}

HintPresenter::Found HintPresenter::itemHintAt(const QGraphicsView& view, QPoint pos) {
    // The topmost item that has a hint, as the scene itself would choose.
    for (const QGraphicsItem* item : view.items(pos)) {
        if (!item->toolTip().isEmpty())
            return {item, item->toolTip(), item->data(kDesignedHintKey).toInt()};
    }
    return {};
}

HintPresenter::Found HintPresenter::hintAt(QWidget* widget, QPoint pos) {
    // Items of a scene are not widgets: the pointer moves over the view's viewport.
    if (auto* view = qobject_cast<QGraphicsView*>(widget->parentWidget());
        view && view->viewport() == widget) {
        if (Found found = itemHintAt(*view, pos); found.target)
            return found;
    }
    // Rows of a list are no widgets either: each row carries its own hint.
    if (auto* list = qobject_cast<QAbstractItemView*>(widget->parentWidget());
        list && list->viewport() == widget) {
        const QModelIndex row = list->indexAt(pos);
        if (const QString hint = row.data(Qt::ToolTipRole).toString(); !hint.isEmpty()) {
            // A row is no object: its model's address with the row number in the high bits,
            // above every address a program is given, tells it from the others.
            const auto tag =
                reinterpret_cast<quintptr>(list->model()) ^ (static_cast<quintptr>(row.row() + 1) << 48);
            // NOLINTNEXTLINE(performance-no-int-to-ptr): a tag, compared and never followed
            return {reinterpret_cast<HintTiming::Target>(tag), hint};
        }
    }
    // A control without a hint shows the hint of the control that holds it.
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (!w->toolTip().isEmpty())
            return {w, w->toolTip(), w->property(kDesignedHintProperty).toInt()};
        if (w->isWindow())
            break;
    }
    return {};
}

void HintPresenter::pointerMoved(QWidget* widget, QPoint pos, QPoint globalPos) {
    const Found found = hintAt(widget, pos);
    mTextUnder = found.text;
    mDesignedUnder = found.designedParagraphs;
    mPointer = globalPos;
    mWidgetUnder = widget;
    apply(mTiming.pointerMoved(found.target, mClock()));
}

void HintPresenter::runDue() {
    apply(mTiming.advance(mClock()));
}

void HintPresenter::apply(HintTiming::Change change) {
    switch (change) {
    case HintTiming::Change::Show:
        mShownOver = mWidgetUnder;
        mBalloon->showAt(mTextUnder, mStyle, mPointer, mDesignedUnder);
        break;
    case HintTiming::Change::Hide:
        mShownOver = nullptr;
        mBalloon->hide();
        break;
    case HintTiming::Change::None:
        break;
    }
    schedule();
}

void HintPresenter::schedule() {
    const std::optional<std::int64_t> deadline = mTiming.deadline();
    if (!deadline) {
        mTimer.stop();
        return;
    }
    mTimer.start(static_cast<int>(std::max<std::int64_t>(0, *deadline - mClock())));
}

bool HintPresenter::eventFilter(QObject* watched, QEvent* event) {
    if (gInstance != this)
        return false;
    switch (event->type()) {
    case QEvent::ToolTip:
        // The platform's tool tip never shows; the balloon has taken its place.
        return watched->isWidgetType();
    case QEvent::MouseMove: {
        if (!watched->isWidgetType() || watched == mBalloon.get())
            break;
        auto* widget = static_cast<QWidget*>(watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint pos = move->position().toPoint();
        // A movement passed on to the parent of the control under the pointer is the same
        // movement again; only the control under the pointer counts.
        if (move->buttons() != Qt::NoButton || widget->childAt(pos))
            break;
        pointerMoved(widget, pos, move->globalPosition().toPoint());
        break;
    }
    case QEvent::Leave:
        // Out of the program's windows altogether.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow() &&
            watched != mBalloon.get())
            apply(mTiming.pointerMoved(nullptr, mClock()));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate:
        apply(mTiming.dismiss());
        break;
    case QEvent::Hide:
        // The window under the hint went away, and with it perhaps the hinted thing.
        if (mShownOver && (watched == mShownOver || watched == mShownOver->window()))
            apply(mTiming.dismiss());
        break;
    default:
        break;
    }
    return false;
}

ScopedHintStyle::ScopedHintStyle(const HintStyle& style) {
    if (HintPresenter* presenter = HintPresenter::instance())
        presenter->setStyle(style);
}

ScopedHintStyle::~ScopedHintStyle() {
    if (HintPresenter* presenter = HintPresenter::instance())
        presenter->setStyle(kNormalHintStyle);
}

} // namespace korvland
