#pragma once

#include "data/landmark_set.h"

#include <optional>
#include <string>
#include <vector>

namespace korvland::cli {

// A note tells what the check left out; it fails no check, not even a strict one.
enum class Severity { Note, Warning, Error };

// One thing in a landmark file that a server operator should know before the server loads it.
struct Finding {
    std::string code; // "duplicate-id", "non-finite", ...
    Severity severity = Severity::Warning;
    // 1-based record numbers, ascending: every record of a group that shares something, else
    // the one record; empty for a finding about the whole file.
    std::vector<int> records;
    std::string message;

    bool operator==(const Finding&) const = default;
};

// The findings of a loaded set (with any profile already laid over it), file-wide ones first,
// then by each finding's first record. Markers are placed as the map window places them at 1:1
// for `region`; without one, positions are not compared and a note says so.
std::vector<Finding> findProblems(const LandmarkSet& set, std::optional<int> region);

// The finding for a file that cannot be read at all, with the reader's message.
Finding unreadableFinding(const std::string& message);

// Whether the findings hold an error, or, with `strict`, anything at all.
bool failsCheck(const std::vector<Finding>& findings, bool strict);

// "FILE: record 17: error duplicate-id: ..." lines, escaped for a terminal, and a last line
// that counts them ("2 errors, 31 warnings"); nothing when there is no finding.
std::string findingsText(const std::string& file, const std::vector<Finding>& findings);
// {"file": ..., "findings": [{"code", "severity", "records", "message"}], "errors": N,
// "warnings": N, "notes": N}, keys in that order.
std::string findingsJson(const std::string& file, const std::vector<Finding>& findings);

} // namespace korvland::cli
