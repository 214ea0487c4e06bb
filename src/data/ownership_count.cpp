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

OwnershipCounts countOwnership(const LandmarkSet& set) {
    OwnershipCounts counts;
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        if (set.disabledFlag(i) >= 2)
            continue;
        const LandmarkRecord& record = set.record(i);
        const int column = ownershipColumnOfType(record.loFileType);
        if (column < 0)
            continue;
        const OwnershipRow row = isAllied(record.side) ? OwnershipRow::Allied : OwnershipRow::German;
        ++counts.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    return counts;
}

} // namespace korvland
