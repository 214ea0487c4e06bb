#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvland {

inline constexpr int kRegionCount = 5;

struct RegionTexts {
    std::string_view mapCaption;   // "Map of Marne Region"
    std::string_view locationLine; // "Landmarks of the Marne Region"
    std::string_view proposedName; // "lndmrks0.dat"
};

const RegionTexts& regionTexts(int region);

// The region of a file name (without folder): "lndmrksK.dat" or "lndmrksK.mlf" for K 0..4,
// compared after lower-casing; anything else matches nothing.
std::optional<int> detectRegion(std::string_view fileName);

} // namespace korvland
