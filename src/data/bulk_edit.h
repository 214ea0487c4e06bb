#pragma once

#include "data/landmark_set.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvland {

// One edit of many landmarks at once: the editor's Switch On, Switch Off and Side of the
// selection, and the command line's edit. The rules of which records change live here, so
// that both change the same ones.
struct LandmarkEdit {
    enum class Action { SwitchOn, SwitchOff, SetSide, SetType };
    Action action = Action::SwitchOff;
    std::uint8_t value = 0;              // the side (0 German, 1 Allied) or the type
    std::optional<std::uint8_t> subType; // with SetType; none keeps each record's own
    bool operator==(const LandmarkEdit&) const = default;
};

// The records an edit changes, and how many a rule keeps as they were: a landmark of type 6
// is never switched on, because the file marks it switched off whatever its flag says.
struct BulkEditOutcome {
    std::vector<std::size_t> changed; // ascending
    std::size_t leftOff = 0;
    bool operator==(const BulkEditOutcome&) const = default;
};

// What the edit would do to `indices` (ascending, each once); the set does not change.
// Indices beyond the loaded records are ignored. Switching off keeps a profile's flag 2,
// which already means off; switching on stores 0, off stores 1.
BulkEditOutcome planBulkEdit(const LandmarkSet& set, std::span<const std::size_t> indices,
                             const LandmarkEdit& edit);

// Makes the edit and says what it did.
BulkEditOutcome applyBulkEdit(LandmarkSet& set, std::span<const std::size_t> indices,
                              const LandmarkEdit& edit);

} // namespace korvland
