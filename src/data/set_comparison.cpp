#include "data/set_comparison.h"

#include "data/text_codec.h"
#include "data/value_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>

namespace korvland {

namespace {

std::string sideText(std::uint8_t side) {
    const std::string word = side == 1 ? "Allied" : "German";
    return side > 1 ? word + " (" + std::to_string(side) + ")" : word;
}

bool sameBits(float x, float y) {
    return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
}

// How many bytes of the two runs differ, a byte only one of them has counting too.
std::size_t differingBytes(std::span<const std::uint8_t> x, std::span<const std::uint8_t> y) {
    const std::size_t common = std::min(x.size(), y.size());
    std::size_t count = std::max(x.size(), y.size()) - common;
    for (std::size_t k = 0; k < common; ++k)
        count += x[k] != y[k] ? 1 : 0;
    return count;
}

std::string unknownBytesText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " unknown byte" : " unknown bytes");
}

std::vector<FieldChange> recordChanges(const LandmarkSet& a, std::size_t i, const LandmarkSet& b,
                                       std::size_t j, Pairing pairing) {
    const LandmarkRecord& x = a.record(i);
    const LandmarkRecord& y = b.record(j);
    std::vector<FieldChange> changes;
    // The texts are made only for what differs: most pairs are the same.
    const auto note = [&changes](bool differs, const char* field, auto from, auto to) {
        if (differs)
            changes.push_back({field, from(), to()});
    };
    const auto number = [](unsigned value) { return [value] { return std::to_string(value); }; };
    const auto hex = [](std::uint8_t value) { return [value] { return hexByte(value); }; };
    const auto side = [](std::uint8_t value) { return [value] { return sideText(value); }; };
    const auto real = [](float value) { return [value] { return floatText(value); }; };
    const auto name = [](const LandmarkRecord& r) { return [&r] { return decodeCp1252(r.nameBytes()); }; };
    const auto nothing = [] { return std::string(); };
    const auto state = [](std::uint8_t flag) {
        return [flag] { return std::string(flag == 0 ? "on" : "off"); };
    };

    note(pairing == Pairing::ById && i != j, "record", number(static_cast<unsigned>(i + 1)),
         number(static_cast<unsigned>(j + 1)));
    note(x.landmarkId != y.landmarkId, "id", number(x.landmarkId), number(y.landmarkId));
    note(x.auxWord != y.auxWord, "aux word", number(x.auxWord), number(y.auxWord));
    note(x.loFileType != y.loFileType, "type", hex(x.loFileType), hex(y.loFileType));
    note(x.loFileNo != y.loFileNo, "sub-type", hex(x.loFileNo), hex(y.loFileNo));
    note(x.side != y.side, "side", side(x.side), side(y.side));
    const std::pair<const char*, float LandmarkRecord::*> floats[] = {
        {"northSouth", &LandmarkRecord::northSouth},
        {"eastWest", &LandmarkRecord::eastWest},
        {"elevation", &LandmarkRecord::elevation},
        {"rotation", &LandmarkRecord::rotation}};
    for (const auto& [field, member] : floats)
        note(!sameBits(x.*member, y.*member), field, real(x.*member), real(y.*member));
    if (x.name != y.name) {
        const bool sameText = x.nameBytes() == y.nameBytes();
        note(!sameText, "name", name(x), name(y));
        // Bytes after the terminator are written out as they stand: the files differ there too.
        note(sameText, "name bytes after its end", nothing, nothing);
    }
    note((a.disabledFlag(i) == 0) != (b.disabledFlag(j) == 0), "state", state(a.disabledFlag(i)),
         state(b.disabledFlag(j)));
    // The bytes up to the next record, which a last record does not have (those after it are
    // the file's trailing bytes, compared with the header); of two record sizes the header
    // already tells.
    if (a.recordSize() == b.recordSize() && i + 1 < a.recordCount() && j + 1 < b.recordCount()) {
        if (const std::size_t count =
                differingBytes(a.unknownBytes().gapAfter(i), b.unknownBytes().gapAfter(j));
            count > 0)
            changes.push_back({unknownBytesText(count), "", "", count});
    }
    return changes;
}

// Where each identifier of a set sits: an open-addressed table of at least twice as many
// slots as records, each 0 (empty) or the identifier and the record's index + 1, so that a
// set of 1024 records takes two allocations rather than one per record.
class IdTable {
  public:
    // Nothing when an identifier repeats.
    static std::optional<IdTable> of(const LandmarkSet& set) {
        IdTable table(set.recordCount());
        for (std::size_t i = 0; i < set.recordCount(); ++i) {
            const std::uint16_t id = set.record(i).landmarkId;
            std::size_t slot = table.slotOf(id);
            if (table.mSlots[slot] != 0)
                return std::nullopt;
            table.mSlots[slot] = static_cast<std::uint32_t>(id) << 16 | static_cast<std::uint32_t>(i + 1);
        }
        return table;
    }

