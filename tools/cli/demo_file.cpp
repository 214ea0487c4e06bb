#include "demo_file.h"

#include "demo_places.h"

#include "data/landmark_file.h"
#include "data/map_projection.h"
#include "data/text_codec.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace korvland::cli {

namespace {

using demo::GeoPoint;
using demo::Place;
using demo::RegionPlaces;
using demo::Settlement;

constexpr int kTroopsPerSide = 40;
constexpr int kBalloonsPerSide = 10;
// Spare landmarks are kept switched off: an active blank is something `check` warns about.
constexpr int kBlanks = 4;
// Every record whose index leaves this remainder is switched off.
constexpr std::size_t kSwitchedOffEvery = 43;
constexpr std::size_t kSwitchedOffRemainder = 21;
// A degree east-west is shorter than a degree north-south at these latitudes (cos 49°).
constexpr float kLonScale = 0.66f;

constexpr std::uint8_t kAirfield = 0, kCity = 1, kSupply = 2, kRail = 3, kBridge = 4, kWorks = 5, kTown = 7,
                       kVillage = 8, kBlank = 9;

// A landmark before its number, side and ground height are known.
struct Draft {
    std::uint8_t type;
    std::uint8_t subTypeBase; // 0: sub-type 0 to 19; 20: sub-type 20 and above
    GeoPoint at;
    std::string name; // UTF-8
};

const RegionPlaces& placesOf(int region) {
    switch (region) {
    case 0:
        return demo::marnePlaces();
    case 1:
        return demo::flandersPlaces();
    case 2:
        return demo::verdunPlaces();
    case 3:
        return demo::alsacePlaces();
    case 4:
        return demo::islandPlaces();
    default:
        throw std::out_of_range("region " + std::to_string(region));
    }
}

// A fixed integer hash: the same variety on every run and every machine.
std::uint32_t mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::vector<GeoPoint> germanArea(const RegionPlaces& r) {
    std::vector<GeoPoint> area(r.front.begin(), r.front.end());
    area.insert(area.end(), r.germanClosure.begin(), r.germanClosure.end());
    return area;
}

bool inside(const std::vector<GeoPoint>& area, GeoPoint p) {
    bool in = false;
    for (std::size_t i = 0, j = area.size() - 1; i < area.size(); j = i++) {
        const GeoPoint a = area[i];
        const GeoPoint b = area[j];
        if ((a.lat > p.lat) != (b.lat > p.lat)) {
            const float lonAt = a.lon + (p.lat - a.lat) / (b.lat - a.lat) * (b.lon - a.lon);
            if (p.lon < lonAt)
                in = !in;
        }
    }
    return in;
}

// A point of the front, with the unit normal (in scaled degrees) pointing into German ground.
struct FrontPoint {
    GeoPoint at;
    float normalLat;
    float normalLon;
};

GeoPoint moved(GeoPoint from, float normalLat, float normalLon, float distance) {
    return {from.lat + normalLat * distance, from.lon + normalLon * distance / kLonScale};
}

FrontPoint frontAt(const RegionPlaces& r, const std::vector<GeoPoint>& area, float fraction) {
    std::vector<float> lengths;
    float total = 0;
    for (std::size_t i = 1; i < r.front.size(); ++i) {
        const float dLat = r.front[i].lat - r.front[i - 1].lat;
        const float dLon = (r.front[i].lon - r.front[i - 1].lon) * kLonScale;
        lengths.push_back(std::sqrt(dLat * dLat + dLon * dLon));
        total += lengths.back();
    }
    float along = fraction * total;
    std::size_t segment = 0;
    while (segment + 1 < lengths.size() && along > lengths[segment]) {
        along -= lengths[segment];
        ++segment;
    }
    const GeoPoint a = r.front[segment];
    const GeoPoint b = r.front[segment + 1];
    const float t = std::clamp(along / lengths[segment], 0.0f, 1.0f);
    const GeoPoint at{a.lat + (b.lat - a.lat) * t, a.lon + (b.lon - a.lon) * t};
    const float dLat = (b.lat - a.lat) / lengths[segment];
    const float dLon = (b.lon - a.lon) * kLonScale / lengths[segment];
    FrontPoint point{at, dLon, -dLat};
    if (!inside(area, moved(at, point.normalLat, point.normalLon, 0.004f))) {
        point.normalLat = -point.normalLat;
        point.normalLon = -point.normalLon;
    }
    return point;
}

const Place& nearestPlace(const RegionPlaces& r, GeoPoint p) {
    const Place* best = &r.places.front();
    float bestDistance = 1e9f;
    for (const Place& place : r.places) {
        const float dLat = place.at.lat - p.lat;
        const float dLon = (place.at.lon - p.lon) * kLonScale;
        const float distance = dLat * dLat + dLon * dLon;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &place;
        }
    }
    return *best;
}

