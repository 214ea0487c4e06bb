#include "data/region.h"

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

std::string lowerCased(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

std::optional<int> detectRegion(std::string_view fileName) {
    const std::string name = lowerCased(fileName);
    for (int k = 0; k < kRegionCount; ++k) {
        const std::string stem = "lndmrks" + std::to_string(k);
        if (name == stem + ".dat" || name == stem + ".mlf")
            return k;
    }
    return std::nullopt;
}

} // namespace korvland
