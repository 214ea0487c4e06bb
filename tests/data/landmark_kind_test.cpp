#include "data/landmark_kind.h"

#include <gtest/gtest.h>

#include <optional>

namespace korvland {
namespace {

struct KindRow {
    std::uint8_t type, subType;
    LandmarkKind kind;
    const char* label;
    std::optional<BgrColour> colour;
    const char* prefix;
    const char* icon;
    const char* column;
};

const KindRow kKindRows[] = {
    {0, 0xFF, LandmarkKind::Airfield, "Airfield", 0xFFFF00, "Airfield: ", "IDrome", "Airfields"},
    {1, 0, LandmarkKind::City, "City", 0xFFFFFF, "City: ", "ICity", "Cities"},
    {2, 50, LandmarkKind::Supply, "Supply", 0x800000, "Supply: ", "ISupply", "Supply"},
    {3, 0x13, LandmarkKind::TrainStation, "Train Station", 0x0000FF, "Train Station: ", "ITrain",
     "Train Stations"},
    {3, 0x14, LandmarkKind::Troops, "Troops", 0x008080, "Troops: ", "ITroops", "Train Stations"},
    {3, 0xFF, LandmarkKind::Troops, "Troops", 0x008080, "Troops: ", "ITroops", "Train Stations"},
    {4, 1, LandmarkKind::Bridge, "Bridge", 0x00FFFF, "Bridge: ", "IBridge", "Bridges"},
    {5, 0, LandmarkKind::Factory, "Factory", 0x000080, "Factory: ", "IFactory", "Factories"},
    {5, 19, LandmarkKind::Factory, "Factory", 0x000080, "Factory: ", "IFactory", "Factories"},
    {5, 0x14, LandmarkKind::Balloon, "Balloon", 0x008080, "Balloon: ", "IBalloon", "Factories"},
    {6, 0xAC, LandmarkKind::Disabled, "Unknown", std::nullopt, "Blank Landmark: ", "IBlank", ""},
    {7, 0, LandmarkKind::Town, "Town", 0x808080, "Town: ", "ITown", "Towns"},
    {8, 0, LandmarkKind::Village, "Village", 0x800080, "Village: ", "IVillage", "Villages"},
    {9, 0, LandmarkKind::Blank, "Blank", 0x000000, "Blank Landmark: ", "IBlank", "Blanks"},
    {10, 0, LandmarkKind::Unrecognised, "Unknown", std::nullopt, "Blank Landmark: ", "IBlank", ""},
    {255, 255, LandmarkKind::Unrecognised, "Unknown", std::nullopt, "Blank Landmark: ", "IBlank", ""},
};

TEST(LandmarkKinds, TypeAndSubTypeSelectKindAndItsTexts) {
    for (const KindRow& row : kKindRows) {
        SCOPED_TRACE(std::to_string(row.type) + "/" + std::to_string(row.subType));
        const LandmarkKind kind = classifyKind(row.type, row.subType);
        EXPECT_EQ(kind, row.kind);
        const KindInfo& info = kindInfo(kind);
        EXPECT_EQ(info.editorLabel, row.label);
        EXPECT_EQ(info.editorLabelColour, row.colour);
        EXPECT_EQ(info.hintPrefix, row.prefix);
        EXPECT_EQ(info.iconName, row.icon);
        EXPECT_EQ(info.ownershipColumn, row.column);
        // The ownership table looks at the type alone.
        const int column = ownershipColumnOfType(row.type);
        EXPECT_EQ(column < 0 ? std::string_view() : kOwnershipColumns[column], row.column);
    }
}

TEST(LandmarkKinds, EveryTypeFromTenUpIsUnrecognised) {
    for (int type = 10; type < 256; ++type)
        EXPECT_EQ(classifyKind(static_cast<std::uint8_t>(type), 0), LandmarkKind::Unrecognised) << type;
}

TEST(Sides, OnlyOneIsAllied) {
    for (int side = 0; side < 256; ++side) {
        const auto byte = static_cast<std::uint8_t>(side);
        EXPECT_EQ(isAllied(byte), side == 1) << side;
        EXPECT_EQ(sideColour(byte), side == 1 ? 0xFF0000u : 0x0000FFu) << side;
    }
}

} // namespace
} // namespace korvland