void addPlaceFeature(std::vector<Draft>& drafts, const RegionPlaces& r, std::uint8_t wanted,
                     std::uint8_t type, const char* suffix, GeoPoint offset) {
    for (const Place& place : r.places)
        if (place.features & wanted)
            drafts.push_back({type,
                              0,
                              {place.at.lat + offset.lat, place.at.lon + offset.lon},
                              std::string(place.name) + suffix});
}

void addSettlements(std::vector<Draft>& drafts, const RegionPlaces& r, Settlement size, std::uint8_t type) {
    for (const Place& place : r.places)
        if (place.size == size)
            drafts.push_back({type, 0, place.at, place.name});
}

// Units along the front on both sides, `depth` scaled degrees from the line, named after
// the nearest place.
void addFrontUnits(std::vector<Draft>& drafts, const RegionPlaces& r, const std::vector<GeoPoint>& area,
                   int perSide, std::uint8_t type, const char* prefix, float depth, float depthStep) {
    std::map<std::string, int> uses;
    for (int k = 0; k < 2 * perSide; ++k) {
        const int slot = k / 2;
        const float side = k % 2 == 0 ? 1.0f : -1.0f; // German ground, then Allied
        const FrontPoint front =
            frontAt(r, area, (static_cast<float>(slot) + 0.5f) / static_cast<float>(perSide));
        const float distance = depth + depthStep * static_cast<float>(slot % 3);
        const GeoPoint at = moved(front.at, front.normalLat * side, front.normalLon * side, distance);
        std::string name = std::string(prefix) + nearestPlace(r, at).name;
        const int used = ++uses[name];
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about " " + text.
        if (used > 1)
            name.append(1, ' ').append(std::to_string(used));
        drafts.push_back({type, 20, at, name});
    }
}

std::vector<Draft> drafts(const RegionPlaces& r) {
    using namespace demo::feature;
    const std::vector<GeoPoint> area = germanArea(r);
    std::vector<Draft> d;
    addPlaceFeature(d, r, Airfield, kAirfield, " Aerodrome", {-0.012f, 0.018f});
    addSettlements(d, r, Settlement::City, kCity);
    addPlaceFeature(d, r, Depot, kSupply, " Depot", {-0.004f, -0.006f});
    addPlaceFeature(d, r, Station, kRail, " Station", {0.003f, -0.004f});
    addFrontUnits(d, r, area, kTroopsPerSide, kRail, "Troops near ", 0.006f, 0.003f);
    addPlaceFeature(d, r, Bridge, kBridge, " Bridge", {-0.002f, 0.003f});
    addPlaceFeature(d, r, Factory, kWorks, " Works", {0.005f, 0.006f});
    addFrontUnits(d, r, area, kBalloonsPerSide, kWorks, "Balloon near ", 0.030f, 0.008f);
    addSettlements(d, r, Settlement::Town, kTown);
    addSettlements(d, r, Settlement::Village, kVillage);
    for (int k = 0; k < kBlanks; ++k) {
        const Place& place = r.places[(static_cast<std::size_t>(k) * 13) % r.places.size()];
        d.push_back({kBlank,
                     0,
                     {place.at.lat + 0.010f, place.at.lon + 0.010f},
                     "Spare Landmark " + std::to_string(k + 1)});
    }
    return d;
}

std::uint8_t subTypeOf(const Draft& draft, std::uint32_t hash) {
    std::uint32_t choices = 4;
    switch (draft.type) {
    case kCity:
        choices = 3;
        break;
    case kRail:
        choices = draft.subTypeBase == 0 ? 20 : 12;
        break;
    case kWorks:
        choices = draft.subTypeBase == 0 ? 10 : 4;
        break;
    case kVillage:
        choices = 6;
        break;
    case kBlank:
        choices = 1;
        break;
    default:
        break;
    }
    return static_cast<std::uint8_t>(draft.subTypeBase + hash % choices);
}

