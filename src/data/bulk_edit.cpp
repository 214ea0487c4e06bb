#include "data/bulk_edit.h"

namespace korvland {

namespace {

using Action = LandmarkEdit::Action;

// Whether the edit changes the record; `leftOff` is set when the type-6 rule refuses it.
bool changes(const LandmarkRecord& record, std::uint8_t flag, const LandmarkEdit& edit, bool& leftOff) {
    leftOff = false;
    switch (edit.action) {
    case Action::SwitchOn:
        if (flag == 0)
            return false;
        leftOff = record.loFileType == kDisabledType;
        return !leftOff;
    case Action::SwitchOff:
        return flag == 0;
    case Action::SetSide:
        return record.side != edit.value;
    case Action::SetType:
        return record.loFileType != edit.value || (edit.subType && record.loFileNo != *edit.subType);
    }
    return false;
}

} // namespace

BulkEditOutcome planBulkEdit(const LandmarkSet& set, std::span<const std::size_t> indices,
                             const LandmarkEdit& edit) {
    BulkEditOutcome outcome;
    outcome.changed.reserve(indices.size());
    for (const std::size_t index : indices) {
        if (index >= set.recordCount())
            continue;
        bool leftOff = false;
        if (changes(set.record(index), set.disabledFlag(index), edit, leftOff))
            outcome.changed.push_back(index);
        outcome.leftOff += leftOff ? 1 : 0;
    }
    return outcome;
}

BulkEditOutcome applyBulkEdit(LandmarkSet& set, std::span<const std::size_t> indices,
                              const LandmarkEdit& edit) {
    BulkEditOutcome outcome = planBulkEdit(set, indices, edit);
    for (const std::size_t index : outcome.changed) {
        if (edit.action == Action::SwitchOn || edit.action == Action::SwitchOff) {
            set.setDisabled(index, edit.action == Action::SwitchOn ? 0 : 1);
            continue;
        }
        LandmarkRecord record = set.record(index);
        if (edit.action == Action::SetSide) {
            record.side = edit.value;
        } else {
            record.loFileType = edit.value;
            record.loFileNo = edit.subType.value_or(record.loFileNo);
        }
        set.setRecord(index, record);
    }
    return outcome;
}

} // namespace korvland
