#pragma once

#include "data/ownership_count.h"
#include "ui/common/app_context.h"
#include "ui/common/placement_keeper.h"

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenuBar;

namespace korvland {

// The objectNames of the ownership table and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace ownership_names {
inline constexpr char kRecountAction[] = "UpdateData1";
inline constexpr char kCloseAction[] = "Close1";
inline constexpr char kGrid[] = "OwnershipGrid";
inline constexpr char kWindow[] = "Form5";
} // namespace ownership_names

// The ownership table: how many landmarks of each kind each side owns. Created once,
// hidden; "Data" shows it and recounts, and every record selection recounts it while it
// is shown. A click on a count selects the landmarks it counts and filters the status
// table to them. Closing only hides it.
class OwnershipWindow : public QWidget {
    Q_OBJECT
  public:
    explicit OwnershipWindow(AppContext& context, QWidget* parent = nullptr);

    // Where the window first appears, before a run has stored its placement; every show runs
    // the explode animation. The table's 633 x 75 lies below its menu bar: its designed
    // client size is the whole fixed size its layout gives it, menu bar included.
    static PlacementOptions designedPlacement(QSize fixedSize) {
        return {ownership_names::kWindow, false, true, {QPoint(205, 575), fixedSize, false}};
    }

    // Recounts the table from the landmark set.
    void recount();
    // Hides the table.
    void closeCommand();

    // The counts the cells show now.
    const OwnershipCounts& shownCounts() const { return mShown; }

    // "Data": brings the table into sight and recounts it.
    void showOnCommand();

    // A click on a count: recounts, then makes the landmarks the cell counts the selection
    // and the whole filter. A cell that counts none does nothing.
    void selectCell(OwnershipCell cell);

  signals:
    // The cells show the counts of the set as it is now.
    void recounted();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void createGrid(QWidget* grid);
    void showCount(std::size_t row, std::size_t column, unsigned count);

    AppContext& mContext;
    QMenuBar* mMenuBar = nullptr;
    QAction* mRecountAction = nullptr;
    QAction* mCloseAction = nullptr;
    std::array<std::array<QLabel*, kOwnershipColumnCount>, 2> mCells{};
    OwnershipCounts mShown;
};

} // namespace korvland
