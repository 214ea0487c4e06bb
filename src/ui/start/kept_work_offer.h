#pragma once

#include <QDateTime>
#include <QString>

namespace korvland {

struct AppContext;
class EditorWindow;
struct RecoveryEntry;

// The objectNames of the question's buttons.
namespace kept_work_names {
inline constexpr char kQuestion[] = "KeptWorkQuestion";
inline constexpr char kRestoreButton[] = "KeptWorkRestore";
inline constexpr char kDiscardButton[] = "KeptWorkDiscard";
inline constexpr char kLaterButton[] = "KeptWorkLater";
} // namespace kept_work_names

// Offers the unsaved work earlier runs kept in the document's recovery folder, newest first,
// one question per file: Restore opens it in the editor, and asks about no other, which would
// replace it; Discard removes it; Later keeps it for the next start. Work that an editor still
// running keeps is not asked about.
void offerKeptWork(AppContext& context, EditorWindow& editor);

// "korvland ended while lndmrks0.dat in /srv/tlq had 12 unsaved changes (today 23:14).
// Restore them?", saying so when the file has been changed on disk since.
QString keptWorkQuestion(const RecoveryEntry& entry, const QDateTime& now = QDateTime::currentDateTime());

} // namespace korvland
