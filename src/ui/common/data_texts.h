#pragma once

#include <QString>

namespace korvland {

class Message;
class UserError;
struct KindInfo;

// The texts the layers without Qt hand to the windows, in the user's language. Those layers
// keep the English (the command-line tools print it); the translations are looked up here.

// A message translated, with its arguments (each translated where it is a message of its
// own) filled in.
QString messageText(const Message& message);
// An error's message as the error box shows it: translated, filled in, with its closing
// period. The file it is about is not part of it.
QString userErrorText(const UserError& error);

// A kind's label in the editor ("Airfield") and the start of a marker's hint ("Airfield: ").
QString kindLabelText(const KindInfo& kind);
QString kindHintPrefixText(const KindInfo& kind);
// A region's map caption ("Map of Marne Region") and the editor's line naming it
// ("Landmarks of the Marne Region").
QString regionMapCaptionText(int region);
QString regionLocationLineText(int region);

} // namespace korvland
