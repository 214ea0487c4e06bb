#include "data/ownership_count.h"

#include "data/landmark_set.h"

#include <numeric>

namespace korvland {

unsigned OwnershipCounts::total() const {
    unsigned sum = 0;
    for (const auto& row : cells)
        sum = std::accumulate(row.begin(), row.end(), sum);
    return sum;
}

std::optional<OwnershipCell> ownershipCellOf(const LandmarkSet& set, std::size_t index) {
    if (set.disabledFlag(index) >= 2)
        return std::nullopt;
    const LandmarkRecord& record = set.record(index);
    const int column = ownershipColumnOfType(record.loFileType);
    if (column < 0)
        return std::nullopt;
    return OwnershipCell{isAllied(record.side) ? OwnershipRow::Allied : OwnershipRow::German,
                         static_cast<std::size_t>(column)};
}

OwnershipCounts countOwnership(const LandmarkSet& set) {
    OwnershipCounts counts;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        if (const std::optional<OwnershipCell> cell = ownershipCellOf(set, i))
            ++counts.cells[static_cast<std::size_t>(cell->row)][cell->column];
    return counts;
}

std::vector<std::size_t> recordsInOwnershipCell(const LandmarkSet& set, OwnershipCell cell) {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        if (ownershipCellOf(set, i) == cell)
            indices.push_back(i);
    return indices;
}

} // namespace korvland
