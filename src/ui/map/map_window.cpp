#include "ui/map/map_window.h"

#include "data/region.h"
#include "ui/common/accessible_items.h"
#include "ui/common/data_texts.h"
#include "ui/common/record_format.h"
#include "ui/common/window_sight.h"
#include "ui/map/map_accessibility.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenu>
#include <QProxyStyle>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace korvland {

namespace {

constexpr int kScrollBarWidth = 13;

// The map's scroll bars are narrower than the platform's. The view reckons its scroll
// range with the same width, so the style answers for both.
class NarrowScrollBarStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_ScrollBarExtent)
            return kScrollBarWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

// The scrollable surface. The content's top-left corner stays at the viewport's
// top-left even when the content is smaller, and the scroll steps are those of a
// smooth-scrolling window: a page is nine tenths of the visible extent, a line a tenth
// of a page.
class MapView : public QGraphicsView {
  public:
    MapView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
        auto* style = new NarrowScrollBarStyle;
        style->setParent(this);
        setStyle(style);
        horizontalScrollBar()->setStyle(style);
        verticalScrollBar()->setStyle(style);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setFrameShape(QFrame::NoFrame);
        setBackgroundBrush(colourFromBgr(kMapGroundColour));
        // Right clicks belong to the window's pop-up menu, markers included.
        setContextMenuPolicy(Qt::NoContextMenu);
        viewport()->setContextMenuPolicy(Qt::NoContextMenu);
        setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    }

    // The view sets its own steps whenever it recomputes its range; these follow.
    void applyScrollSteps() {
        for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
            const int visible = bar == horizontalScrollBar() ? viewport()->width() : viewport()->height();
            const int page = std::max(1, visible * 9 / 10);
            bar->setPageStep(page);
            bar->setSingleStep(std::max(1, page / 10));
        }
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        applyScrollSteps();
    }
};

MapWindow::MapWindow(AppContext& context, QWidget* parent) : QWidget(parent), mContext(context) {
    setObjectName(QLatin1String(map_names::kWindow));
    exposeAsWindow(this);
    //: The map window's caption until a file names its region. In English it is the old program's
    //: name of its drawing surface; a translation may simply name the map.
    // Its "[*]" shows unsaved changes as every caption of the map does: restored work is
    // modified before a region names the map.
    setWindowTitle(tr("object PB1: TPaintBox") + QStringLiteral("[*]"));
    move(315, 154);
    resize(833, 753);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);

    mScene = new QGraphicsScene(this);
    // No spatial index: a rubber band gives hundreds of frames their selection ring at once,
    // and every frame whose extent changes would be taken out of a tree and put back; a
    // plain search through some two thousand items per press or repaint costs far less.
    mScene->setItemIndexMethod(QGraphicsScene::NoIndex);
    mScene->setBackgroundBrush(colourFromBgr(kMapGroundColour));
    mView = new MapView(mScene, this);
    mView->setObjectName(QLatin1String(map_names::kView));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);
    createPopupMenu();
    createFrontLineEntry();
    createStoryEntries();
    // Pointer movements without a button reach the filter too, for the readouts.
    mView->viewport()->setMouseTracking(true);
    mView->viewport()->installEventFilter(this);
    new MapAccessibility(*this, mContext.document);
}

MapWindow::~MapWindow() {
    destroyMarkers();
}

void MapWindow::createPopupMenu() {
    mPopupMenu = new QMenu(this);
    mPopupMenu->setObjectName(QLatin1String(map_names::kPopupMenu));
    mScaleGroup = new QActionGroup(this);
    mScaleGroup->setExclusive(true);
    const auto entry = [this](const QString& caption, const char* name, float scale) {
        QAction* action = mPopupMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setData(scale);
        mScaleGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, scale] { setScale(scale); });
        return action;
    };
    // The digit before the colon picks a scale from the keyboard; 1:2 shares it with 1:1.
    entry(tr("1:2 Sca&le"), map_names::kHalfScaleAction, 0.5f);
    mFullScaleAction = entry(tr("&1:1 Scale"), map_names::kFullScaleAction, 1.0f);
    entry(tr("&2:1 Scale"), map_names::kDoubleScaleAction, 2.0f);
    entry(tr("&4:1 Scale"), map_names::kQuadrupleScaleAction, 4.0f);
    mFullScaleAction->setChecked(true);
}

