#include "map/map_window.h"

#include "map/splash_window.h"

#include <QPalette>

namespace korvland {

TForm3::TForm3(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("object PB1: TPaintBox"));
    setGeometry(315, 154, 833, 753);
    // The map's ground colour, 0x106010 as blue-green-red.
    QPalette ground = palette();
    ground.setColor(QPalette::Window, QColor(0x10, 0x60, 0x10));
    setPalette(ground);
    setAutoFillBackground(true);
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    mapShown = 1;
    // The splash window covers the building of the map; once the window is up it goes.
    if (mContext.windows.splash)
        mContext.windows.splash->hide();
}

void TForm3::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    mapShown = 0;
}

void TForm3::pb1DblClick() {}

void TForm3::Shape1NewHint() {}

} // namespace korvland
