#pragma once

#include <QColor>
#include <QWidget>

namespace korvland {

// A caption band across the top edge of a dialog: the dialog's title on a gradient of
// 64 colour steps. The window manager owns the real title bar, so the band is drawn
// inside the dialog, which keeps room for it above its layout.
class GradientCaption : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSteps = 64;

    explicit GradientCaption(QWidget& dialog);

    // Colour of step `index` (0 to 63), from the dark left end to the light right end.
    static QColor stepColour(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fitToDialog();
};

} // namespace korvland
