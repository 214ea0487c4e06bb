#include "ui/common/radio_group.h"

#include <QButtonGroup>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

namespace korvland {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), mGroup(new QButtonGroup(this)), mColumns(std::max(columns, 1)) {
    setAlignment(Qt::AlignHCenter);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        button->setObjectName(QStringLiteral("item%1").arg(i));
        mGroup->addButton(button, i);
        mButtons.push_back(button);
    }
    connect(mGroup, &QButtonGroup::idClicked, this, &RadioGroup::userClicked);
    // Checked by any other way than a click (an assistive technology's toggle, a key), an
    // item is chosen all the same: no button stays checked over a choice nobody heard of.
    connect(mGroup, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked && !mSettingItem && index != mItemIndex) {
            mItemIndex = index;
            emit itemChanged(index);
        }
    });
}

void RadioGroup::setItemIndex(int index) {
    const QScopedValueRollback setting(mSettingItem, true);
    mItemIndex = index;
    if (index >= 0 && index < count()) {
        button(index)->setChecked(true);
    } else if (QAbstractButton* checked = mGroup->checkedButton()) {
        // An exclusive group keeps one item checked; lift that while clearing.
        mGroup->setExclusive(false);
        checked->setChecked(false);
        mGroup->setExclusive(true);
    }
}

void RadioGroup::setItemFont(const QFont& font) {
    for (QRadioButton* button : mButtons)
        button->setFont(font);
    layoutItems();
}

void RadioGroup::userClicked(int index) {
    if (index != mItemIndex) {
        mItemIndex = index;
        emit itemChanged(index);
    }
    emit clicked();
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    layoutItems();
}

void RadioGroup::mouseReleaseEvent(QMouseEvent* event) {
    QGroupBox::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void RadioGroup::layoutItems() {
    if (mButtons.empty())
        return;
    // Items share the space under the caption in equal cells, filled column by column.
    const int top = fontMetrics().height();
    const int rows = (count() + mColumns - 1) / mColumns;
    const int cellWidth = std::max((width() - 8) / mColumns, 1);
    const int cellHeight = std::max((height() - top - 2) / rows, 1);
    for (int i = 0; i < count(); ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int itemHeight = std::min(cellHeight, button(i)->sizeHint().height());
        button(i)->setGeometry(6 + column * cellWidth, top + row * cellHeight + (cellHeight - itemHeight) / 2,
                               cellWidth - 2, itemHeight);
    }
}

} // namespace korvland
