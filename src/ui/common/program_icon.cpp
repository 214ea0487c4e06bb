#include "ui/common/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace korvland {

namespace {

// The sixteen colours of the classic VGA palette.
constexpr QRgb kPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

QColor vga(int index) {
    return QColor::fromRgb(kPalette[index]);
}

} // namespace

QImage programIconImage() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        // The map: green land with a teal river, framed in black, grid lines in dark green.
        p.fillRect(1, 3, 30, 28, vga(2));
        p.setPen(vga(3));
        for (int x = 7; x < 31; x += 6)
            p.drawLine(x, 4, x, 29);
        for (int y = 9; y < 31; y += 6)
            p.drawLine(2, y, 29, y);
        p.setPen(QPen(vga(6), 3));
        p.drawLine(3, 24, 10, 19);
        p.drawLine(10, 19, 18, 26);
        p.drawLine(18, 26, 28, 21);
        p.setPen(vga(0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(1, 3, 29, 27);
        // The landmarks: a blue and a red square, the two sides.
        p.fillRect(22, 13, 5, 5, vga(12));
        p.fillRect(4, 12, 5, 5, vga(9));
        // The flag on its pole, planted in the middle.
        p.setPen(QPen(vga(0), 2));
        p.drawLine(14, 2, 14, 22);
        p.fillRect(15, 2, 10, 7, vga(11));
        p.setPen(vga(0));
        p.drawRect(15, 2, 9, 6);
        p.fillRect(12, 21, 6, 2, vga(8));
    }
    // Keep to the sixteen colours (and full transparency) whatever the painter blended.
    QVector<QRgb> table(std::begin(kPalette), std::end(kPalette));
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
    QImage result = indexed.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(image.pixel(x, y)) < 128)
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
    return result;
}

QIcon programIcon() {
    return QIcon(QPixmap::fromImage(programIconImage()));
}

} // namespace korvland
