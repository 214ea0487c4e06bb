#include "data/edit_steps.h"

#include "data/file_io.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <sstream>
#include <string_view>

namespace korvland {

namespace {

constexpr std::string_view kHeading = "korvland steps 1";
constexpr std::string_view kStepsSuffix = ".steps";
constexpr std::string_view kDescriptionSuffix = ".recovery";

constexpr std::array<std::string_view, 5> kFieldNames{"name", "type", "subtype", "side", "active"};

std::size_t valueSize(EditField field) {
    return field == EditField::Name ? kNameSize : 1;
}

std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 15];
    }
    return out;
}

std::optional<FieldValue> fromHex(std::string_view text, std::size_t size) {
    if (text.size() != 2 * size)
        return std::nullopt;
    FieldValue value(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        unsigned byte = 0;
        const auto [end, error] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, byte, 16);
        if (error != std::errc{} || end != text.data() + 2 * i + 2)
            return std::nullopt;
        value[i] = static_cast<char>(byte);
    }
    return value;
}

} // namespace

FieldValue fieldValue(const LandmarkSet& set, std::size_t index, EditField field) {
    return fieldValue(set.record(index), set.disabledFlag(index), field);
}

FieldValue fieldValue(const LandmarkRecord& record, std::uint8_t flag, EditField field) {
    switch (field) {
    case EditField::Name:
        return FieldValue(record.name.begin(), record.name.end());
    case EditField::Type:
        return FieldValue(1, static_cast<char>(record.loFileType));
    case EditField::SubType:
        return FieldValue(1, static_cast<char>(record.loFileNo));
    case EditField::Side:
        return FieldValue(1, static_cast<char>(record.side));
    case EditField::Active:
        break;
    }
    return FieldValue(1, static_cast<char>(flag));
}

LandmarkRecord withFieldValue(LandmarkRecord record, EditField field, const FieldValue& value) {
    const auto byte = value.empty() ? std::uint8_t{0} : static_cast<std::uint8_t>(value[0]);
    switch (field) {
    case EditField::Name:
        std::copy_n(value.begin(), std::min(value.size(), kNameSize), record.name.begin());
        break;
    case EditField::Type:
        record.loFileType = byte;
        break;
    case EditField::SubType:
        record.loFileNo = byte;
        break;
    case EditField::Side:
        record.side = byte;
        break;
    case EditField::Active:
        break;
    }
    return record;
}

std::string describeSteps(std::span<const EditStep> steps, std::uint64_t copyHash) {
    std::ostringstream out;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(copyHash));
    out << kHeading << "\ncopy " << hash << '\n';
    for (const EditStep& step : steps) {
        out << "step " << kFieldNames[static_cast<std::size_t>(step.field)] << ' ' << (step.bulk ? 1 : 0)
            << ' ' << step.records.size() << '\n';
        for (const RecordEdit& edit : step.records)
            out << edit.index << ' ' << hex(edit.before) << ' ' << hex(edit.after) << '\n';
    }
    out << "end\n";
    return out.str();
}

std::optional<std::vector<EditStep>> parseSteps(const std::string& text, std::uint64_t copyHash) {
    std::istringstream in(text);
    std::string line;
    std::string word;
    std::uint64_t hash = 0;
    if (!std::getline(in, line) || line != kHeading || !(in >> word >> std::hex >> hash >> std::dec) ||
        word != "copy" || hash != copyHash)
        return std::nullopt;
    std::vector<EditStep> steps;
    while (in >> word) {
        if (word == "end")
            return in >> word ? std::nullopt : std::optional(std::move(steps));
        std::string fieldName;
        int bulk = 0;
        std::size_t count = 0;
        if (word != "step" || !(in >> fieldName >> bulk >> count) || count == 0 || count > kMaxRecords)
            return std::nullopt;
        const auto named = std::find(kFieldNames.begin(), kFieldNames.end(), fieldName);
        if (named == kFieldNames.end())
            return std::nullopt;
        EditStep& step = steps.emplace_back();
        step.field = static_cast<EditField>(named - kFieldNames.begin());
        step.bulk = bulk != 0;
        for (std::size_t i = 0; i < count; ++i) {
            unsigned index = 0;
            std::string before;
            std::string after;
            if (!(in >> index >> before >> after) || index >= kMaxRecords)
                return std::nullopt;
            std::optional<FieldValue> from = fromHex(before, valueSize(step.field));
            std::optional<FieldValue> to = fromHex(after, valueSize(step.field));
            if (!from || !to)
                return std::nullopt;
            step.records.push_back({static_cast<std::uint16_t>(index), std::move(*from), std::move(*to)});
        }
    }
    // No "end": the list was cut short.
    return std::nullopt;
}

