#pragma once

#include "data/landmark_set.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvland {

// One field that differs, as the operator reads it: "side", "German", "Allied".
struct FieldChange {
    std::string field;
    std::string a;
    std::string b;
    // Of a change in the bytes the program does not read: how many differ (the field says so
    // in words).
    std::size_t unknownBytes = 0;
    bool operator==(const FieldChange&) const = default;
};

// A record of one side only, or a changed pair; numbers are 1-based, 0 where the side has none.
struct RecordDiff {
    int recordA = 0;
    int recordB = 0;
    std::uint16_t id = 0;
    std::string name; // UTF-8, from A when A has the record
    std::vector<FieldChange> changes;
};

enum class Pairing { ById, ByIndex };

struct SetDiff {
    Pairing pairing = Pairing::ById;
    std::string pairingReason; // why by index: "identifiers repeat in A"
    std::vector<FieldChange> header;
    std::vector<RecordDiff> onlyInA;
    std::vector<RecordDiff> onlyInB;
    std::vector<RecordDiff> changed;

    bool same() const { return header.empty() && onlyInA.empty() && onlyInB.empty() && changed.empty(); }
};

// Pairs the records by identifier when identifiers are unique in both sets, otherwise by
// index, and compares the header words, every field bit for bit (the name's bytes after its
// end included), the switched-off flags and the bytes no field describes.
SetDiff diffSets(const LandmarkSet& a, const LandmarkSet& b);

} // namespace korvland
