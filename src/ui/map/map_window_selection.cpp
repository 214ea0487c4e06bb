// The map window's selection: the highlight of the current record, marker clicks, the
// refresh of the current record's marker and the pointer readouts.
#include "ui/map/map_window.h"

#include "ui/common/record_format.h"

#include <QGraphicsView>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>

namespace korvland {

void MapWindow::highlightCurrentRecord() {
    refreshMarker();
    const LandmarkDocument& document = mContext.document;
    const MarkerFrameItem* frame = mSelection.highlight(mContent, document.set(), document.currentIndex());
    if (!frame)
        return;
    // Each bar keeps the position within its range, so markers near an edge of the
    // content are not centred.
    const QPoint scroll = centringScroll(frame->pos().toPoint(), view()->viewport()->size());
    view()->horizontalScrollBar()->setValue(scroll.x());
    view()->verticalScrollBar()->setValue(scroll.y());
    emit highlightMoved(document.currentIndex());
}

void MapWindow::refreshMarker() {
    // Every side and type edit comes this way, and so does every change of record.
    refreshFrontLine();
    // Nothing before the first marker click, nor while no markers exist.
    if (mSelection.clickedMarkerName().isEmpty())
        return;
    const int current = mContext.document.currentIndex();
    if (const MapMarker* found = marker(current))
        found->syncIconAndHint(mContext.document.record(current));
}

void MapWindow::markerPressed(const MarkerFrameItem& frame, LandmarkDocument::SelectionUpdate update) {
    const QString name = frame.data(kMarkerNameKey).toString();
    const std::optional<int> index = recordIndexOfFrameName(name);
    if (!index)
        return;
    mSelection.setClickedMarkerName(name);
    emit markerNamed(name);
    // The one road of selection, as if the user had stepped to the record.
    mContext.document.select(*index, update);
    emit markerSelected(*index);
}

void MapWindow::recordEdited(int index, LandmarkDocument::Field field) {
    if (field == LandmarkDocument::Field::Active) {
        recordSwitched(index);
        return;
    }
    refreshStory();
    const LandmarkDocument& document = mContext.document;
    // Any field may carry the record into the filter or out of it.
    if (const MapMarker* found = marker(index))
        found->setDimmed(!document.passesFilter(index));
    if (index != document.currentIndex())
        return;
    if (field == LandmarkDocument::Field::Type) {
        if (mMapShown == 1)
            refreshMarker();
    } else if (field == LandmarkDocument::Field::Side) {
        setSavedMarkerColour(sideColour(document.record(index).side));
        refreshMarker();
    }
}

void MapWindow::pointerMovedOverGround(QPoint pos) {
    // The readouts name the current record, wherever the pointer is.
    const LandmarkRecord& record = mContext.document.currentRecord();
    const QString decimalPoint = QLocale().decimalPoint();
    emit pointerMoved(northSouthReadout(record.northSouth, decimalPoint),
                      eastWestReadout(record.eastWest, decimalPoint), QString::number(pos.y()),
                      QString::number(pos.x()));
}

bool MapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view()->viewport())
        return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const QPoint pos = mouse.position().toPoint();
    if (type == QEvent::MouseButtonRelease)
        return selectionMouseEvent(type, mouse);
    // The topmost item decides: a frame always lies above its own icon and covers it.
    const QList<QGraphicsItem*> under = view()->items(pos);
    if (type == QEvent::MouseMove) {
        if (under.isEmpty())
            pointerMovedOverGround(view()->viewport()->mapTo(this, pos));
        return selectionMouseEvent(type, mouse);
    }
    const auto* frame = under.isEmpty() ? nullptr : dynamic_cast<const MarkerFrameItem*>(under.first());
    if (!frame)
        selectionMouseEvent(type, mouse);
    else if (const auto update = markerPressedForSelection(frame->index(), mouse.button(), mouse.modifiers()))
        markerPressed(*frame, *update);
    // The view and the window's pop-up menu see the press as well.
    return false;
}

} // namespace korvland
