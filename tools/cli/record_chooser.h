#pragma once

#include "data/landmark_filter.h"
#include "data/landmark_set.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvland::cli {

// Closed ranges of numbers, as "3,7,10-20" gives them.
using NumberRanges = std::vector<std::pair<unsigned, unsigned>>;

// The landmarks a command works on: the editor's filter (name, side, state and records by
// number) and what a script chooses by besides. Every criterion given must hold.
struct RecordChooser {
    LandmarkFilter filter;
    std::vector<LandmarkKind> kinds; // any of them; none: every kind
    struct Box {
        float northSouthFrom, northSouthTo, eastWestFrom, eastWestTo;
    };
    std::optional<Box> within; // the coordinates lie in it, edges included
    std::optional<NumberRanges> ids;
};

// The records the chooser lets through, ascending.
std::vector<std::size_t> chooseRecords(const LandmarkSet& set, const RecordChooser& chooser);

// Readers of option values. A text that is not one throws std::invalid_argument with the
// reason, naming what is allowed.
// A kind as export writes it ("Train Station"), in any letter case.
LandmarkKind parseKind(std::string_view text);
// "NS1,EW1,NS2,EW2": two corners of a box, in either order.
RecordChooser::Box parseBox(std::string_view text);
// Numbers from `low` to `high` and ranges of them: "3,7,10-20".
NumberRanges parseNumberRanges(std::string_view text, unsigned low, unsigned high);
// "HH" or "HH/HH": a type and, when given, a sub-type, one or two hexadecimal digits each.
std::pair<std::uint8_t, std::optional<std::uint8_t>> parseTypeAndSubType(std::string_view text);

} // namespace korvland::cli
