#include "ui/common/check_list.h"

#include "ui/common/accessible_items.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace korvland {

namespace {

// The rows as assistive technologies see them: the model's text, description and tick, the
// view's selection and current row; a toggle ticks or unticks the row through the model,
// as a click on its box does.
class CheckListItems : public AccessibleItems {
  public:
    explicit CheckListItems(CheckList* list) : AccessibleItems(list), mList(list) {}

    int count() const override { return mList->model() ? mList->model()->rowCount() : 0; }
    QString name(int item) const override { return row(item).data(Qt::DisplayRole).toString(); }
    QString description(int item) const override {
        return row(item).data(Qt::AccessibleDescriptionRole).toString();
    }
    QAccessible::State state(int item) const override {
        const QModelIndex index = row(item);
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = mList->selectionModel() && mList->selectionModel()->isSelected(index);
        state.focused = mList->hasFocus() && mList->currentIndex() == index;
        state.checkable = index.flags().testFlag(Qt::ItemIsUserCheckable);
        state.checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        state.invisible = mList->isRowHidden(item);
        return state;
    }
    QRect rect(int item) const override {
        return mList->visualRect(row(item)).translated(mList->viewport()->pos());
    }
    void activate(int item) override {
        mList->setCurrentIndex(row(item));
        mList->scrollTo(row(item));
    }
    void toggle(int item) override {
        const QModelIndex index = row(item);
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        mList->model()->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }

  private:
    QModelIndex row(int item) const { return mList->model()->index(item, 0); }

    CheckList* mList;
};

} // namespace

CheckList::CheckList(int columns, int rowHeight, QWidget* parent)
    : QListView(parent), mColumns(columns), mRowHeight(rowHeight) {
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    updateGrid();
    new CheckListItems(this);
}

int CheckList::heightForRows(int available, int rows) const {
    // The list view starts a new column when a row would reach the last pixel of the
    // view, so the view is one pixel taller than its rows.
    const int frame = 2 * frameWidth() + 1;
    if (!needsScrollBar(available, rows))
        return frame + std::max(1, (available - frame) / mRowHeight) * mRowHeight;
    const int bar = horizontalScrollBar()->sizeHint().height();
    const int rowsWithBar = std::max(1, (available - frame - bar) / mRowHeight);
    return frame + bar + rowsWithBar * mRowHeight;
}

bool CheckList::needsScrollBar(int available, int rows) const {
    const int rowsWithoutBar = std::max(1, (available - 2 * frameWidth() - 1) / mRowHeight);
    return (rows + rowsWithoutBar - 1) / rowsWithoutBar > mColumns;
}

int CheckList::fitToRows(int available, int rows) {
    const Qt::ScrollBarPolicy bar =
        needsScrollBar(available, rows) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (bar != horizontalScrollBarPolicy()) {
        setHorizontalScrollBarPolicy(bar);
        scheduleDelayedItemsLayout();
    }
    return heightForRows(available, rows);
}

bool CheckList::event(QEvent* event) {
    // The list's own Ctrl+A goes before a window's shortcut for the same keys.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
        event->accept();
        return true;
    }
    return QListView::event(event);
}

void CheckList::keyPressEvent(QKeyEvent* event) {
    // The view's own "Select All" would take hidden rows too.
    if (event->matches(QKeySequence::SelectAll)) {
        emit selectAllRequested();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        emit selectNoneRequested();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void CheckList::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        updateGrid();
    // The view would wait a tenth of a second before it flows the rows into the new
    // height, showing the old columns meanwhile.
    if (event->size().height() != event->oldSize().height())
        doItemsLayout();
}

void CheckList::updateGrid() {
    // Every column gets the same share of the width, rounded up so that no sliver of
    // the next column shows at the right edge.
    setGridSize(QSize(std::max(1, (viewport()->width() + mColumns - 1) / mColumns), mRowHeight));
}

} // namespace korvland
