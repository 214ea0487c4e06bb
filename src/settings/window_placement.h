#pragma once

#include "data/user_error.h"

#include <string>
#include <variant>

namespace korvland {

// A window's outer frame in virtual-desktop coordinates; right and bottom exclusive.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

// The show-state numbers a placement record carries: the Windows platform's, kept in the
// settings file as they stand so that records written elsewhere read back the same.
enum ShowCommand : int {
    kShowHide = 0,
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
};
// The flag bit that sends a minimised window back to the maximised state when restored.
constexpr int kRestoreToMaximized = 2;

// "200,flags,show,left,top,right,bottom": what one window keeps under "Common".
struct PlacementRecord {
    int flags = 0;
    int showState = kShowNormal;
    FrameRect frame;
    friend bool operator==(const PlacementRecord&, const PlacementRecord&) = default;
};

// What reading a stored record gives: nothing to apply (wrong field count or tag), the
// record, or the text of the first field that is not a decimal integer.
struct PlacementIgnored {
    friend bool operator==(const PlacementIgnored&, const PlacementIgnored&) = default;
};
struct PlacementBadField {
    std::string field;
    friend bool operator==(const PlacementBadField&, const PlacementBadField&) = default;
};
using ParsedPlacement = std::variant<PlacementIgnored, PlacementRecord, PlacementBadField>;

ParsedPlacement parsePlacement(const std::string& text);
std::string formatPlacement(const PlacementRecord& record);

// The message for a field that is not a decimal integer, and the same in English.
Message notAnInteger(const std::string& field);
std::string notAnIntegerMessage(const std::string& field);

// A rectangle whose right or bottom edge lies beyond the screen's is moved back inside
// that edge, keeping its size; a negative left or top is left as it is.
FrameRect clampToScreen(FrameRect frame, int screenRight, int screenBottom);

// The window state a stored show-state number stands for on a window system without
// Windows' numbers: the nearest of normal, minimised and maximised, or "keep the
// current state" for hide and numbers the platform never reports.
enum class ShowState { Keep, Normal, Minimized, Maximized };
ShowState showStateOf(int showCommand);

} // namespace korvland
