#pragma once

class QApplication;

namespace korvland {

// How long hints wait and stay, application-wide: a hint appears 250 ms after the
// pointer comes to rest on a control that has one, goes after 5000 ms, and moving on to
// another hinted control shows its hint at once.
inline constexpr int kHintDelayMs = 250;
inline constexpr int kHintDurationMs = 5000;

// Puts the program's hint presenter in place of the platform's tool tips, for the life of
// the application; calling it again changes nothing.
void applyHintSettings(QApplication& application);

} // namespace korvland
