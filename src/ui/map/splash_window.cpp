#include "ui/map/splash_window.h"

#include "ui/map/marker_items.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QWindow>

namespace korvland {

namespace {

constexpr QSize kClientSize(409, 333);
constexpr int kExposeWaitMilliseconds = 1000;

// Raised text with a shadow on an opaque face inside a single raised bevel.
class RaisedLabel : public QLabel {
  public:
    RaisedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect();
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(area.translated(-1, -1), Qt::AlignCenter, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(area.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter, text());
    }
};

} // namespace

SplashWindow::SplashWindow(AppContext& /*context*/, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QLatin1String(splash_names::kWindow));
    setWindowTitle(QStringLiteral("Fancy Splash Screen"));
    setFixedSize(kClientSize);
    setCursor(Qt::WaitCursor);

    mPicture = QImage(kClientSize, QImage::Format_RGB32);
    mPicture.fill(Qt::black);
    loadMapResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/splash.svg"));
    {
        QPainter painter(&mPicture);
        painter.setRenderHint(QPainter::Antialiasing);
        // Stretched to fill, as the picture is square and the window is not.
        renderer.render(&painter, QRectF(QPointF(0, 0), kClientSize));
    }

    auto* label = new RaisedLabel(tr("Generating Map Landmarks. Please Wait"), this);
    label->setObjectName(QLatin1String(splash_names::kPicture));
    label->setGeometry(8, 8, 393, 25);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect area(QPoint(0, 0), size());
        area.moveCenter(screen->geometry().center());
        move(area.topLeft());
    }
}

void SplashWindow::showPainted() {
    mPainted = false;
    show();
    raise();
    const QWindow* handle = windowHandle();
    if (handle && handle->isExposed()) {
        repaint();
        return;
    }
    // The window system exposes a newly shown window a moment later; until then a paint
    // reaches nothing. Input waits, so no command can start in between.
    QEventLoop wait;
    mPaintWait = &wait;
    QTimer::singleShot(kExposeWaitMilliseconds, &wait, &QEventLoop::quit);
    if (!mPainted)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    mPaintWait = nullptr;
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mPicture);
    mPainted = true;
    if (mPaintWait)
        mPaintWait->quit();
}

} // namespace korvland
