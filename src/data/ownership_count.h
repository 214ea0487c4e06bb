#pragma once

#include "data/landmark_kind.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace korvland {

class LandmarkSet;

inline constexpr std::size_t kOwnershipColumnCount = std::size(kOwnershipColumns);

// The two rows of the ownership table.
enum class OwnershipRow : std::size_t { Allied = 0, German = 1 };

// How many landmarks of each counted kind each side owns: cells[row][column], with the
// columns of kOwnershipColumns.
struct OwnershipCounts {
    std::array<std::array<unsigned, kOwnershipColumnCount>, 2> cells{};

    unsigned at(OwnershipRow row, std::size_t column) const {
        return cells[static_cast<std::size_t>(row)][column];
    }
    // The sum over every cell.
    unsigned total() const;

    bool operator==(const OwnershipCounts&) const = default;
};

// Counts the loaded records by column (their type alone: troops under train stations,
// balloons under factories; types 6 and 10 and above nowhere) and side (1 is Allied,
// every other byte German). Switched-off records are counted too: only a flag of 2 or
// more, which only a profile brings, leaves a record out. The one count the ownership
// table and the command-line report share.
OwnershipCounts countOwnership(const LandmarkSet& set);

// The cell of the ownership table that counts record `index`, by the rule above; nothing
// for a record counted nowhere.
struct OwnershipCell {
    OwnershipRow row = OwnershipRow::Allied;
    std::size_t column = 0;
    bool operator==(const OwnershipCell&) const = default;
};
std::optional<OwnershipCell> ownershipCellOf(const LandmarkSet& set, std::size_t index);

// The indices of the records one cell counts, ascending: as many as the cell's count.
std::vector<std::size_t> recordsInOwnershipCell(const LandmarkSet& set, OwnershipCell cell);

} // namespace korvland
