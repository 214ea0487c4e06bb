#pragma once

#include "data/edit_steps.h"

#include <optional>
#include <vector>

class QWidget;

namespace korvland {

class Dialogs;

// The objectNames of the question's parts; the choice of record 12 (index 11) is
// "ConflictRecord11".
namespace conflict_choice_names {
inline constexpr char kDialog[] = "ConflictChoice";
inline constexpr char kRecordPrefix[] = "ConflictRecord";
} // namespace conflict_choice_names

// Lists the records where another program changed a field that the unsaved steps change too,
// each with its own choice (keep mine, or keep the file's), and returns the conflicts whose
// records keep the file's values; nothing when the operator cancels.
std::optional<std::vector<StepConflict>> chooseConflicts(Dialogs& dialogs, QWidget* parent,
                                                         const LandmarkSet& file,
                                                         const std::vector<StepConflict>& conflicts);

} // namespace korvland
