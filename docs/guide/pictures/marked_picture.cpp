#include "marked_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace korvland::guide {

namespace {

// Room around a frame, so that it is not cut off by the crop.
constexpr int kMargin = 10;
// Amber with a dark edge: seen on the map's green and blue and on the windows' grey, and a
// colour the map gives nothing else.
const QColor kFrameColour(0xFF, 0xB0, 0x00);
const QColor kFrameEdge(0x20, 0x20, 0x20);

} // namespace

MarkedPicture::MarkedPicture(QWidget& window) : mWindow(window), mImage(window.grab().toImage()) {}

QRect MarkedPicture::areaOf(const QWidget& control) const {
    return QRect(control.mapTo(&mWindow, QPoint(0, 0)), control.size());
}

MarkedPicture& MarkedPicture::frame(QRect area) {
    mFrames << area;
    return *this;
}

MarkedPicture& MarkedPicture::frame(const QWidget& control) {
    return frame(areaOf(control));
}

MarkedPicture& MarkedPicture::cropTo(QRect area) {
    mCrop = area;
    return *this;
}

MarkedPicture& MarkedPicture::cropTo(const QWidget& control) {
    return cropTo(areaOf(control));
}

QImage MarkedPicture::image() const {
    // The window stands on a clear margin, so that a frame at its edge is not cut off.
    const qreal scale = mImage.devicePixelRatio();
    const QSize size = mImage.size() / scale;
    QImage picture(mImage.size() + QSize(2, 2) * kMargin * scale, QImage::Format_ARGB32);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(kMargin, kMargin);
    painter.drawImage(QPoint(0, 0), mImage);
    QRect wanted = mCrop.isNull() ? QRect(QPoint(0, 0), size) : mCrop;
    for (const QRect& area : mFrames) {
        QPainterPath path;
        path.addRoundedRect(QRectF(area.adjusted(-4, -4, 4, 4)), 6, 6);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kFrameEdge, 5));
        painter.drawPath(path);
        painter.setPen(QPen(kFrameColour, 3));
        painter.drawPath(path);
        wanted |= area;
    }
    painter.end();
    const QRect cut =
        wanted.adjusted(-kMargin, -kMargin, kMargin, kMargin)
            .intersected(QRect(-kMargin, -kMargin, size.width() + 2 * kMargin, size.height() + 2 * kMargin))
            .translated(kMargin, kMargin);
    return picture.copy(QRect(cut.topLeft() * scale, cut.size() * scale));
}

} // namespace korvland::guide
