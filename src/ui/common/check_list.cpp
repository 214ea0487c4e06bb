#include "ui/common/check_list.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace korvland {

CheckList::CheckList(int columns, int rowHeight, QWidget* parent)
    : QListWidget(parent), mColumns(columns), mRowHeight(rowHeight) {
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
    return QListWidget::event(event);
}

void CheckList::keyPressEvent(QKeyEvent* event) {
    // The view's own "Select All" would take hidden rows too.
    if (event->matches(QKeySequence::SelectAll)) {
        emit selectAllRequested();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CheckList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
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
