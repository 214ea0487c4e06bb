#include "ui/tables/status_window.h"

#include "document/landmark_document.h"
#include "ui/common/accessible_items.h"
#include "ui/common/check_list.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/tables/filter_row.h"
#include "ui/tables/status_model.h"
#include "ui/tables/table_style.h"

#include <QHideEvent>
#include <QItemSelection>
#include <QScopedValueRollback>

#include <algorithm>

namespace korvland {

namespace {

constexpr int kColumns = 3;
constexpr int kRowHeight = 16;
static_assert(StatusWindow::kDesignedHeight == 218 + FilterRow::kLineHeight);

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

    //: The accessible name of the status table's list of landmarks.
    mList->setAccessibleName(tr("Landmarks"));
    mModel = new StatusModel(context.document, this);
    mList->setModel(mModel);

    connect(mModel, &StatusModel::tickRequested, this, &StatusWindow::rowTickToggled);
    connect(
        mModel, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& first, const QModelIndex& last) { rowsEdited(first.row(), last.row()); });
    connect(mList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!mQuiet && current.isValid())
                    rowClicked();
            });
    connect(mList, &QAbstractItemView::clicked, this, [this] { rowClicked(); });
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!mQuiet)
            takeRowSelection();
    });
    connect(mList, &CheckList::selectAllRequested, this, &StatusWindow::selectShownRows);
    connect(mList, &CheckList::selectNoneRequested, &context.document, &LandmarkDocument::selectNone);
}

bool StatusWindow::hasRow(int index) const {
    return index >= 0 && index < mModel->rowCount();
}

void StatusWindow::selectRow(int index) {
    if (!hasRow(index))
        return;
    // The row becomes the current one; which rows are selected is the document's to say.
    const QScopedValueRollback quiet(mQuiet, true);
    mList->selectionModel()->setCurrentIndex(mModel->index(index), QItemSelectionModel::NoUpdate);
    mList->scrollTo(mModel->index(index));
}

int StatusWindow::selectedRow() const {
    return mList->currentIndex().row();
}

bool StatusWindow::isRowShown(int index) const {
    return hasRow(index) && !mHidden[static_cast<std::size_t>(index)];
}

void StatusWindow::showSelection() {
    if (mGivingSelection)
        return;
    const LandmarkDocument& document = mContext.document;
    const int rows = std::min(mModel->rowCount(), document.recordCount());
    QItemSelection selection;
    for (int first = 0; first < rows; ++first) {
        if (!document.isSelected(first))
            continue;
        int last = first;
        while (last + 1 < rows && document.isSelected(last + 1))
            ++last;
        selection.select(mModel->index(first), mModel->index(last));
        first = last;
    }
    const QScopedValueRollback quiet(mQuiet, true);
    mList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (const AccessibleItems* items = AccessibleItems::of(mList))
        items->announceSelection();
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
    const int count = std::min(mModel->rowCount(), mContext.document.recordCount());
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
    const int rows = std::min(mModel->rowCount(), document.recordCount());
    for (int row = 0; row < rows; ++row)
        setRowShown(row, document.passesFilter(row));
    fitListToWholeRows();
}

void StatusWindow::rowsEdited(int first, int last) {
    const LandmarkDocument& document = mContext.document;
    const int end = std::min({last + 1, mModel->rowCount(), document.recordCount()});
    bool changed = false;
    for (int row = std::max(first, 0); row < end; ++row) {
        const bool shown = document.passesFilter(row);
        changed = changed || mHidden[static_cast<std::size_t>(row)] == shown;
        setRowShown(row, shown);
    }
    if (changed)
        fitListToWholeRows();
}

void StatusWindow::fillAndShow() {
    const LandmarkDocument& document = mContext.document;
    {
        const QScopedValueRollback quiet(mQuiet, true);
        mModel->fill();
        mHidden.assign(static_cast<std::size_t>(document.recordCount()), false);
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

void StatusWindow::rowTickToggled(int row, bool ticked) {
    // A tick on the current row (the space bar) keeps the selection; one on another row
    // moves there as a plain click does.
    auto update = LandmarkDocument::SelectionUpdate::Keep;
    if (mList->currentIndex().row() != row) {
        const QScopedValueRollback quiet(mQuiet, true);
        mList->selectionModel()->setCurrentIndex(mModel->index(row), QItemSelectionModel::NoUpdate);
        update = LandmarkDocument::SelectionUpdate::ClearAndSelect;
    }
    applyTick(row, ticked, update);
}

void StatusWindow::rowClicked() {
    const int row = mList->currentIndex().row();
    applyTick(row, hasRow(row) && row < mContext.document.recordCount() && mContext.document.isActive(row),
              LandmarkDocument::SelectionUpdate::Keep);
}

void StatusWindow::applyTick(int row, bool ticked, LandmarkDocument::SelectionUpdate update) {
    LandmarkDocument& document = mContext.document;
    // Rows of a file read since the last filling are not the set's records.
    if (row < 0 || row >= document.recordCount() || !hasRow(row))
        return;
    // A record of type 6 cannot be switched on here: its tick goes at once (the row shows
    // the record), and a profile's flag 2 becomes a plain "off" as an untick would make it.
    const bool refused = document.setActive(row, ticked) == LandmarkDocument::ActiveEdit::Refused;
    if (refused)
        document.setActive(row, false);
    // The one road of selection: the editor's refresh shows the flag in "Active Landmark"
    // without running that group's change handling, then the map and the ownership table
    // follow. A click or an arrow in the list makes the selection of its gesture itself (the
    // row alone, or Ctrl and Shift extending it) and hands it on through takeRowSelection.
    document.select(row, update);
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
