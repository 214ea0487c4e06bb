#include "ui/map/map_accessibility.h"

#include "document/landmark_document.h"
#include "ui/map/map_window.h"

#include <QCoreApplication>
#include <QGraphicsView>
#include <QKeyEvent>

#include <cmath>
#include <limits>

namespace korvland {

MapAccessibility::MapAccessibility(MapWindow& window, LandmarkDocument& document)
    : AccessibleItems(window.view()), mWindow(window), mDocument(document) {
    //: The accessible name of the map, whose items are the markers.
    window.view()->setAccessibleName(QCoreApplication::translate("korvland::MapAccessibility", "Map"));
    window.view()->installEventFilter(this);
    connect(&document, &LandmarkDocument::selectionChanged, this, [this] { announceSelection(); });
    connect(&document, &LandmarkDocument::currentChanged, this, [this](int index) {
        if (mWindow.view()->hasFocus())
            announceFocus(index);
    });
}

int MapAccessibility::count() const {
    // The markers exist only while the map is shown.
    return static_cast<int>(mWindow.markers().size());
}

QString MapAccessibility::name(int item) const {
    return markerHint(mDocument.record(item));
}

QString MapAccessibility::description(int item) const {
    if (mDocument.isActive(item))
        return {};
    //: Read out by a screen reader after a marker's name.
    return QCoreApplication::translate("korvland::MapAccessibility", "switched off");
}

QAccessible::State MapAccessibility::state(int item) const {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    state.selected = mDocument.isSelected(item);
    state.focused = item == mDocument.currentIndex();
    state.checkable = true;
    state.checked = mDocument.isActive(item);
    state.invisible = !mDocument.passesFilter(item);
    return state;
}

QRect MapAccessibility::rect(int item) const {
    const QGraphicsView* view = mWindow.view();
    const MapMarker& marker = mWindow.markers()[static_cast<std::size_t>(item)];
    return view->mapFromScene(marker.frame->sceneBoundingRect())
        .boundingRect()
        .translated(view->viewport()->pos());
}

void MapAccessibility::activate(int item) {
    // As a click on the marker: its record becomes current and the selection alone.
    mDocument.select(item);
    emit mWindow.markerSelected(item);
}

void MapAccessibility::toggle(int item) {
    // A landmark of type 6 stays switched off, as the editor and the status table keep it.
    if (mDocument.setActive(item, !mDocument.isActive(item)) == LandmarkDocument::ActiveEdit::Refused)
        mDocument.setActive(item, false);
}

int MapAccessibility::nearestMarker(int key) const {
    const auto& markers = mWindow.markers();
    const int current = mDocument.currentIndex();
    if (current < 0 || current >= count())
        return markers.empty() ? -1 : 0;
    const QPointF from = markers[static_cast<std::size_t>(current)].frame->sceneBoundingRect().center();
    int nearest = -1;
    double best = std::numeric_limits<double>::max();
    for (int index = 0; index < count(); ++index) {
        if (index == current || !mDocument.passesFilter(index))
            continue;
        const QPointF to = markers[static_cast<std::size_t>(index)].frame->sceneBoundingRect().center();
        const QPointF step = to - from;
        // Distance along the key's direction, and across it.
        const double along = key == Qt::Key_Left    ? -step.x()
                             : key == Qt::Key_Right ? step.x()
                             : key == Qt::Key_Up    ? -step.y()
                                                    : step.y();
        const double across =
            key == Qt::Key_Left || key == Qt::Key_Right ? std::abs(step.y()) : std::abs(step.x());
        if (along <= 0)
            continue;
        // A marker straight ahead beats a nearer one far off to the side.
        const double score = along + 2 * across;
        if (score < best) {
            best = score;
            nearest = index;
        }
    }
    return nearest;
}

bool MapAccessibility::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                           key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
        // Without a modifier the arrows walk the markers; the scroll bars still scroll.
        if (arrow && key->modifiers() == Qt::NoModifier) {
            const int next = nearestMarker(key->key());
            if (next >= 0)
                activate(next);
            return true;
        }
    }
    return AccessibleItems::eventFilter(watched, event);
}

} // namespace korvland
