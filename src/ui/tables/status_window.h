#pragma once

#include "document/landmark_document.h"
#include "ui/common/app_context.h"
#include "ui/common/placement_keeper.h"

#include <QList>
#include <QWidget>

#include <vector>

namespace korvland {

// The objectNames of the status table and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace status_names {
inline constexpr char kFilterRow[] = "FilterRow";
inline constexpr char kList[] = "CLBox1";
inline constexpr char kWindow[] = "Form6";
} // namespace status_names

class CheckList;
class FilterRow;
class StatusModel;

// The status table: every landmark by name with a tick for the active ones, below a row
// that filters them. The editor's "Table" button fills and shows it; ticking a row switches
// the landmark on or off and clicking a row makes it the editor's current record. Its rows'
// selection is the document's selection, and its filter the document's filter: each
// follows the other. Closing only hides it.
class StatusWindow : public QWidget {
    Q_OBJECT
  public:
    // The window's first size: the list's 391 by 218 and the filter row above it.
    static constexpr int kDesignedWidth = 391;
    static constexpr int kDesignedHeight = 218 + 24;

    explicit StatusWindow(AppContext& context, QWidget* parent = nullptr);

    // Where the window first appears, before a run has stored its placement.
    static PlacementOptions designedPlacement() {
        return {status_names::kWindow,
                false,
                false,
                {QPoint(470, 653), QSize(kDesignedWidth, kDesignedHeight), true}};
    }

    // Whether the list has a row for record `index` (it is filled when the table opens).
    bool hasRow(int index) const;
    // Selects the row of record `index` and scrolls it into view, without the table's
    // click handling (the map selects the row of a clicked marker this way). Nothing
    // happens when the list has no such row.
    void selectRow(int index);
    // The list's current row (where the keyboard acts), -1 for none.
    int selectedRow() const;
    // Whether the row of record `index` exists and the filter lets it show.
    bool isRowShown(int index) const;

    // Shows the document's selection in the rows, without taking it back as the user's.
    void showSelection();
    // Shows the document's filter in the filter row and hides the rows it leaves out.
    void showFilter();
    // Ctrl+A in the list: the rows in sight become the selection.
    void selectShownRows();

    // The editor's "Table" button: fills the list from the set, disables the button and
    // shows the window.
    void fillAndShow();
    // The user ticked (true) or unticked the row of record `row`: by mouse, space bar or
    // assistive technology.
    void rowTickToggled(int row, bool ticked);
    // The user selected a row: the record becomes current, its switch as the row shows it.
    void rowClicked();

  signals:
    // The table came into sight (filled by "Table") or went out of it (hidden, or
    // minimised): "Table" is needed only while it is out of sight.
    void inSightChanged(bool inSight);
    // A line for the editor's notice panel.
    void noticeRaised(const QString& text);

  protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyTick(int row, bool ticked, LandmarkDocument::SelectionUpdate update);
    // Rows whose record changed show or hide by the filter again.
    void rowsEdited(int first, int last);
    void fitListToWholeRows();
    void takeRowSelection();
    void setRowShown(int row, bool shown);

    AppContext& mContext;
    FilterRow* mFilterRow = nullptr;
    StatusModel* mModel = nullptr;
    CheckList* mList = nullptr;
    // Per row: hidden by the filter. Kept here because the list's own test is slow.
    std::vector<bool> mHidden;
    // Set while the table changes its own rows: those changes are not the user's.
    bool mQuiet = false;
    // Set while the table hands the user's row selection to the document.
    bool mGivingSelection = false;
};

} // namespace korvland
