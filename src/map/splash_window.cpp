#include "map/splash_window.h"

namespace korvland {

TForm4::TForm4(AppContext& /*context*/, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Fancy Splash Screen"));
    resize(409, 333);
    setCursor(Qt::WaitCursor);
}

} // namespace korvland
