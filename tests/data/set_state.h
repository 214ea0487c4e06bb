#pragma once

#include "data/landmark_set.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace korvland::testing {

// The message of the UserError an action throws, or "(no error)".
inline std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& e) {
        return e.what();
    }
    return "(no error)";
}

// The names in a folder, to check that nothing was left behind or removed.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

inline std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float floatFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A record's fields as bytes, so that NaN payloads compare bit for bit.
inline std::vector<std::uint8_t> fieldBytes(const LandmarkRecord& r) {
    std::vector<std::uint8_t> out;
    auto put = [&out](const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    put(&r.landmarkId, 2);
    put(&r.auxWord, 2);
    put(&r.loFileType, 1);
    put(&r.loFileNo, 1);
    put(&r.side, 1);
    put(&r.northSouth, 4);
    put(&r.eastWest, 4);
    put(&r.elevation, 4);
    put(&r.rotation, 4);
    put(r.name.data(), r.name.size());
    return out;
}

// Everything a LandmarkSet holds, for "the set is exactly as it was" checks.
struct SetState {
    std::uint16_t recordCount, recordSize, headerAuxWord, profileCount;
    std::vector<std::uint8_t> records; // all 1024 records' fields
    std::array<std::uint8_t, kMaxRecords> flags;
    std::array<std::uint8_t, kPathSize> path;
    std::string currentFileName;
    int currentIndex;
    bool operator==(const SetState&) const = default;
};

inline SetState stateOf(const LandmarkSet& set) {
    SetState s{set.recordCount(),   set.recordSize(),        set.headerAuxWord(),   set.profileCount(), {},
               set.disabledFlags(), set.landmarkPathBytes(), set.currentFileName(), set.currentIndex()};
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        const auto bytes = fieldBytes(set.record(i));
        s.records.insert(s.records.end(), bytes.begin(), bytes.end());
    }
    return s;
}

// A folder with a loaded set that is not trivial: twelve records at stride 80, record 6
// switched off by its type 6, record 4 selected and flag 2 set by hand.
struct LoadedSet {
    TempDir dir;
    LandmarkSet set;
    std::string path;

    LoadedSet() {
        LandmarkFileBuilder builder;
        builder.addMany(12).recordSize(80).headerAuxWord(0x1234);
        path = builder.writeTo(dir.path() / "lndmrks1.dat");
        set.read(path);
        set.selectRecord(4);
        set.setDisabled(2, 1);
    }
};

} // namespace korvland::testing
