#pragma once

#include "data/translatable.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvland {

enum class LandmarkKind {
    Airfield,
    City,
    Supply,
    TrainStation,
    Troops,
    Bridge,
    Factory,
    Balloon,
    Disabled,
    Town,
    Village,
    Blank,
    Unrecognised,
};

// Colours are 0xBBGGRR (blue in the high byte, red in the low byte).
using BgrColour = std::uint32_t;

inline constexpr BgrColour kAlliedColour = 0xFF0000; // blue
inline constexpr BgrColour kGermanColour = 0x0000FF; // red

struct KindInfo {
    std::string_view editorLabel;               // "Airfield", ..., "Unknown"
    std::optional<BgrColour> editorLabelColour; // none: the label keeps its previous colour
    std::string_view hintPrefix;                // "Airfield: ", ..., "Blank Landmark: "
    std::string_view iconName;                  // "IDrome", ..., "IBlank"
    std::string_view ownershipColumn;           // empty: not counted in the ownership table
};

LandmarkKind classifyKind(std::uint8_t loFileType, std::uint8_t loFileNo);
const KindInfo& kindInfo(LandmarkKind kind);

// Only the byte 1 is Allied; every other value is German.
constexpr bool isAllied(std::uint8_t side) {
    return side == 1;
}
constexpr BgrColour sideColour(std::uint8_t side) {
    return isAllied(side) ? kAlliedColour : kGermanColour;
}

// The ownership table's columns, in order, and the column index of a type (-1: not counted).
inline constexpr std::string_view kOwnershipColumns[] = {
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Airfields"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Cities"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Supply"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Train Stations"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Bridges"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Factories"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Towns"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Villages"),
    KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Blanks"),
};
int ownershipColumnOfType(std::uint8_t loFileType);

} // namespace korvland
