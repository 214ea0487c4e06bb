#include "ui/tables/status_window.h"

#include "data/landmark_kind.h"
#include "data/text_codec.h"
#include "document/landmark_document.h"
#include "ui/common/check_list.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/tables/filter_row.h"
#include "ui/tables/table_style.h"

#include <QHideEvent>
#include <QItemSelection>
#include <QScopedValueRollback>

#include <algorithm>

namespace korvland {

namespace {

constexpr int kColumns = 3;
constexpr int kRowHeight = 16;
constexpr BgrColour kOtherSideColour = 0x000000; // black
static_assert(StatusWindow::kDesignedHeight == 218 + FilterRow::kLineHeight);

// Shows record `index` of `document` in `item`: name (whole in its hint), side colour, tick.
void showRecord(QListWidgetItem& item, const LandmarkDocument& document, int index) {
    const LandmarkRecord& record = document.record(index);
    const QString name = QString::fromStdString(decodeCp1252(record.nameBytes()));
    if (item.text() != name) {
        item.setText(name);
        // A long name is cut at the column's edge; its hint gives it whole.
        item.setToolTip(name);
    }
    const QColor colour = colourFromBgr(isAllied(record.side) ? kAlliedColour : kOtherSideColour);
    if (item.foreground().color() != colour)
        item.setForeground(colour);
    const Qt::CheckState tick = document.isActive(index) ? Qt::Checked : Qt::Unchecked;
    // A new row has no check box until it is given a state.
    if (!item.data(Qt::CheckStateRole).isValid() || item.checkState() != tick)
        item.setCheckState(tick);
}

} // namespace

StatusWindow::StatusWindow(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QLatin1String(status_names::kWindow));
    setWindowTitle(tr("Landmarks Status Table"));
    setFont(tableFont());
    move(470, 653);
    resize(kDesignedWidth, kDesignedHeight);

    mFilterRow = new FilterRow(this);
    mFilterRow->setObjectName(QLatin1String(status_names::kFilterRow));
    connect(mFilterRow, &FilterRow::edited, this,
            [this](const LandmarkFilter& filter) { mContext.document.setFilter(filter); });

    mList = new CheckList(kColumns, kRowHeight, this);
    mList->setObjectName(QLatin1String(status_names::kList));
    // The list is drawn on the window's colour, not the usual white of a list.
    QPalette palette = mList->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    mList->setPalette(palette);

    connect(mList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        // Only a tick or an untick by the user reaches here: the rows' other data is set
        // while the table fills, quietly.
        if (mQuiet)
            return;
        if (mList->currentItem() != item) {
            const QScopedValueRollback quiet(mQuiet, true);
            mList->selectionModel()->setCurrentIndex(mList->indexFromItem(item),
                                                     QItemSelectionModel::NoUpdate);
        }
        rowTickToggled();
    });
    connect(mList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!mQuiet && row >= 0)
            rowClicked();
    });
    // A click on the row already selected selects it again.
    connect(mList, &QAbstractItemView::clicked, this, [this] { rowClicked(); });
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!mQuiet)
            takeRowSelection();
    });
    connect(mList, &CheckList::selectAllRequested, this, &StatusWindow::selectShownRows);
}

bool StatusWindow::hasRow(int index) const {
    return index >= 0 && index < mList->count();
}

