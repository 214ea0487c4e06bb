#pragma once

#include "data/landmark_filter.h"

#include <QFrame>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace korvland {

// The objectNames of the editor's find bar and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace find_bar_names {
inline constexpr char kText[] = "FindText";
inline constexpr char kResult[] = "FindResult";
inline constexpr char kSelectAll[] = "SelectAllMatches";
inline constexpr char kWindow[] = "FindBar";
inline constexpr char kPrevious[] = "FindPrevious";
inline constexpr char kNext[] = "FindNext";
inline constexpr char kClose[] = "FindClose";
} // namespace find_bar_names

class LandmarkDocument;

// The editor's find bar: typing makes the first landmark whose name holds the text (letter
// case and accents aside) current; Return or F3 goes on to the next match, Shift+F3 back to
// the previous one, both wrapping; the bar says "3 of 12" or "Not found". "Select All
// Matches" puts every match in the selection. Escape hides the bar.
class FindBar : public QFrame {
    Q_OBJECT
  public:
    explicit FindBar(LandmarkDocument& document, QWidget* parent = nullptr);

    // Shows the bar with its text selected and the focus in its field.
    void open();
    void findNext();
    void findPrevious();
    void selectAllMatches();
    // "3 of 12", "Not found", or nothing while the field is empty.
    QString resultText() const;

  signals:
    // Escape or the close button hid the bar.
    void closed();

  private:
    void typed();
    void showResult(const std::optional<FindMatch>& match);
    void close();

    LandmarkDocument& mDocument;
    QLineEdit* mText = nullptr;
    QToolButton* mPrevious = nullptr;
    QToolButton* mNext = nullptr;
    QLabel* mResult = nullptr;
    QPushButton* mSelectAll = nullptr;
    QToolButton* mClose = nullptr;
};

} // namespace korvland
