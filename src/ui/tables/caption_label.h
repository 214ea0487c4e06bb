#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace korvland {

// A one-line caption, left-aligned and vertically centred, in its own colour; a raised
// caption has a light edge above-left and a dark edge below-right, which also keeps a
// light colour readable on a light background. A text wider than the caption is drawn
// narrower to fit it whole.
class CaptionLabel : public QWidget {
    Q_OBJECT
  public:
    CaptionLabel(const QString& text, const QColor& colour, bool raised, QWidget* parent = nullptr);

    QString text() const { return mText; }
    QColor colour() const { return mColour; }
    bool isRaised() const { return mRaised; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString mText;
    QColor mColour;
    bool mRaised;
};

} // namespace korvland
