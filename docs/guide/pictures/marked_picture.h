#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

namespace korvland::guide {

// A picture of the guide: a window as it is on the screen, cut down to what a step is about,
// with a frame drawn around what the operator looks at.
class MarkedPicture {
  public:
    // `window` as it paints itself now.
    explicit MarkedPicture(QWidget& window);

    // Frames `area`, given in the window's coordinates; a picture may carry several frames.
    MarkedPicture& frame(QRect area);
    // Frames a control of the window.
    MarkedPicture& frame(const QWidget& control);
    // Keeps only `area` of the window (and the frames' room around it).
    MarkedPicture& cropTo(QRect area);
    MarkedPicture& cropTo(const QWidget& control);

    // The picture with its frames; cut down when a crop was asked for.
    QImage image() const;

  private:
    QRect areaOf(const QWidget& control) const;

    QWidget& mWindow;
    QImage mImage;
    QRect mCrop;
    QList<QRect> mFrames;
};

} // namespace korvland::guide
