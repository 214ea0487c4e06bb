#pragma once

#include <QListView>

namespace korvland {

// A check-list whose rows flow down the first of a fixed number of equal columns, then
// the next, scrolling sideways when they do not fit. Its owner keeps its height to whole
// rows with heightForRows. Rows are selected as in any list (Shift and Ctrl extend the
// selection); "Select All" and Escape are left to the owner, which knows which rows count.
// Assistive technologies see one item per row, whose toggle turns its tick over as a click does.
class CheckList : public QListView {
    Q_OBJECT
  public:
    CheckList(int columns, int rowHeight, QWidget* parent = nullptr);

    int columns() const { return mColumns; }
    int rowHeight() const { return mRowHeight; }
    // The tallest height up to `available` that shows whole rows, with room for the
    // sideways scroll bar when `rows` (those not hidden) need more columns than fit.
    int heightForRows(int available, int rows) const;
    // Shows the sideways scroll bar exactly when `rows` need it at heightForRows and
    // returns that height. The bar is settled first, so that the rows are flowed into the
    // height they get, not the one they had with or without it.
    int fitToRows(int available, int rows);

  signals:
    // Ctrl+A (the platform's "Select All") while the list has the focus.
    void selectAllRequested();
    // Escape while the list has the focus.
    void selectNoneRequested();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateGrid();
    bool needsScrollBar(int available, int rows) const;

    int mColumns;
    int mRowHeight;
};

} // namespace korvland
