#include "data/landmark_kind.h"

#include "data/translatable.h"

#include <array>

namespace korvland {

namespace {

// Indexed by LandmarkKind. The editor shows the labels and hint prefixes translated;
// troops count under train stations and balloons under factories.
constexpr std::array<KindInfo, 13> kKinds{{
    //: A landmark's kind, beside its type in the editor. "Airfield: " and the like start a
    //: marker's tool tip, before the landmark's name.
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Airfield"), 0xFFFF00,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Airfield: "), "IDrome", "Airfields"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "City"), 0xFFFFFF,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "City: "), "ICity", "Cities"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Supply"), 0x800000,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Supply: "), "ISupply", "Supply"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Train Station"), 0x0000FF,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Train Station: "), "ITrain", "Train Stations"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Troops"), 0x008080,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Troops: "), "ITroops", "Train Stations"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Bridge"), 0x00FFFF,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Bridge: "), "IBridge", "Bridges"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Factory"), 0x000080,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Factory: "), "IFactory", "Factories"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Balloon"), 0x008080,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Balloon: "), "IBalloon", "Factories"},
    //: The kind of a landmark switched off or of a type the editor does not know.
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Unknown"), std::nullopt,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Blank Landmark: "), "IBlank", ""},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Town"), 0x808080,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Town: "), "ITown", "Towns"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Village"), 0x800080,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Village: "), "IVillage", "Villages"},
    //: The kind of a blank landmark (an empty place holder).
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Blank"), 0x000000,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Blank Landmark: "), "IBlank", "Blanks"},
    {KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Unknown"), std::nullopt,
     KORVLAND_TRANSLATABLE("korvland::LandmarkKind", "Blank Landmark: "), "IBlank", ""},
}};

} // namespace

LandmarkKind classifyKind(std::uint8_t loFileType, std::uint8_t loFileNo) {
    switch (loFileType) {
    case 0:
        return LandmarkKind::Airfield;
    case 1:
        return LandmarkKind::City;
    case 2:
        return LandmarkKind::Supply;
    case 3:
        return loFileNo < 20 ? LandmarkKind::TrainStation : LandmarkKind::Troops;
    case 4:
        return LandmarkKind::Bridge;
    case 5:
        return loFileNo < 20 ? LandmarkKind::Factory : LandmarkKind::Balloon;
    case 6:
        return LandmarkKind::Disabled;
    case 7:
        return LandmarkKind::Town;
    case 8:
        return LandmarkKind::Village;
    case 9:
        return LandmarkKind::Blank;
    default:
        return LandmarkKind::Unrecognised;
    }
}

const KindInfo& kindInfo(LandmarkKind kind) {
    return kKinds.at(static_cast<std::size_t>(kind));
}

int ownershipColumnOfType(std::uint8_t loFileType) {
    // Types 3 and 5 are counted by type alone: troops under train stations, balloons
    // under factories. Type 6 (switched off) and 10 and above are not counted.
    switch (loFileType) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return 2;
    case 3:
        return 3;
    case 4:
        return 4;
    case 5:
        return 5;
    case 7:
        return 6;
    case 8:
        return 7;
    case 9:
        return 8;
    default:
        return -1;
    }
}

} // namespace korvland