    // The index of the record with this identifier.
    std::optional<std::size_t> find(std::uint16_t id) const {
        const std::uint32_t entry = mSlots[slotOf(id)];
        return entry == 0 ? std::nullopt : std::optional<std::size_t>((entry & 0xFFFF) - 1);
    }
    bool contains(std::uint16_t id) const { return mSlots[slotOf(id)] != 0; }

  private:
    explicit IdTable(std::size_t count) {
        std::size_t slots = 16;
        while (slots < 2 * count)
            slots *= 2;
        mSlots.assign(slots, 0);
    }

    // The slot that holds `id`, or the empty one where it would go.
    std::size_t slotOf(std::uint16_t id) const {
        const std::size_t mask = mSlots.size() - 1;
        // Fibonacci hashing spreads neighbouring identifiers over the table.
        std::size_t slot = (static_cast<std::size_t>(id) * 0x9E3779B97F4A7C15ull >> 32) & mask;
        while (mSlots[slot] != 0 && mSlots[slot] >> 16 != id)
            slot = (slot + 1) & mask;
        return slot;
    }

    std::vector<std::uint32_t> mSlots;
};

RecordDiff single(const LandmarkSet& set, std::size_t i, bool inA) {
    RecordDiff d;
    (inA ? d.recordA : d.recordB) = static_cast<int>(i) + 1;
    d.id = set.record(i).landmarkId;
    d.name = decodeCp1252(set.record(i).nameBytes());
    return d;
}

void diffByIndex(const LandmarkSet& a, const LandmarkSet& b, SetDiff& diff) {
    const std::size_t common = std::min(a.recordCount(), b.recordCount());
    for (std::size_t i = 0; i < common; ++i) {
        // The name's text is made only for a record that changed: most have not.
        std::vector<FieldChange> changes = recordChanges(a, i, b, i, Pairing::ByIndex);
        if (changes.empty())
            continue;
        RecordDiff d = single(a, i, true);
        d.recordB = d.recordA;
        d.changes = std::move(changes);
        diff.changed.push_back(std::move(d));
    }
    for (std::size_t i = common; i < a.recordCount(); ++i)
        diff.onlyInA.push_back(single(a, i, true));
    for (std::size_t i = common; i < b.recordCount(); ++i)
        diff.onlyInB.push_back(single(b, i, false));
}

void diffById(const LandmarkSet& a, const IdTable& idsA, const LandmarkSet& b, const IdTable& idsB,
              SetDiff& diff) {
    for (std::size_t i = 0; i < a.recordCount(); ++i) {
        const std::optional<std::size_t> found = idsB.find(a.record(i).landmarkId);
        if (!found) {
            diff.onlyInA.push_back(single(a, i, true));
            continue;
        }
        std::vector<FieldChange> changes = recordChanges(a, i, b, *found, Pairing::ById);
        if (changes.empty())
            continue;
        RecordDiff d = single(a, i, true);
        d.recordB = static_cast<int>(*found) + 1;
        d.changes = std::move(changes);
        diff.changed.push_back(std::move(d));
    }
    for (std::size_t j = 0; j < b.recordCount(); ++j)
        if (!idsA.contains(b.record(j).landmarkId))
            diff.onlyInB.push_back(single(b, j, false));
}
} // namespace

SetDiff diffSets(const LandmarkSet& a, const LandmarkSet& b) {
    SetDiff diff;
    const auto word = [&diff](const char* field, unsigned x, unsigned y) {
        if (x != y)
            diff.header.push_back({field, std::to_string(x), std::to_string(y)});
    };
    word("records", a.recordCount(), b.recordCount());
    word("record size", a.recordSize(), b.recordSize());
    word("header word", a.headerAuxWord(), b.headerAuxWord());
    const std::vector<std::uint8_t>& trailingA = a.unknownBytes().trailing;
    const std::vector<std::uint8_t>& trailingB = b.unknownBytes().trailing;
    if (trailingA.size() != trailingB.size())
        word("bytes after the last record", static_cast<unsigned>(trailingA.size()),
             static_cast<unsigned>(trailingB.size()));
    else if (const std::size_t count = differingBytes(trailingA, trailingB); count > 0)
        diff.header.push_back({unknownBytesText(count) + " after the last record", "", "", count});

    const auto idsA = IdTable::of(a);
    const auto idsB = IdTable::of(b);
    if (idsA && idsB) {
        diffById(a, *idsA, b, *idsB, diff);
        return diff;
    }
    diff.pairing = Pairing::ByIndex;
    diff.pairingReason = !idsA && !idsB ? "identifiers repeat in A and in B"
                         : !idsA        ? "identifiers repeat in A"
                                        : "identifiers repeat in B";
    diffByIndex(a, b, diff);
    return diff;
}

} // namespace korvland
