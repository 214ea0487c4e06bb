#pragma once

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
// The editor's table has captions of its own, shortened where a language needs it, that
// a check there keeps equal to these.
inline constexpr std::string_view kOwnershipColumns[] = {
    "Airfields", "Cities", "Supply", "Train Stations", "Bridges", "Factories", "Towns", "Villages", "Blanks",
};
int ownershipColumnOfType(std::uint8_t loFileType);

} // namespace korvland
