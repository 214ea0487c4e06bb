// The map window's part in the selection of many records: the rubber band, Ctrl and a
// press on a marker, Escape and Ctrl+A, the selection ring and the dimming of what the
// filter leaves out, and the pop-up menu's edits of the selection. The selection and the
// filter are the document's; the markers only show them.
#include "ui/map/map_window.h"

#include "ui/common/edit_actions.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRubberBand>

namespace korvland {

// --- the markers follow the document ---------------------------------------------------

void MapWindow::showSelection() {
    const LandmarkDocument& document = mContext.document;
    for (const MapMarker& marker : mContent.markers)
        marker.frame->setInSelection(document.isSelected(marker.frame->index()));
}

void MapWindow::showFilter() {
    const LandmarkDocument& document = mContext.document;
    for (const MapMarker& marker : mContent.markers)
        marker.setDimmed(!document.passesFilter(marker.frame->index()));
}

void MapWindow::recordsEdited(const QList<int>& indices, LandmarkDocument::Field field) {
    const LandmarkDocument& document = mContext.document;
    for (const int index : indices) {
        const MapMarker* found = marker(index);
        if (!found)
            continue;
        const std::uint8_t flag = document.set().disabledFlag(static_cast<std::size_t>(index));
        if (mSelection.selectedMarker() == index) {
            // The white ring stays; its square takes the new colour when the highlight moves on.
            if (field == LandmarkDocument::Field::Side)
                setSavedMarkerColour(sideColour(document.record(index).side));
            found->syncIconAndHint(document.record(index));
            found->frame->setHatched(flag != 0);
        } else {
            found->sync(document.record(index), flag);
        }
        found->setDimmed(!document.passesFilter(index));
    }
    refreshFrontLine();
    refreshStory();
}

void MapWindow::recordSwitched(int index) {
    if (const MapMarker* found = marker(index)) {
        found->frame->setHatched(!mContext.document.isActive(index));
        found->setDimmed(!mContext.document.passesFilter(index));
    }
    // A landmark switched on or off gains or gives up its ground.
    refreshFrontLine();
    refreshStory();
    update();
}

// --- gestures ---------------------------------------------------------------------------

const QRubberBand* MapWindow::rubberBand() const {
    return mBandState == Band::Drawing ? mBand : nullptr;
}

std::optional<LandmarkDocument::SelectionUpdate>
MapWindow::markerPressedForSelection(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    LandmarkDocument& document = mContext.document;
    // Ctrl and the left button pick records for the selection; the current record stays.
    if (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)) {
        document.toggleSelected(index);
        return std::nullopt;
    }
    // A right press keeps the selection it lands in, so that the pop-up menu acts on it.
    if (button == Qt::RightButton && document.isSelected(index))
        return LandmarkDocument::SelectionUpdate::Keep;
    return LandmarkDocument::SelectionUpdate::ClearAndSelect;
}

bool MapWindow::selectionMouseEvent(QEvent::Type type, const QMouseEvent& event) {
    const QPoint pos = event.position().toPoint();
    if (type == QEvent::MouseButtonPress) {
        if (event.button() != Qt::LeftButton)
            return false;
        mBandState = Band::Pending;
        mBandOrigin = pos;
        mBandAdds = event.modifiers() & Qt::ControlModifier;
        return false;
    }
    if (mBandState == Band::None)
        return false;
    if (type == QEvent::MouseButtonRelease) {
        if (event.button() != Qt::LeftButton)
            return false;
        finishBand(mBandState == Band::Drawing);
        return true;
    }
    // A release the viewport never saw (a window that took the pointer) ends the gesture.
    if (!(event.buttons() & Qt::LeftButton)) {
        finishBand(false);
        return false;
    }
    // A small slip of the hand while clicking the ground draws nothing.
    if (mBandState == Band::Pending) {
        if ((pos - mBandOrigin).manhattanLength() < QApplication::startDragDistance())
            return false;
        if (!mBand)
            mBand = new QRubberBand(QRubberBand::Rectangle, view()->viewport());
        mBandState = Band::Drawing;
        mBand->show();
    }
    mBand->setGeometry(QRect(mBandOrigin, pos).normalized());
    return true;
}

void MapWindow::finishBand(bool apply) {
    const bool drawn = mBandState == Band::Drawing;
    mBandState = Band::None;
    if (!drawn)
        return;
    mBand->hide();
    if (!apply)
        return;
    const QRectF band = view()->mapToScene(mBand->geometry()).boundingRect();
    const QList<int> inside = markersInBand(mContent, band);
    if (mBandAdds)
        mContext.document.addToSelection(inside);
    else
        mContext.document.setSelection(inside);
}

void MapWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // The first Escape drops a band being drawn, the next the selection.
        if (mBandState == Band::Drawing)
            finishBand(false);
        else
            mContext.document.selectNone();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// --- the pop-up menu ------------------------------------------------------------------

void MapWindow::setEditActions(const EditActions& actions) {
    // After the scales, before "Front Line"; the keys (Ctrl+A among them) work in the window.
    actions.addSelectionEditsTo(mPopupMenu, mFrontLineAction);
    actions.addShortcutsTo(this);
}

} // namespace korvland
