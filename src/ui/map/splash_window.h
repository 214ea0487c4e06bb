#pragma once

#include "ui/common/app_context.h"

#include <QWidget>

class QEventLoop;

namespace korvland {

// The objectNames of the splash window and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace splash_names {
inline constexpr char kPicture[] = "Label1";
inline constexpr char kWindow[] = "Form4";
} // namespace splash_names

// Covers the building of the map: a picture with one line of text, an hour-glass
// pointer, no frame, centred on the screen.
class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(AppContext& context, QWidget* parent = nullptr);

    // Shows the splash and returns once it has been painted on the screen (or after a
    // second, when the window system never exposes it): the build that follows keeps the
    // event loop busy until the splash goes again.
    void showPainted();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage mPicture; // the splash picture at the client size, rendered once
    bool mPainted = false;
    QEventLoop* mPaintWait = nullptr;
};

} // namespace korvland
