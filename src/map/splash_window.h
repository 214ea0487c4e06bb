#pragma once

#include "app/app_context.h"

#include <QWidget>

namespace korvland {

// Covers the building of the map.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm4(AppContext& context, QWidget* parent = nullptr);
};

} // namespace korvland
