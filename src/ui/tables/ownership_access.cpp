#include "ui/tables/ownership_access.h"

#include "ui/tables/caption_label.h"

#include <QLabel>

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace korvland {

namespace {

using Cells = OwnershipGridCells;

QHash<const QObject*, Cells>& registry() {
    static QHash<const QObject*, Cells> grids;
    return grids;
}

class TableAccess;

// One cell of the grid, header or count, read from its label when asked.
class CellAccess : public QAccessibleInterface,
                   public QAccessibleTableCellInterface,
                   public QAccessibleActionInterface {
  public:
    CellAccess(const TableAccess* table, QWidget* label, int row, int column)
        : mTable(table), mLabel(label), mRow(row), mColumn(column) {}

    bool isValid() const override { return !mLabel.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return mLabel ? mLabel->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!mLabel)
            return {};
        if (t == QAccessible::Name) {
            if (const auto* caption = dynamic_cast<const CaptionLabel*>(mLabel.data()))
                return caption->text();
            const auto* count = qobject_cast<const QLabel*>(mLabel.data());
            return count ? count->text() : QString();
        }
        return t == QAccessible::Description ? mLabel->toolTip() : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override {
        return mLabel ? QRect(mLabel->mapToGlobal(QPoint(0, 0)), mLabel->size()) : QRect();
    }
    QAccessible::Role role() const override {
        if (mRow == 0)
            return QAccessible::ColumnHeader;
        return mColumn == 0 ? QAccessible::RowHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !mLabel || !mLabel->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (role() != QAccessible::Cell)
            return nullptr;
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // Counts are addressed without the header row and column.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return mColumn - 1; }
    int rowIndex() const override { return mRow - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

  private:
    const TableAccess* mTable;
    QPointer<QWidget> mLabel;
    int mRow;
    int mColumn;
};

class TableAccess : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    TableAccess(QWidget* grid, Cells cells)
        : QAccessibleWidget(grid, QAccessible::Table), mCells(std::move(cells)) {}
    ~TableAccess() override {
        for (const QAccessible::Id id : mChildren)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }
    TableAccess(const TableAccess&) = delete;
    TableAccess& operator=(const TableAccess&) = delete;

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    // Header row first, each row starting with its header cell.
    int childCount() const override { return Cells::kRows * Cells::kColumns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (mChildren.empty())
            mChildren.assign(static_cast<std::size_t>(childCount()), 0);
        QAccessible::Id& id = mChildren[static_cast<std::size_t>(index)];
        if (id == 0) {
            const int row = index / Cells::kColumns;
            const int column = index % Cells::kColumns;
            id = QAccessible::registerAccessibleInterface(new CellAccess(
                this, mCells.labels[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)], row,
                column));
        }
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < static_cast<int>(mChildren.size()); ++index)
            if (mChildren[static_cast<std::size_t>(index)] != 0 &&
                QAccessible::accessibleInterface(mChildren[static_cast<std::size_t>(index)]) == child)
                return index;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int index = 0; index < childCount(); ++index)
            if (child(index)->rect().contains(x, y))
                return child(index);
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return child((row + 1) * Cells::kColumns + column + 1);
    }
    int columnCount() const override { return Cells::kColumns - 1; }
    int rowCount() const override { return Cells::kRows - 1; }
    QString columnDescription(int column) const override {
        return child(column + 1)->text(QAccessible::Name);
    }
    QString rowDescription(int row) const override {
        return child((row + 1) * Cells::kColumns)->text(QAccessible::Name);
    }
    // Nothing in the grid is selected: a press acts at once.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

    void press(int row, int column) const {
        if (mCells.pressed)
            mCells.pressed(row, column);
    }

  private:
    Cells mCells;
    mutable std::vector<QAccessible::Id> mChildren;
};

QAccessibleInterface* CellAccess::parent() const {
    return const_cast<TableAccess*>(mTable);
}

QAccessibleInterface* CellAccess::table() const {
    return parent();
}

QList<QAccessibleInterface*> CellAccess::columnHeaderCells() const {
    return {mTable->child(mColumn)};
}

QList<QAccessibleInterface*> CellAccess::rowHeaderCells() const {
    return {mTable->child(mRow * Cells::kColumns)};
}

void CellAccess::doAction(const QString& action) {
    if (action == pressAction())
        mTable->press(mRow - 1, mColumn - 1);
}

QAccessibleInterface* makeTable(const QString& /*className*/, QObject* object) {
    const auto found = registry().constFind(object);
    if (found == registry().constEnd())
        return nullptr;
    return new TableAccess(static_cast<QWidget*>(object), *found);
}

} // namespace

void makeAccessibleTable(QWidget* grid, const OwnershipGridCells& cells) {
    static const bool installed = [] {
        QAccessible::installFactory(makeTable);
        return true;
    }();
    (void)installed;
    registry().insert(grid, cells);
    QObject::connect(grid, &QObject::destroyed, [grid] { registry().remove(grid); });
}

} // namespace korvland
