#pragma once

namespace korvland {

// The name the window system knows the program by: the class of every window (WM_CLASS)
// and the desktop entry its windows belong to (korvland.desktop, whose StartupWMClass it is).
inline constexpr char kProgramName[] = "korvland";

// Gives the program its name before the first window exists, the same in every run; the
// application title the error box carries is kept apart (applicationTitle).
void setProgramIdentity();

} // namespace korvland
