#pragma once

#include "data/landmark_set.h"

#include <string>
#include <vector>

namespace korvland::cli {

enum class Severity { Warning, Error };

// One thing in a landmark file that a server operator should know before the server loads it.
struct Finding {
    std::string code; // "duplicate-id", "non-finite", ...
    Severity severity = Severity::Warning;
    // 1-based record numbers: the record the finding is about first, then the others it
    // involves; empty for a finding about the whole file.
    std::vector<int> records;
    std::string message;

    bool operator==(const Finding&) const = default;
};

// The findings of a loaded set (with any profile already laid over it), file-wide ones first,
// then by record. Markers are placed as the map window places them at 1:1 for `region`.
std::vector<Finding> findProblems(const LandmarkSet& set, int region);

// The finding for a file that cannot be read at all, with the reader's message.
Finding unreadableFinding(const std::string& message);

// Whether the findings hold an error, or, with `strict`, anything at all.
bool failsCheck(const std::vector<Finding>& findings, bool strict);

// "FILE: record 17: error duplicate-id: ..." lines, escaped for a terminal.
std::string findingsText(const std::string& file, const std::vector<Finding>& findings);
// {"file": ..., "findings": [{"code", "severity", "records", "message"}]}, keys in that order.
std::string findingsJson(const std::string& file, const std::vector<Finding>& findings);

} // namespace korvland::cli
