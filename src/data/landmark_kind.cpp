#include "data/landmark_kind.h"

#include <array>

namespace korvland {

namespace {

// Indexed by LandmarkKind.
constexpr std::array<KindInfo, 13> kKinds{{
    {"Airfield", 0xFFFF00, "Airfield: ", "IDrome", "Airfields"},
    {"City", 0xFFFFFF, "City: ", "ICity", "Cities"},
    {"Supply", 0x800000, "Supply: ", "ISupply", "Supply"},
    {"Train Station", 0x0000FF, "Train Station: ", "ITrain", "Train Stations"},
    {"Troops", 0x008080, "Troops: ", "ITroops", "Train Stations"},
    {"Bridge", 0x00FFFF, "Bridge: ", "IBridge", "Bridges"},
    {"Factory", 0x000080, "Factory: ", "IFactory", "Factories"},
    {"Balloon", 0x008080, "Balloon: ", "IBalloon", "Factories"},
    {"Unknown", std::nullopt, "Blank Landmark: ", "IBlank", ""},
    {"Town", 0x808080, "Town: ", "ITown", "Towns"},
    {"Village", 0x800080, "Village: ", "IVillage", "Villages"},
    {"Blank", 0x000000, "Blank Landmark: ", "IBlank", "Blanks"},
    {"Unknown", std::nullopt, "Blank Landmark: ", "IBlank", ""},
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
