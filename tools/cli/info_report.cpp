#include "info_report.h"

#include "data/terminal_text.h"

#include "data/region.h"

#include <algorithm>
#include <ctime>
#include <string_view>

namespace korvland::cli {

namespace {

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width)
        out.append(width - out.size(), ' ');
    return out;
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

std::string regionName(int region) {
    // "Landmarks of the Marne Region" -> "Marne": one source for the region texts.
    constexpr std::string_view kPrefix = "Landmarks of the ";
    constexpr std::string_view kSuffix = " Region";
    std::string_view line = regionTexts(region).locationLine;
    line.remove_prefix(kPrefix.size());
    line.remove_suffix(kSuffix.size());
    return std::string(line);
}

std::string recoveryLine(const RecoveryEntry& entry) {
    const RecoveryDescription& d = entry.description;
    const auto written = static_cast<std::time_t>(d.writtenAt);
    std::tm local{};
    char when[32] = "";
    if (::localtime_r(&written, &local))
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    return std::to_string(d.unsavedSteps) + (d.unsavedSteps == 1 ? " unsaved change" : " unsaved changes") +
           " of " + when + " kept by the editor in " + terminalText(entry.files.copy);
}

std::string infoReport(const LandmarkSet& set, const std::string& recovery, std::optional<int> given) {
    const std::optional<int> region = given ? given : detectRegion(set.currentFileName());
    std::size_t switchedOff = 0;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        switchedOff += set.disabledFlag(i) != 0 ? 1 : 0;

    std::string out;
    const auto line = [&out](std::string_view label, const std::string& value) {
        out += padded(label, 14) + value + '\n';
    };
    line("File:", terminalText(set.landmarkPath()));
    line("Region:", region ? regionName(*region) + " (" + std::to_string(*region) + ")" : "none");
    line("Records:", std::to_string(set.recordCount()));
    line("Record size:", std::to_string(set.recordSize()));
    line("Switched off:", std::to_string(switchedOff));
    if (!recovery.empty())
        line("Recovery:", recovery);
    out += '\n';

    // The ownership table: a column as wide as its caption, counts right-aligned.
    const OwnershipCounts counts = countOwnership(set);
    constexpr std::string_view kRows[] = {"Allied", "German"};
    out += padded("Owner", 8);
    for (const std::string_view caption : kOwnershipColumns)
        out += "  " + std::string(caption);
    out += '\n';
    for (std::size_t row = 0; row < 2; ++row) {
        out += padded(kRows[row], 8);
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column)
            out += "  " +
                   rightAligned(std::to_string(counts.cells[row][column]), kOwnershipColumns[column].size());
        out += '\n';
    }
    return out;
}

} // namespace korvland::cli