std::string stepsPathFor(const std::string& descriptionPath) {
    std::string_view stem = descriptionPath;
    if (stem.ends_with(kDescriptionSuffix))
        stem.remove_suffix(kDescriptionSuffix.size());
    return std::string(stem) + std::string(kStepsSuffix);
}

std::optional<std::vector<EditStep>> readSteps(const std::string& path, std::uint64_t copyHash) {
    try {
        const std::vector<std::uint8_t> bytes = readWholeFile(path, kStepsSizeLimit + 1);
        if (bytes.size() > kStepsSizeLimit)
            return std::nullopt;
        return parseSteps(std::string(bytes.begin(), bytes.end()), copyHash);
    } catch (const UserError&) {
        return std::nullopt;
    }
}

namespace {

void setFieldValue(LandmarkSet& set, std::size_t index, EditField field, const FieldValue& value) {
    if (field == EditField::Active)
        set.setDisabled(index, static_cast<std::uint8_t>(value.front()));
    else
        set.setRecord(index, withFieldValue(set.record(index), field, value));
}

} // namespace

void replaySteps(LandmarkSet& set, std::span<const EditStep> steps) {
    for (const EditStep& step : steps)
        for (const RecordEdit& edit : step.records)
            setFieldValue(set, edit.index, step.field, edit.after);
}

void unwindSteps(LandmarkSet& set, std::span<const EditStep> steps) {
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        for (const RecordEdit& edit : step->records)
            setFieldValue(set, edit.index, step->field, edit.before);
}

std::optional<std::vector<StepConflict>> findStepConflicts(const LandmarkSet& file,
                                                           std::span<const EditStep> steps) {
    // Per record and field: the value the first step started from and the one the last left.
    struct Span {
        const FieldValue* first = nullptr;
        const FieldValue* last = nullptr;
    };
    std::map<std::pair<std::uint16_t, EditField>, Span> touched;
    for (const EditStep& step : steps) {
        for (const RecordEdit& edit : step.records) {
            if (edit.index >= file.recordCount())
                return std::nullopt;
            Span& span = touched[{edit.index, step.field}];
            if (!span.first)
                span.first = &edit.before;
            span.last = &edit.after;
        }
    }
    std::vector<StepConflict> conflicts;
    for (const auto& [where, span] : touched) {
        const FieldValue now = fieldValue(file, where.first, where.second);
        if (now == *span.first || now == *span.last)
            continue;
        if (conflicts.empty() || conflicts.back().index != where.first)
            conflicts.push_back({where.first, {}});
        conflicts.back().fields.push_back(where.second);
    }
    return conflicts;
}

std::vector<EditStep> withoutConflicts(std::span<const EditStep> steps,
                                       std::span<const StepConflict> keptFromFile) {
    const auto kept = [&](std::uint16_t index, EditField field) {
        return std::any_of(keptFromFile.begin(), keptFromFile.end(), [&](const StepConflict& conflict) {
            return conflict.index == index &&
                   std::find(conflict.fields.begin(), conflict.fields.end(), field) != conflict.fields.end();
        });
    };
    std::vector<EditStep> left;
    for (const EditStep& step : steps) {
        EditStep trimmed{step.field, step.bulk, {}};
        for (const RecordEdit& edit : step.records)
            if (!kept(edit.index, step.field))
                trimmed.records.push_back(edit);
        if (!trimmed.records.empty())
            left.push_back(std::move(trimmed));
    }
    return left;
}

} // namespace korvland