float rotationOf(const Draft& draft, std::uint32_t hash) {
    switch (draft.type) {
    case kAirfield:
        return static_cast<float>(hash % 36) * 10.0f; // runway heading
    case kBridge:
        return static_cast<float>(hash % 12) * 15.0f;
    case kRail:
    case kWorks:
        return draft.subTypeBase == 0 ? 0.0f : static_cast<float>(hash % 8) * 45.0f;
    default:
        return 0.0f;
    }
}

// Positions to four decimals (about ten metres), so that they read as a person would type them.
float toTenThousandths(float degrees) {
    return static_cast<float>(std::round(static_cast<double>(degrees) * 10000.0) / 10000.0);
}

// A step east small enough to keep a landmark at its place, and large enough to leave a
// position written to four decimals.
constexpr float kMarkerStep = 0.0005f;

// Active markers that fall on one map pixel at 1:1 hide one another (a unit at a village):
// the later one moves east until its pixel is its own. Returns whether one moved, which may
// move the map's corner: the caller runs it again until none does.
bool separateMarkers(std::vector<LandmarkRecord>& records, int region) {
    const ProjectionBounds bounds = projectionBounds(records);
    const ProjectionFactors factors = projectionFactors(1.0f, region);
    std::set<std::pair<int, int>> taken;
    bool moved = false;
    for (LandmarkRecord& record : records) {
        if (record.loFileType == kDisabledType)
            continue;
        while (true) {
            const MapPoint point = projectPoint(record.northSouth, record.eastWest, bounds, factors);
            if (taken.insert({point.x, point.y}).second)
                break;
            record.eastWest = toTenThousandths(record.eastWest + kMarkerStep);
            moved = true;
        }
    }
    return moved;
}

} // namespace

std::vector<LandmarkRecord> demoRecords(int region) {
    const RegionPlaces& r = placesOf(region);
    const std::vector<GeoPoint> area = germanArea(r);
    const std::vector<Draft> all = drafts(r);
    std::vector<LandmarkRecord> records;
    for (std::size_t i = 0; i < all.size(); ++i) {
        Draft draft = all[i];
        draft.at = {toTenThousandths(draft.at.lat), toTenThousandths(draft.at.lon)};
        const std::uint32_t hash =
            mix(static_cast<std::uint32_t>(region) << 16 | static_cast<std::uint32_t>(i));
        LandmarkRecord record;
        record.landmarkId = static_cast<std::uint16_t>(1000 * (region + 1) + 1 + static_cast<int>(i));
        record.loFileType = draft.type;
        record.loFileNo = subTypeOf(draft, mix(hash ^ 0x51u));
        record.side = inside(area, draft.at) ? 0 : 1;
        record.northSouth = draft.at.lat;
        record.eastWest = draft.at.lon;
        const float noise = static_cast<float>(mix(hash ^ 0xE1u) % 1000) / 999.0f;
        record.elevation = std::round(r.elevation(draft.at, noise) * 10.0f) / 10.0f;
        record.rotation = rotationOf(draft, mix(hash ^ 0x20u));
        if (draft.type == kBlank || i % kSwitchedOffEvery == kSwitchedOffRemainder) {
            record.loFileType = kDisabledType;
            record.loFileNo = kDisabledSubType;
        }
        const std::optional<std::string> name = encodeCp1252(draft.name);
        if (!name)
            throw std::logic_error("a demonstration name has no Windows-1252 form: " + draft.name);
        // Room for the terminator: names in the tables are well short of 40 bytes.
        std::copy_n(name->begin(), std::min(name->size(), kNameSize - 1), record.name.begin());
        records.push_back(record);
    }
    while (separateMarkers(records, region)) {
    }
    return records;
}

std::vector<std::uint8_t> demoLandmarkFile(int region) {
    const std::vector<LandmarkRecord> records = demoRecords(region);
    return encodeLandmarkFile(static_cast<std::uint16_t>(records.size()), kRecordFieldsSize, 0, records);
}

} // namespace korvland::cli
