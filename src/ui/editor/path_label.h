#pragma once

#include <QLabel>

namespace korvland {

// A label for a file path, or a line that names one: it keeps the whole text, and where
// the text is wider than the label it leaves out the middle, so that the end stays in
// sight. Its owner sets the whole text as the hint too.
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
