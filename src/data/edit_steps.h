#pragma once

#include "data/landmark_set.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvland {

// The unsaved edits themselves, as the undo history holds them: which field of which records
// went from what to what. Kept beside a recovery copy, they let the work be laid again onto
// the file as another program has left it, instead of putting the whole copy over that file.

enum class EditField : std::uint8_t { Name, Type, SubType, Side, Active };

// A field's bytes: the name's 40, one byte for the others (the switched-off flag for Active).
using FieldValue = std::string;

struct RecordEdit {
    std::uint16_t index = 0;
    FieldValue before;
    FieldValue after;
    bool operator==(const RecordEdit&) const = default;
};

// One undo step: one record, or several at once (an edit of the selection), one field each.
struct EditStep {
    EditField field = EditField::Name;
    bool bulk = false;
    std::vector<RecordEdit> records;
    bool operator==(const EditStep&) const = default;
};

// The field's value in a record whose switched-off flag is `flag`, and in a set's record.
FieldValue fieldValue(const LandmarkRecord& record, std::uint8_t flag, EditField field);
FieldValue fieldValue(const LandmarkSet& set, std::size_t index, EditField field);
// The record with `field` set to `value` (Active is no field of the record: unchanged).
LandmarkRecord withFieldValue(LandmarkRecord record, EditField field, const FieldValue& value);

// The steps' text, tied to the copy it was written with, and back; nothing when the text is
// not such a list, is cut short, or belongs to another copy.
std::string describeSteps(std::span<const EditStep> steps, std::uint64_t copyHash);
std::optional<std::vector<EditStep>> parseSteps(const std::string& text, std::uint64_t copyHash);

// The largest list of steps kept: far above a day's edits (a step of one record takes about
// 200 bytes, one of the whole set about 12 kB), far below what would stall the editor's start.
// Longer work is kept as the whole copy alone.
inline constexpr std::size_t kStepsSizeLimit = 16u << 20;

// Where the steps of a recovery copy lie, beside its description.
std::string stepsPathFor(const std::string& descriptionPath);

// Reads the steps kept at `path` for the copy of `copyHash`; nothing when there are none, the
// file is larger than any list of steps the editor writes, or it does not describe that copy.
std::optional<std::vector<EditStep>> readSteps(const std::string& path, std::uint64_t copyHash);

// Sets every field the steps change to the value they leave it at, first step first: the
// unsaved work laid onto a set, its values winning wherever the set differs.
void replaySteps(LandmarkSet& set, std::span<const EditStep> steps);

// Sets every field the steps changed back to the value it had before them, last step first:
// the set as the file was before the steps.
void unwindSteps(LandmarkSet& set, std::span<const EditStep> steps);

// A record whose fields another program changed where steps change them too: the file holds
// neither the value a step started from nor the one the steps left.
struct StepConflict {
    std::uint16_t index = 0;
    std::vector<EditField> fields;
    bool operator==(const StepConflict&) const = default;
};

// The conflicts of laying `steps` onto `file`, by record, ascending; nothing when a step
// names a record the file does not have, so that the steps do not fit it at all.
std::optional<std::vector<StepConflict>> findStepConflicts(const LandmarkSet& file,
                                                           std::span<const EditStep> steps);

// The steps without the edits of the conflicting fields of `keptFromFile`'s records, where
// the file's values stay; steps left without a record go.
std::vector<EditStep> withoutConflicts(std::span<const EditStep> steps,
                                       std::span<const StepConflict> keptFromFile);

} // namespace korvland
