#pragma once

#include <QColor>
#include <QLabel>

namespace korvland {

// The contrast ratio of two colours as the web's accessibility rules define it: from 1
// (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The halo drawn around text of `text` colour where the background behind it leaves less
// than 3:1: white, or a near-black where white would leave the text at less than 3:1
// against it (the light kind colours: white, aqua, yellow).
QColor haloColour(const QColor& text);
// Whether text of `text` colour needs a halo on `background`.
bool needsHalo(const QColor& text, const QColor& background);

// The editor's kind label: the text in its kind colour (the palette's WindowText), inside
// a thin halo of contrasting colour, as map labels are drawn, where the window behind it
// would leave the colour hard to read (white, aqua and yellow on a light window; the dark
// colours on a dark one).
class KindLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvland
