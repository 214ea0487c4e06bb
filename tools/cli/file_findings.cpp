#include "file_findings.h"

#include "record_text.h"

#include "data/landmark_kind.h"
#include "data/terminal_text.h"
#include "map/map_projection.h"

#include <array>
#include <cmath>
#include <nlohmann/json.hpp>
#include <unordered_map>

namespace korvland::cli {

namespace {

// "record 3", "records 3, 17": the others a finding names.
std::string recordList(const std::vector<int>& numbers, std::size_t from) {
    std::string text = numbers.size() - from == 1 ? "record " : "records ";
    for (std::size_t k = from; k < numbers.size(); ++k)
        text += (k == from ? "" : ", ") + std::to_string(numbers[k]);
    return text;
}

std::string nonFiniteFields(const LandmarkRecord& r) {
    const std::array<std::pair<const char*, float>, 4> fields{{{"northSouth", r.northSouth},
                                                               {"eastWest", r.eastWest},
                                                               {"elevation", r.elevation},
                                                               {"rotation", r.rotation}}};
    std::string text;
    for (const auto& [name, value] : fields) {
        if (std::isfinite(value))
            continue;
        text += (text.empty() ? "" : ", ") + std::string(name) + " is " + floatText(value);
    }
    return text;
}

// Blank and unrecognised types: the map shows either as a bare "Blank Landmark".
bool isBlankKind(LandmarkKind kind) {
    return kind == LandmarkKind::Blank || kind == LandmarkKind::Unrecognised;
}

std::string recordSizeMessage(unsigned size) {
    const std::string head = "record size " + std::to_string(size) + " is not 63: ";
    if (size < kRecordFieldsSize)
        return head + "each record's last " + std::to_string(kRecordFieldsSize - size) +
               " bytes are the next record's first";
    return head + "each record carries " + std::to_string(size - kRecordFieldsSize) +
           " bytes the program neither reads nor writes";
}

// The records before `index` that share its key, in record order, as 1-based numbers after
// the record's own (nothing when none does); `seen` keeps every index by key.
template <typename Key>
std::vector<int> sharing(std::unordered_map<Key, std::vector<int>>& seen, const Key& key, std::size_t index) {
    std::vector<int>& earlier = seen[key];
    std::vector<int> numbers;
    if (!earlier.empty()) {
        numbers.push_back(static_cast<int>(index) + 1);
        numbers.insert(numbers.end(), earlier.begin(), earlier.end());
    }
    earlier.push_back(static_cast<int>(index) + 1);
    return numbers;
}

} // namespace

std::vector<Finding> findProblems(const LandmarkSet& set, int region) {
    std::vector<Finding> findings;
    const std::size_t count = set.recordCount();
    if (set.recordSize() != kRecordFieldsSize)
        findings.push_back({"record-size", Severity::Warning, {}, recordSizeMessage(set.recordSize())});

    const std::span<const LandmarkRecord> records(&set.record(0), count);
    const std::vector<MapPoint> points = projectRecords(records, 1.0f, region);
    std::unordered_map<std::uint16_t, std::vector<int>> byId;
    std::unordered_map<std::uint64_t, std::vector<int>> byPixel;
    byId.reserve(count);
    byPixel.reserve(count);

    for (std::size_t i = 0; i < count; ++i) {
        const LandmarkRecord& r = records[i];
        const int number = static_cast<int>(i) + 1;
        const auto add = [&](const char* code, Severity severity, std::string message,
                             std::vector<int> numbers = {}) {
            if (numbers.empty())
                numbers.push_back(number);
            findings.push_back({code, severity, std::move(numbers), std::move(message)});
        };
        if (std::vector<int> same = sharing(byId, r.landmarkId, i); !same.empty())
            add("duplicate-id", Severity::Error,
                "identifier " + std::to_string(r.landmarkId) + " is also used by " + recordList(same, 1),
                same);
        if (const std::string fields = nonFiniteFields(r); !fields.empty())
            add("non-finite", Severity::Error, fields);
        if (set.disabledFlag(i) == 0) {
            // Only active markers hide one another; a switched-off one is drawn hatched.
            const std::uint64_t pixel =
                (static_cast<std::uint64_t>(static_cast<std::uint32_t>(points[i].x)) << 32) |
                static_cast<std::uint32_t>(points[i].y);
            if (std::vector<int> same = sharing(byPixel, pixel, i); !same.empty())
                add("same-position", Severity::Warning,
                    "its marker falls on map pixel (" + std::to_string(points[i].x) + ", " +
                        std::to_string(points[i].y) + ") at 1:1, as that of " + recordList(same, 1) + " does",
                    same);
        }
        if (r.name[0] == 0)
            add("empty-name", Severity::Warning, "the name is empty");
        if (r.side > 1)
            add("other-side", Severity::Warning,
                "side byte " + std::to_string(r.side) +
                    " is neither 0 nor 1; the program shows it as German");
        const LandmarkKind kind = classifyKind(r.loFileType, r.loFileNo);
        if (set.disabledFlag(i) == 0 && isBlankKind(kind))
            add("blank-active", Severity::Warning,
                "an active landmark of type " + hexByte(r.loFileType) + " (" +
                    std::string(kindInfo(kind).editorLabel) + "), which the map shows as a blank landmark");
    }
    return findings;
}

Finding unreadableFinding(const std::string& message) {
    return {"unreadable", Severity::Error, {}, message};
}

bool failsCheck(const std::vector<Finding>& findings, bool strict) {
    for (const Finding& f : findings)
        if (strict || f.severity == Severity::Error)
            return true;
    return false;
}

std::string findingsText(const std::string& file, const std::vector<Finding>& findings) {
    std::string out;
    const std::string shownFile = terminalText(file);
    for (const Finding& f : findings) {
        out += shownFile + ": ";
        if (!f.records.empty())
            out += "record " + std::to_string(f.records.front()) + ": ";
        out += f.severity == Severity::Error ? "error " : "warning ";
        out += f.code + ": " + terminalText(f.message) + "\n";
    }
    return out;
}

std::string findingsJson(const std::string& file, const std::vector<Finding>& findings) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& f : findings) {
        nlohmann::ordered_json entry;
        entry["code"] = f.code;
        entry["severity"] = f.severity == Severity::Error ? "error" : "warning";
        entry["records"] = f.records;
        entry["message"] = f.message;
        list.push_back(std::move(entry));
    }
    nlohmann::ordered_json document;
    document["file"] = file;
    document["findings"] = std::move(list);
    // A path need not be UTF-8; JSON text must be.
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace korvland::cli
