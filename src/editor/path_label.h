#pragma once

#include <QLabel>

namespace korvland {

// A label for a file path: it keeps the whole path as its text and tooltip, and where the
// path is wider than the label it leaves out the middle, so that the file name at the end
// stays in sight.
class PathLabel : public QLabel {
    Q_OBJECT
  public:
    explicit PathLabel(QWidget* parent = nullptr);

    // The text as drawn in the label's width.
    QString shownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace korvland
