#pragma once

#include "data/landmark_filter.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace korvland {

// The objectNames of the status table's filter row and its controls, kept as they have always been:
// automation and the tests find them by these.
namespace filter_row_names {
inline constexpr char kText[] = "FilterText";
inline constexpr char kOnly[] = "FilterOnly";
inline constexpr char kKind[] = "FilterKind";
inline constexpr char kSide[] = "FilterSide";
inline constexpr char kState[] = "FilterState";
} // namespace filter_row_names

// The status table's filter: a name text, a kind, a side and a state on one line, and on a
// second line, only while the filter has one, the fixed choice of records it keeps to (the
// landmarks of an ownership cell) with a tick the operator takes away to let it go.
class FilterRow : public QWidget {
    Q_OBJECT
  public:
    // Each line's height; the second takes room only while it is shown.
    static constexpr int kLineHeight = 24;

    explicit FilterRow(QWidget* parent = nullptr);

    // Shows `filter` in the controls without announcing an edit.
    void showFilter(const LandmarkFilter& filter);
    // The filter the controls set.
    LandmarkFilter filter() const;
    // The height the shown lines take.
    int heightNeeded() const;

  signals:
    // The operator changed a control; `filter` is what the controls now set.
    void edited(const korvland::LandmarkFilter& filter);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void announce();
    void placeControls();

    QLineEdit* mText = nullptr;
    QComboBox* mKind = nullptr;
    QComboBox* mSide = nullptr;
    QComboBox* mState = nullptr;
    QCheckBox* mOnly = nullptr;
    std::optional<RecordChoice> mChoice;
    // Set while the controls show a filter: those changes are not the operator's.
    bool mQuiet = false;
};

} // namespace korvland
