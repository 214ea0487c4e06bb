#include "data/region.h"

#include "data/fixed_text.h"
#include "data/translatable.h"

#include <array>

namespace korvland {

namespace {

constexpr std::array<RegionTexts, kRegionCount> kRegions{{
    {KORVLAND_TRANSLATABLE("korvland::Region", "Map of Marne Region"),
     KORVLAND_TRANSLATABLE("korvland::Region", "Landmarks of the Marne Region"), "lndmrks0.dat"},
    {KORVLAND_TRANSLATABLE("korvland::Region", "Map of Flanders Region"),
     KORVLAND_TRANSLATABLE("korvland::Region", "Landmarks of the Flanders Region"), "lndmrks1.dat"},
    {KORVLAND_TRANSLATABLE("korvland::Region", "Map of Verdun Region"),
     KORVLAND_TRANSLATABLE("korvland::Region", "Landmarks of the Verdun Region"), "lndmrks2.dat"},
    {KORVLAND_TRANSLATABLE("korvland::Region", "Map of Alsace Region"),
     KORVLAND_TRANSLATABLE("korvland::Region", "Landmarks of the Alsace Region"), "lndmrks3.dat"},
    {KORVLAND_TRANSLATABLE("korvland::Region", "Map of Island Region"),
     KORVLAND_TRANSLATABLE("korvland::Region", "Landmarks of the Island Region"), "lndmrks4.dat"},
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
