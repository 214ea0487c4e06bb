#pragma once

#include <QLabel>

namespace korvland {

// A label for a file path, or a line that names one: it keeps the whole text, and where
// the text is wider than the label it leaves out the middle, so that the end stays in
// sight (or the end, for a sentence that must read from its start). Its owner sets the
// whole text as the hint too.
class PathLabel : public QLabel {
    Q_OBJECT
  public:
    explicit PathLabel(QWidget* parent = nullptr);

    // The text as drawn in the label's width.
    QString shownText() const;
    void setElideMode(Qt::TextElideMode mode) { mElideMode = mode; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    Qt::TextElideMode mElideMode = Qt::ElideMiddle;
};

} // namespace korvland
