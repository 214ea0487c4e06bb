#pragma once

namespace korvland {

// Texts that count carry Qt's "%n" and write their English plural as "change(s)", or a
// choice of words as "(is|are)": in English, and in every language without a translation of
// its own, the count picks "change" or "changes", "is" or "are". Installed once, before every other
// translation, so that those come first.
void installEnglishPlurals();

} // namespace korvland
