#include "file_findings.h"

#include "info_report.h"
#include "record_text.h"

#include "data/landmark_kind.h"
#include "data/map_projection.h"
#include "data/terminal_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

namespace korvland::cli {

namespace {

// "record 3", "records 3 and 9", "records 3, 9 and 14".
std::string recordsText(const std::vector<int>& numbers) {
    std::string text = numbers.size() == 1 ? "record " : "records ";
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k != 0)
            text += k + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[k]);
    }
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
           " bytes the program does not understand; every write keeps them as they are";
}

// For every record, the record before it with the same key, or -1; records whose key is
// nothing are left out. One pass over an open-addressed table of the last record seen with
// each key, and no allocation per record.
template <typename KeyOf> std::vector<int> previousSharing(std::size_t count, KeyOf keyOf) {
    using Key = typename decltype(keyOf(std::size_t{}))::value_type;
    std::size_t slots = 16;
    while (slots < 2 * count)
        slots *= 2;
    const std::size_t mask = slots - 1;
    std::vector<std::pair<Key, int>> last(slots, {Key{}, -1});
    std::vector<int> previous(count, -1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<Key> key = keyOf(i);
        if (!key)
            continue;
        // Fibonacci hashing spreads neighbouring keys (identifiers, pixels) over the table.
        std::size_t slot =
            static_cast<std::size_t>((static_cast<std::uint64_t>(*key) * 0x9E3779B97F4A7C15ull) >> 40) & mask;
        while (last[slot].second >= 0 && last[slot].first != *key)
            slot = (slot + 1) & mask;
        previous[i] = last[slot].second;
        last[slot] = {*key, static_cast<int>(i)};
    }
    return previous;
}

// For each record that is the first of several sharing a key, the 1-based numbers of all of
// them in record order; nothing for every other record. A group is told once, however large.
std::vector<std::vector<int>> groupsByFirst(const std::vector<int>& previous) {
    std::vector<int> first(previous.size());
    std::vector<std::vector<int>> groups(previous.size());
    for (std::size_t i = 0; i < previous.size(); ++i) {
        if (previous[i] < 0) {
            first[i] = static_cast<int>(i);
            continue;
        }
        first[i] = first[static_cast<std::size_t>(previous[i])];
        std::vector<int>& group = groups[static_cast<std::size_t>(first[i])];
        if (group.empty())
            group.push_back(first[i] + 1);
        group.push_back(static_cast<int>(i) + 1);
    }
    return groups;
}

std::string countText(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

} // namespace

std::vector<Finding> findProblems(const LandmarkSet& set, std::optional<int> region) {
    std::vector<Finding> findings;
    const std::size_t count = set.recordCount();
    if (set.recordSize() != kRecordFieldsSize)
        findings.push_back({"record-size", Severity::Warning, {}, recordSizeMessage(set.recordSize())});
    // Markers of one region may meet in another's projection: comparing them there would
    // report what the map never shows.
    if (!region)
        findings.push_back(
            {"region-unknown", Severity::Note, {}, "region unknown: positions not checked; give --region"});

    const std::span<const LandmarkRecord> records(&set.record(0), count);
    const std::vector<MapPoint> points = projectRecords(records, 1.0f, region.value_or(0));
    const std::vector<std::vector<int>> sameId = groupsByFirst(previousSharing(
        count, [&](std::size_t i) { return std::optional<std::uint16_t>(records[i].landmarkId); }));
    // Only active markers hide one another; a switched-off one is drawn hatched.
    const std::vector<std::vector<int>> samePixel = groupsByFirst(previousSharing(count, [&](std::size_t i) {
        return !region || set.disabledFlag(i) != 0
                   ? std::nullopt
                   : std::optional<std::uint64_t>(
                         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(points[i].x)) << 32) |
                         static_cast<std::uint32_t>(points[i].y));
    }));

    for (std::size_t i = 0; i < count; ++i) {
        const LandmarkRecord& r = records[i];
        const int number = static_cast<int>(i) + 1;
        const auto add = [&](const char* code, Severity severity, std::string message,
                             std::vector<int> numbers = {}) {
            if (numbers.empty())
                numbers.push_back(number);
            findings.push_back({code, severity, std::move(numbers), std::move(message)});
        };
        if (!sameId[i].empty())
            add("duplicate-id", Severity::Error,
                recordsText(sameId[i]) + " share identifier " + std::to_string(r.landmarkId), sameId[i]);
        if (const std::string fields = nonFiniteFields(r); !fields.empty())
            add("non-finite", Severity::Error, fields);
        if (!samePixel[i].empty())
            add("same-position", Severity::Warning,
                "the markers of " + recordsText(samePixel[i]) + " fall on map pixel (" +
                    std::to_string(points[i].x) + ", " + std::to_string(points[i].y) + ") of the " +
                    regionName(*region) + " map at 1:1",
                samePixel[i]);
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
        if (f.severity == Severity::Error || (strict && f.severity == Severity::Warning))
            return true;
    return false;
}

namespace {

const char* severityWord(Severity severity) {
    switch (severity) {
    case Severity::Note:
        return "note";
    case Severity::Warning:
        return "warning";
    case Severity::Error:
        break;
    }
    return "error";
}

std::size_t countOf(const std::vector<Finding>& findings, Severity severity) {
    return static_cast<std::size_t>(std::count_if(
        findings.begin(), findings.end(), [severity](const Finding& f) { return f.severity == severity; }));
}

} // namespace

std::string findingsText(const std::string& file, const std::vector<Finding>& findings) {
    const std::string shownFile = terminalText(file);
    // Every line goes straight into the one text: a file with findings on most records has
    // as many lines.
    std::size_t size = 0;
    for (const Finding& f : findings)
        size += shownFile.size() + f.code.size() + f.message.size() + 40;
    std::string out;
    out.reserve(size);
    for (const Finding& f : findings) {
        out += shownFile;
        out += ": ";
        if (!f.records.empty()) {
            out += "record ";
            out += std::to_string(f.records.front());
            out += ": ";
        }
        out += severityWord(f.severity);
        out += ' ';
        out += f.code;
        out += ": ";
        appendTerminalText(out, f.message);
        out += '\n';
    }
    if (findings.empty())
        return out;
    out += countText(countOf(findings, Severity::Error), "error") + ", " +
           countText(countOf(findings, Severity::Warning), "warning");
    if (const std::size_t notes = countOf(findings, Severity::Note); notes > 0)
        out += ", " + countText(notes, "note");
    out += '\n';
    return out;
}

std::string findingsJson(const std::string& file, const std::vector<Finding>& findings) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& f : findings) {
        nlohmann::ordered_json entry;
        entry["code"] = f.code;
        entry["severity"] = severityWord(f.severity);
        entry["records"] = f.records;
        entry["message"] = f.message;
        list.push_back(std::move(entry));
    }
    nlohmann::ordered_json document;
    document["file"] = file;
    document["findings"] = std::move(list);
    document["errors"] = countOf(findings, Severity::Error);
    document["warnings"] = countOf(findings, Severity::Warning);
    document["notes"] = countOf(findings, Severity::Note);
    // A path need not be UTF-8; JSON text must be.
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace korvland::cli