QGraphicsView* MapWindow::view() const {
    return mView;
}

const MapMarker* MapWindow::marker(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= mContent.markers.size())
        return nullptr;
    return &mContent.markers[static_cast<std::size_t>(index)];
}

// --- events ------------------------------------------------------------------------

void MapWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window system's own shows (restoring from the task bar) build nothing.
    if (!event->spontaneous())
        windowShown();
}

void MapWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    windowHidden();
    // Whatever hid it (its close box, a file read, a read that then failed), "Map" brings
    // it back.
    emit inSightChanged(false);
}

void MapWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Minimised, the map is out of sight: "Map" brings it back. Restored, it is shown again.
    if (event->type() == QEvent::WindowStateChange && !isHidden())
        emit inSightChanged(!isMinimized());
}

void MapWindow::closeEvent(QCloseEvent* event) {
    windowClosed();
    QWidget::closeEvent(event);
}

void MapWindow::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    // The Menu key opens the menu where the keyboard works: at the current record's marker
    // while it is in sight, otherwise in the middle of the map.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        QWidget* viewport = mView->viewport();
        QPoint local = viewport->rect().center();
        if (const MapMarker* current = marker(mContext.document.currentIndex())) {
            const QPoint centre = mView->mapFromScene(current->frame->sceneBoundingRect().center());
            if (viewport->rect().contains(centre))
                local = centre;
        }
        at = viewport->mapToGlobal(local);
    }
    mPopupMenu->popup(at);
    event->accept();
}

void MapWindow::windowShown() {
    mSelection.forgetMarker();
    mMapScale = 1.0f;
    mFullScaleAction->setChecked(true);
    mMapShown = 1;
    emit inSightChanged(true);
    buildMarkers();
}

void MapWindow::showOnCommand() {
    // Only minimised: its markers are there, it comes back as it was.
    if (!isHidden()) {
        bringIntoSight(*this);
        return;
    }
    emit buildStarting();
    bringIntoSight(*this);
}

void MapWindow::windowHidden() {
    mMapShown = 0;
    finishBand(false);
    destroyMarkers();
}

void MapWindow::windowClosed() {
    emit inSightChanged(false);
}

void MapWindow::showRegionCaption() {
    const LandmarkDocument& document = mContext.document;
    // "[*]" shows unsaved changes, as in the editor's caption.
    if (document.regionKnown())
        setWindowTitle(regionMapCaptionText(document.region()) + QStringLiteral("[*]"));
}

void MapWindow::buildMarkers() {
    mContent = buildMapScene(*mScene, mContext.document.set(), mContext.document.region(), mMapScale);
    showSelection();
    showFilter();
    refreshFrontLine();
    showStoryOverlays();
    mView->applyScrollSteps();
    // The build places markers in content coordinates, from the top-left corner.
    mView->horizontalScrollBar()->setValue(0);
    mView->verticalScrollBar()->setValue(0);
    emit markersBuilt();
    highlightCurrentRecord();
}

void MapWindow::destroyMarkers() {
    clearMapScene(*mScene, mContent);
}

// --- scale -------------------------------------------------------------------------

void MapWindow::setScale(float scale) {
    // The menu opens only over the shown window; markers never exist while it is hidden.
    if (!isVisible())
        return;
    const auto entries = mScaleGroup->actions();
    const auto entry = std::find_if(entries.begin(), entries.end(), [scale](const QAction* action) {
        return action->data().toFloat() == scale;
    });
    if (entry == entries.end())
        return;
    mMapScale = scale;
    (*entry)->setChecked(true);
    // The window stays shown: mapShown keeps its value and the splash window stays away.
    destroyMarkers();
    buildMarkers();
}

void MapWindow::zoomIn() {
    for (const QAction* entry : mScaleGroup->actions()) {
        if (entry->data().toFloat() > mMapScale) {
            setScale(entry->data().toFloat());
            return;
        }
    }
}

void MapWindow::zoomOut() {
    const auto entries = mScaleGroup->actions();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if ((*it)->data().toFloat() < mMapScale) {
            setScale((*it)->data().toFloat());
            return;
        }
    }
}

} // namespace korvland
