#pragma once

#include "app/app_context.h"
#include "data/landmark_kind.h"

#include <QWidget>

namespace korvland {

// The map window. Its markers come later; what exists now is what the editor calls.
class TForm3 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm3(AppContext& context, QWidget* parent = nullptr);

    // 1 while the map window is shown.
    int mapShown = 0;
    // The frame colour the highlighted marker gets back when the selection moves on.
    BgrColour savedMarkerColour = kGermanColour;

    // Moves the selection mark to the current record's marker.
    void pb1DblClick();
    // Renews the current record's marker (icon and hint) after a type or side edit.
    void Shape1NewHint();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    AppContext& mContext;
};

} // namespace korvland
