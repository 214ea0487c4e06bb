#pragma once

#include <QColor>
#include <QLabel>

namespace korvland {

// The contrast ratio of two colours as the web's accessibility rules define it: from 1
// (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The halo drawn around text of `text` colour: white, or black where white would leave
// the text at less than 3:1 against it (the light kind colours: white, aqua, yellow).
QColor haloColour(const QColor& text);

// The editor's kind label: the text in its kind colour (the palette's WindowText) inside a
// thin halo of contrasting colour, as map labels are drawn, so that every kind colour
// reads on any window background.
class KindLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvland
