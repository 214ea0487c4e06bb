#include "settings/window_placement.h"

#include <charconv>
#include <cstdlib>
#include <vector>

namespace korvland {

namespace {

std::vector<std::string> splitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto comma = text.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    // A trailing comma adds no field; an empty text has none.
    return fields;
}

// A decimal integer with an optional sign, nothing else, within the range of int.
bool toInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last || (*first == '-' && first + 1 == last))
        return false;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

} // namespace

ParsedPlacement parsePlacement(const std::string& text) {
    const std::vector<std::string> fields = splitFields(text);
    if (fields.size() != 7 || fields[0] != "200")
        return PlacementIgnored{};
    int numbers[6] = {};
    for (std::size_t i = 1; i < fields.size(); ++i)
        if (!toInteger(fields[i], numbers[i - 1]))
            return PlacementBadField{fields[i]};
    return PlacementRecord{numbers[0], numbers[1], FrameRect{numbers[2], numbers[3], numbers[4], numbers[5]}};
}

std::string formatPlacement(const PlacementRecord& record) {
    std::string text = "200";
    for (const int number : {record.flags, record.showState, record.frame.left, record.frame.top,
                             record.frame.right, record.frame.bottom}) {
        text += ',';
        text += std::to_string(number);
    }
    return text;
}

Message notAnInteger(const std::string& field) {
    return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "'%1' is not a valid integer value")),
                   {field});
}

std::string notAnIntegerMessage(const std::string& field) {
    return notAnInteger(field).english();
}

FrameRect clampToScreen(FrameRect frame, int screenRight, int screenBottom) {
    // Widened so that a record of extreme numbers cannot overflow.
    if (frame.right > screenRight) {
        const long long width = std::llabs(static_cast<long long>(frame.right) - frame.left);
        frame.left = static_cast<int>(screenRight - width);
        frame.right = screenRight;
    }
    if (frame.bottom > screenBottom) {
        const long long height = std::llabs(static_cast<long long>(frame.bottom) - frame.top);
        frame.top = static_cast<int>(screenBottom - height);
        frame.bottom = screenBottom;
    }
    return frame;
}

ShowState showStateOf(int showCommand) {
    switch (showCommand) {
    case 1:  // show normal
    case 4:  // show without activating
    case 5:  // show
    case 8:  // show, not activated
    case 9:  // restore
    case 10: // default
        return ShowState::Normal;
    case 2:  // show minimised
    case 6:  // minimise
    case 7:  // minimised, not activated
    case 11: // force minimise
        return ShowState::Minimized;
    case 3:
        return ShowState::Maximized;
    default:
        return ShowState::Keep;
    }
}

} // namespace korvland