void StatusWindow::setRowTicked(int index, bool ticked) {
    if (!hasRow(index))
        return;
    const QScopedValueRollback quiet(mQuiet, true);
    mList->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void StatusWindow::selectRow(int index) {
    if (!hasRow(index))
        return;
    // The row becomes the current one; which rows are selected is the document's to say.
    const QScopedValueRollback quiet(mQuiet, true);
    mList->selectionModel()->setCurrentIndex(mList->model()->index(index, 0), QItemSelectionModel::NoUpdate);
    mList->scrollToItem(mList->item(index));
}

int StatusWindow::selectedRow() const {
    return mList->currentRow();
}

bool StatusWindow::isRowShown(int index) const {
    return hasRow(index) && !mHidden[static_cast<std::size_t>(index)];
}

void StatusWindow::showSelection() {
    if (mGivingSelection)
        return;
    const LandmarkDocument& document = mContext.document;
    const int rows = std::min(mList->count(), document.recordCount());
    QItemSelection selection;
    for (int first = 0; first < rows; ++first) {
        if (!document.isSelected(first))
            continue;
        int last = first;
        while (last + 1 < rows && document.isSelected(last + 1))
            ++last;
        selection.select(mList->model()->index(first, 0), mList->model()->index(last, 0));
        first = last;
    }
    const QScopedValueRollback quiet(mQuiet, true);
    mList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void StatusWindow::takeRowSelection() {
    QList<int> rows;
    for (const QItemSelectionRange& range : mList->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    const QScopedValueRollback giving(mGivingSelection, true);
    mContext.document.setSelection(rows);
}

void StatusWindow::selectShownRows() {
    QList<int> rows;
    const int count = std::min(mList->count(), mContext.document.recordCount());
    for (int row = 0; row < count; ++row)
        if (!mHidden[static_cast<std::size_t>(row)])
            rows.append(row);
    mContext.document.setSelection(rows);
}

void StatusWindow::setRowShown(int row, bool shown) {
    const auto at = static_cast<std::size_t>(row);
    if (mHidden[at] == !shown)
        return;
    mHidden[at] = !shown;
    mList->setRowHidden(row, !shown);
}

void StatusWindow::showFilter() {
    const LandmarkDocument& document = mContext.document;
    mFilterRow->showFilter(document.filter());
    // Rows of a file read since the last filling stay as they are until the next.
    const int rows = std::min(mList->count(), document.recordCount());
    for (int row = 0; row < rows; ++row)
        setRowShown(row, document.passesFilter(row));
    fitListToWholeRows();
}

void StatusWindow::refreshRow(int index) {
    const LandmarkDocument& document = mContext.document;
    if (!hasRow(index) || index >= document.recordCount())
        return;
    {
        const QScopedValueRollback quiet(mQuiet, true);
        showRecord(*mList->item(index), document, index);
    }
    setRowShown(index, document.passesFilter(index));
}

void StatusWindow::refreshRows(const QList<int>& indices) {
    for (const int index : indices)
        refreshRow(index);
}

void StatusWindow::fillAndShow() {
    const LandmarkDocument& document = mContext.document;
    {
        const QScopedValueRollback quiet(mQuiet, true);
        mList->clear();
        mHidden.assign(static_cast<std::size_t>(document.recordCount()), false);
        for (int i = 0; i < document.recordCount(); ++i) {
            auto* item = new QListWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            showRecord(*item, document, i);
            mList->addItem(item);
        }
    }
    // The current record's row starts current: the keyboard starts there, and the list
    // does not pick its first row by itself (and run the click handling on it) when it
    // takes the focus.
    selectRow(document.currentIndex());
    showSelection();
    showFilter();
    emit inSightChanged(true);
    bringIntoSight(*this);
}

void StatusWindow::rowTickToggled() {
    applyClick(mList->currentRow());
}

void StatusWindow::rowClicked() {
    applyClick(mList->currentRow());
}

void StatusWindow::applyClick(int row) {
    LandmarkDocument& document = mContext.document;
    // Rows of a file read since the last filling are not the set's records.
    if (row < 0 || row >= document.recordCount() || !hasRow(row))
        return;
    // A record of type 6 cannot be switched on here: its tick goes at once, and a
    // profile's flag 2 becomes a plain "off" as an untick would make it.
    const bool ticked = mList->item(row)->checkState() == Qt::Checked;
    const bool refused = document.setActive(row, ticked) == LandmarkDocument::ActiveEdit::Refused;
    if (refused)
        document.setActive(row, false);
    if (!ticked || refused)
        setRowTicked(row, false);
    // The one road of selection: the editor's refresh shows the flag in "Active Landmark"
    // without running that group's change handling, then the map and the ownership table
    // follow.
    document.select(row);
    // A tick that went at once says why, where the operator looks for notices.
    if (refused)
        emit noticeRaised(typeSixStaysOffNotice());
}

void StatusWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The close box and a file read hide the table; minimising it (a hide by the window
    // system) does not give the button back.
    if (event->spontaneous())
        return;
    emit inSightChanged(false);
}

void StatusWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Minimised, the table is out of sight: "Table" brings it back. Restored, it is shown again.
    if (event->type() == QEvent::WindowStateChange && !isHidden())
        emit inSightChanged(!isMinimized());
}

void StatusWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitListToWholeRows();
}

void StatusWindow::fitListToWholeRows() {
    const int top = mFilterRow->heightNeeded();
    mFilterRow->setGeometry(0, 0, width(), top);
    const auto shown = static_cast<int>(std::count(mHidden.begin(), mHidden.end(), false));
    mList->setGeometry(0, top, width(), mList->fitToRows(height() - top, shown));
}

} // namespace korvland
