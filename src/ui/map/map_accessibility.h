#pragma once

#include "ui/common/accessible_items.h"

namespace korvland {

class LandmarkDocument;
class MapWindow;

// The map for the keyboard and for assistive technologies. Each marker is an accessible item
// of the view, in record order, named by its hint ("Allied Town: Arras"), ticked while the
// landmark is switched on, selected with its record and focused on the current record;
// pressing one makes its record the selection and the current one, toggling one switches
// the landmark as the editor does. The arrow keys move the current record to the nearest
// marker in their direction that the filter lets show.
class MapAccessibility : public AccessibleItems {
  public:
    MapAccessibility(MapWindow& window, LandmarkDocument& document);

    int count() const override;
    QString name(int item) const override;
    QString description(int item) const override;
    QAccessible::State state(int item) const override;
    QRect rect(int item) const override;
    void activate(int item) override;
    void toggle(int item) override;

    // The marker nearest to the current record's in the direction of `key` (an arrow key),
    // or -1 when there is none that way.
    int nearestMarker(int key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    MapWindow& mWindow;
    LandmarkDocument& mDocument;
};

} // namespace korvland
