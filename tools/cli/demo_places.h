#pragma once

#include <cstdint>
#include <span>

namespace korvland::cli::demo {

// How large a settlement is: its landmark is a city, a town or a village.
enum class Settlement : std::uint8_t { City, Town, Village };

// What else stands at a place, each one a landmark of its own.
namespace feature {
inline constexpr std::uint8_t None = 0;
inline constexpr std::uint8_t Station = 1;
inline constexpr std::uint8_t Bridge = 2;
inline constexpr std::uint8_t Factory = 4;
inline constexpr std::uint8_t Depot = 8;
inline constexpr std::uint8_t Airfield = 16;
} // namespace feature

// One-letter names for the place tables, so that a table row reads as one line.
namespace table_shorthand {
using enum Settlement;
inline constexpr std::uint8_t S = feature::Station, B = feature::Bridge, F = feature::Factory,
                              D = feature::Depot, A = feature::Airfield, N = feature::None;
} // namespace table_shorthand

// Degrees: latitude north, longitude east (west is negative).
struct GeoPoint {
    float lat;
    float lon;
};

struct Place {
    const char* name; // UTF-8; every character has a Windows-1252 byte
    GeoPoint at;
    Settlement size;
    std::uint8_t features;
};

struct RegionPlaces {
    std::span<const Place> places;
    // The front line from one end to the other.
    std::span<const GeoPoint> front;
    // Followed after the front's last point, these close the German-held area.
    std::span<const GeoPoint> germanClosure;
    // The ground's height in metres at a point; `noise` is 0 to 1, for variety.
    float (*elevation)(GeoPoint at, float noise);
};

const RegionPlaces& marnePlaces();
const RegionPlaces& flandersPlaces();
const RegionPlaces& verdunPlaces();
const RegionPlaces& alsacePlaces();
const RegionPlaces& islandPlaces();

} // namespace korvland::cli::demo
