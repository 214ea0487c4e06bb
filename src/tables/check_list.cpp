#include "tables/check_list.h"

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
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    updateGrid();
}

int CheckList::heightForRows(int available) const {
    // The list view starts a new column when a row would reach the last pixel of the
    // view, so the view is one pixel taller than its rows.
    const int frame = 2 * frameWidth() + 1;
    const int bar = horizontalScrollBar()->sizeHint().height();
    const int rowsWithoutBar = std::max(1, (available - frame) / mRowHeight);
    const int columnsNeeded = (count() + rowsWithoutBar - 1) / rowsWithoutBar;
    if (columnsNeeded <= mColumns)
        return frame + rowsWithoutBar * mRowHeight;
    const int rows = std::max(1, (available - frame - bar) / mRowHeight);
    return frame + bar + rows * mRowHeight;
}

void CheckList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        updateGrid();
}

void CheckList::updateGrid() {
    // Every column gets the same share of the width, rounded up so that no sliver of
    // the next column shows at the right edge.
    setGridSize(QSize(std::max(1, (viewport()->width() + mColumns - 1) / mColumns), mRowHeight));
}

} // namespace korvland
