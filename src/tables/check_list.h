#pragma once

#include <QListWidget>

namespace korvland {

// A check-list whose rows flow down the first of a fixed number of equal columns, then
// the next, scrolling sideways when they do not fit. Its owner keeps its height to whole
// rows with heightForRows.
class CheckList : public QListWidget {
    Q_OBJECT
  public:
    CheckList(int columns, int rowHeight, QWidget* parent = nullptr);

    int columns() const { return mColumns; }
    int rowHeight() const { return mRowHeight; }
    // The tallest height up to `available` that shows whole rows, with room for the
    // sideways scroll bar when the rows need more columns than fit.
    int heightForRows(int available) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void updateGrid();

    int mColumns;
    int mRowHeight;
};

} // namespace korvland
