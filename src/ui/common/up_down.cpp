#include "ui/common/up_down.h"

#include "ui/common/record_format.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

#include <algorithm>

namespace korvland {

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    mDown = new QToolButton(this);
    mDown->setObjectName(QStringLiteral("down"));
    mDown->setArrowType(Qt::LeftArrow);
    mUp = new QToolButton(this);
    mUp->setObjectName(QStringLiteral("up"));
    mUp->setArrowType(Qt::RightArrow);
    for (QToolButton* button : {mDown, mUp}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(mDown, &QToolButton::clicked, this, [this] { step(-1); });
    connect(mUp, &QToolButton::clicked, this, [this] { step(1); });
}

void UpDown::setBuddy(QLineEdit* buddy) {
    if (mBuddy)
        mBuddy->removeEventFilter(this);
    mBuddy = buddy;
    if (mBuddy)
        mBuddy->installEventFilter(this);
}

void UpDown::setMaximum(int maximum) {
    mMaximum = std::max(maximum, mMinimum);
    const int kept = std::clamp(mPosition, mMinimum, mMaximum);
    if (kept != mPosition)
        setPosition(kept);
}

void UpDown::setPosition(int position) {
    mPosition = std::clamp(position, mMinimum, mMaximum);
    writeBuddy();
}

bool UpDown::takePositionFromBuddy() {
    if (!mBuddy)
        return false;
    const std::optional<int> typed = parseRecordNumber(mBuddy->text(), QLocale().groupSeparator());
    if (!typed || *typed < mMinimum || *typed > mMaximum)
        return false;
    mPosition = *typed;
    return true;
}

void UpDown::step(int delta) {
    emit changing();
    int next = mPosition + delta;
    if (next > mMaximum)
        next = mMinimum;
    else if (next < mMinimum)
        next = mMaximum;
    mPosition = next;
    writeBuddy();
    emit clicked();
}

void UpDown::showPositionInBuddy() {
    // A box that names the current number keeps its text (and the user's cursor).
    if (!mBuddy)
        return;
    const std::optional<int> shown = parseRecordNumber(mBuddy->text(), QLocale().groupSeparator());
    if (shown != mPosition)
        writeBuddy();
}

void UpDown::writeBuddy() {
    // setText leaves the box's modified state cleared, so its owner can tell these
    // writes from the user's typing.
    if (mBuddy)
        mBuddy->setText(formatRecordNumber(mPosition, QLocale().groupSeparator()));
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        step(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Up:
        step(1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = width() / 2;
    mDown->setGeometry(0, 0, half, height());
    mUp->setGeometry(half, 0, width() - half, height());
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mBuddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvland
