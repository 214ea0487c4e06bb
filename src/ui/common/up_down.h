#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace korvland {

// A pair of left/right arrow buttons that steps a number between a minimum and a
// maximum, wrapping at both ends, and writes it into a bound number box. Before a
// step it signals changing() with the old number still set, after it clicked() with
// the new one. The Up and Down keys pressed in the bound box step it too.
class UpDown : public QWidget {
    Q_OBJECT
  public:
    explicit UpDown(QWidget* parent = nullptr);

    // The box the number is written into; the spinner watches its Up and Down keys.
    void setBuddy(QLineEdit* buddy);

    int minimum() const { return mMinimum; }
    int maximum() const { return mMaximum; }
    int position() const { return mPosition; }

    // A maximum below the minimum is raised to it; the position is kept within range.
    void setMaximum(int maximum);
    // Sets the number from code: kept within range, written into the box, no signals.
    void setPosition(int position);
    // Takes the number from the box's text when it names one within range; returns
    // whether it did. The box is not rewritten.
    bool takePositionFromBuddy();

    // Puts the current number back into the box when its text names another number or
    // none, so that the box never shows a record that is not the one on screen.
    void showPositionInBuddy();

    // The user's step by one (negative: down), with both signals.
    void step(int delta);

    QToolButton* downButton() const { return mDown; }
    QToolButton* upButton() const { return mUp; }

  signals:
    void changing();
    void clicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void writeBuddy();

    QToolButton* mDown = nullptr;
    QToolButton* mUp = nullptr;
    QLineEdit* mBuddy = nullptr;
    int mMinimum = 1;
    int mMaximum = 100;
    int mPosition = 1;
};

} // namespace korvland
