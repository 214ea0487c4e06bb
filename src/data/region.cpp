#include "data/region.h"

#include "data/fixed_text.h"

#include <array>

namespace korvland {

namespace {

constexpr std::array<RegionTexts, kRegionCount> kRegions{{
    {"Map of Marne Region", "Landmarks of the Marne Region", "lndmrks0.dat"},
    {"Map of Flanders Region", "Landmarks of the Flanders Region", "lndmrks1.dat"},
    {"Map of Verdun Region", "Landmarks of the Verdun Region", "lndmrks2.dat"},
    {"Map of Alsace Region", "Landmarks of the Alsace Region", "lndmrks3.dat"},
    {"Map of Island Region", "Landmarks of the Island Region", "lndmrks4.dat"},
}};

} // namespace

const RegionTexts& regionTexts(int region) {
    return kRegions.at(static_cast<std::size_t>(region));
}

std::optional<int> detectRegion(std::string_view fileName) {
    const std::string name = asciiLowerCased(fileName);
    for (int k = 0; k < kRegionCount; ++k) {
        const std::string stem = "lndmrks" + std::to_string(k);
        if (name == stem + ".dat" || name == stem + ".mlf")
            return k;
    }
    return std::nullopt;
}

} // namespace korvland
