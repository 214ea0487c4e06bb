#pragma once

#include <QWidget>

#include <array>
#include <functional>

namespace korvland {

// The ownership grid as a table for assistive technologies: its labels stay what is drawn,
// and the grid's accessible interface reads them as a table of two rows by nine columns with
// a header cell above each column ("Airfields") and before each row ("Allied"). A count
// cell's description is its hint ("Select the 5 Allied airfields"), and pressing it does
// what a click on it does.
struct OwnershipGridCells {
    static constexpr int kRows = 3;     // the header row, "Allied", "German"
    static constexpr int kColumns = 10; // the row captions, then the nine kinds
    // labels[0][0] is the corner caption "Owner", labels[0][c] the column captions,
    // labels[r][0] the row captions (all caption labels), the rest the counts (labels).
    std::array<std::array<QWidget*, kColumns>, kRows> labels{};
    // A count's press: its row (0 Allied, 1 German) and column (0 to 8).
    std::function<void(int row, int column)> pressed;
};

// Gives `grid` its table interface; called once, before anything asks for the grid's.
void makeAccessibleTable(QWidget* grid, const OwnershipGridCells& cells);

} // namespace korvland
