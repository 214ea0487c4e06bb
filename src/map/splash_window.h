#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

// Covers the building of the map: a picture with one line of text, an hour-glass
// pointer, no frame, centred on the screen.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(AppContext& context, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage mPicture; // the splash picture at the client size, rendered once
};

} // namespace korvland
