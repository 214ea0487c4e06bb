#include "record_chooser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <type_traits>

namespace korvland::cli {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t from = 0;;) {
        const std::size_t cut = text.find(separator, from);
        parts.push_back(text.substr(from, cut == std::string_view::npos ? cut : cut - from));
        if (cut == std::string_view::npos)
            return parts;
        from = cut + 1;
    }
}

// The whole text as a number of the base, or nothing.
template <typename Number> std::optional<Number> wholeNumber(std::string_view text, int base = 10) {
    Number value{};
    const char* end = text.data() + text.size();
    std::from_chars_result result{};
    if constexpr (std::is_floating_point_v<Number>)
        result = std::from_chars(text.data(), end, value);
    else
        result = std::from_chars(text.data(), end, value, base);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::optional<float> coordinate(std::string_view text) {
    // A leading "+" is what a script's printf may write; from_chars takes only "-".
    if (text.starts_with('+'))
        text.remove_prefix(1);
    const std::optional<double> value = wholeNumber<double>(text);
    if (!value || !std::isfinite(*value) || std::fabs(*value) > 3.0e38)
        return std::nullopt;
    return static_cast<float>(*value);
}

bool contains(const NumberRanges& ranges, unsigned number) {
    return std::any_of(ranges.begin(), ranges.end(), [number](const auto& range) {
        return range.first <= number && number <= range.second;
    });
}

} // namespace

std::vector<std::size_t> chooseRecords(const LandmarkSet& set, const RecordChooser& chooser) {
    const FilterPredicate passes(chooser.filter);
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const LandmarkRecord& record = set.record(i);
        if (!passes(i, record, set.disabledFlag(i)))
            continue;
        if (!chooser.kinds.empty() &&
            std::find(chooser.kinds.begin(), chooser.kinds.end(),
                      classifyKind(record.loFileType, record.loFileNo)) == chooser.kinds.end())
            continue;
        if (const auto& box = chooser.within;
            box && !(box->northSouthFrom <= record.northSouth && record.northSouth <= box->northSouthTo &&
                     box->eastWestFrom <= record.eastWest && record.eastWest <= box->eastWestTo))
            continue;
        if (chooser.ids && !contains(*chooser.ids, record.landmarkId))
            continue;
        indices.push_back(i);
    }
    return indices;
}

LandmarkKind parseKind(std::string_view text) {
    std::string names;
    for (const LandmarkKind kind : kFilterKinds) {
        const std::string_view name = kindInfo(kind).editorLabel;
        if (sameLetters(text, name))
            return kind;
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    throw std::invalid_argument("'" + std::string(text) + "' is not a kind; one of " + names);
}

RecordChooser::Box parseBox(std::string_view text) {
    const std::vector<std::string_view> parts = splitAt(text, ',');
    std::vector<float> numbers;
    for (const std::string_view part : parts)
        if (const std::optional<float> number = coordinate(part))
            numbers.push_back(*number);
    if (parts.size() != 4 || numbers.size() != 4)
        throw std::invalid_argument(
            "'" + std::string(text) +
            "' is not a box; four numbers NS1,EW1,NS2,EW2, the corners in either order");
    return {std::min(numbers[0], numbers[2]), std::max(numbers[0], numbers[2]),
            std::min(numbers[1], numbers[3]), std::max(numbers[1], numbers[3])};
}

NumberRanges parseNumberRanges(std::string_view text, unsigned low, unsigned high) {
    NumberRanges ranges;
    for (const std::string_view part : splitAt(text, ',')) {
        const std::size_t dash = part.find('-');
        const auto first = wholeNumber<unsigned>(part.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : wholeNumber<unsigned>(part.substr(dash + 1));
        if (!first || !last || *first < low || *last > high || *first > *last)
            throw std::invalid_argument("'" + std::string(part) + "' is not a number from " +
                                        std::to_string(low) + " to " + std::to_string(high) +
                                        " or a range of them; a list such as 3,7,10-20");
        ranges.emplace_back(*first, *last);
    }
    return ranges;
}

std::pair<std::uint8_t, std::optional<std::uint8_t>> parseTypeAndSubType(std::string_view text) {
    const std::size_t slash = text.find('/');
    const auto hexByte = [](std::string_view digits) {
        return digits.size() <= 2 ? wholeNumber<std::uint8_t>(digits, 16) : std::nullopt;
    };
    const std::optional<std::uint8_t> type = hexByte(text.substr(0, slash));
    const std::optional<std::uint8_t> subType =
        slash == std::string_view::npos ? std::nullopt : hexByte(text.substr(slash + 1));
    if (!type || (slash != std::string_view::npos && !subType))
        throw std::invalid_argument("'" + std::string(text) +
                                    "' is not a type; HH or HH/HH, the type and the sub-type in hexadecimal "
                                    "(03/14)");
    return {*type, subType};
}

} // namespace korvland::cli
