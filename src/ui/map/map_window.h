#pragma once

#include "data/landmark_kind.h"
#include "document/landmark_document.h"
#include "ui/common/app_context.h"
#include "ui/common/placement_keeper.h"
#include "ui/map/map_scene.h"
#include "ui/map/map_selection.h"

#include <QEvent>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QGraphicsScene;
class QGraphicsView;
class QMenu;
class QMouseEvent;
class QRubberBand;

namespace korvland {

// The objectNames of the map window and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace map_names {
inline constexpr char kView[] = "PB1View";
inline constexpr char kPopupMenu[] = "PopupMenu1";
inline constexpr char kWindow[] = "Form3";
inline constexpr char kHalfScaleAction[] = "N12Scale1";
inline constexpr char kFullScaleAction[] = "N11Scale1";
inline constexpr char kDoubleScaleAction[] = "N21Scale1";
inline constexpr char kQuadrupleScaleAction[] = "N41Scale1";
inline constexpr char kFrontLineAction[] = "FrontLine1";
inline constexpr char kNamesAction[] = "Names1";
inline constexpr char kCompareAction[] = "CompareWith1";
inline constexpr char kStopComparingAction[] = "StopComparing1";
inline constexpr char kBackgroundAction[] = "BackgroundPicture1";
inline constexpr char kRemoveBackgroundAction[] = "RemoveBackground1";
inline constexpr char kComparisonLegend[] = "ComparisonLegend";
} // namespace map_names

// The map window: every record as a marker on a dark-green surface that scrolls both
// ways, at one of four scales. Markers exist only while the window is shown: they are
// built when it is shown and after every change of scale, and go when it is hidden.
class EditActions;

class MapWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MapWindow(AppContext& context, QWidget* parent = nullptr);
    ~MapWindow() override;

    // Where the window first appears, before a run has stored its placement.
    static PlacementOptions designedPlacement() {
        return {map_names::kWindow, false, false, {QPoint(315, 154), QSize(833, 753), true}};
    }

    // 1 while the map window is shown, otherwise 0: set when it is shown, cleared when it is
    // hidden.
    int mapShown() const { return mMapShown; }
    void setMapShown(int shown) { mMapShown = shown; }
    // The scale of the markers: 0.5, 1, 2 or 4; 1 after every show.
    float mapScale() const { return mMapScale; }
    // The frame colour the highlighted marker gets back when the highlight moves on.
    BgrColour savedMarkerColour() const { return mSelection.savedMarkerColour(); }
    void setSavedMarkerColour(BgrColour colour) { mSelection.setSavedMarkerColour(colour); }

    // The window's events.
    void windowShown();
    void windowHidden();
    void windowClosed();
    // Builds one marker per record, hides the splash window and highlights the current
    // record's marker.
    void buildMarkers();
    // The scale of the pop-up menu's entries 1:2, 1:1, 2:1 and 4:1: the entry takes the radio
    // mark and the markers are built again while the window stays shown. Other values are
    // ignored, as is any change while the window is hidden.
    void setScale(float scale);
    // The next scale up or down, none beyond 4:1 or below 1:2.
    void zoomIn();
    void zoomOut();

    // --- selection (map_window_selection.cpp) --------------------------------------
    // Moves the selection mark to the current record's marker and scrolls it to the
    // middle of the window.
    void highlightCurrentRecord();
    // Renews the current record's marker (icon and hint) after a type or side edit, once
    // a marker has been clicked and while the markers exist.
    void refreshMarker();
    // A mouse button went down on a marker's frame: its record becomes current
    // everywhere. A right button's press opens the pop-up menu as well, as it does
    // anywhere in the window.
    void markerPressed(const MarkerFrameItem& frame, LandmarkDocument::SelectionUpdate update =
                                                         LandmarkDocument::SelectionUpdate::ClearAndSelect);
    // The pointer moved over the bare surface, at `pos` in the window's client area.
    void pointerMovedOverGround(QPoint pos);
    const MapSelection& selection() const { return mSelection; }

    // --- the selection of many records (map_window_multi_select.cpp) ---------------
    // A left drag from the bare surface draws a rubber band and, on release, makes the
    // markers whose centres lie inside it the selection; with Ctrl they join it. Ctrl and a
    // press on a marker adds it to the selection or takes it out, leaving the current
    // record alone. Escape empties the selection, Ctrl+A selects every record. The markers
    // show the document's selection and dim what its filter leaves out.

    // Gives the ring to the markers of selected records and takes it from the others; only
    // the markers whose state changes repaint.
    void showSelection();
    // Dims the markers of the records that do not pass the document's filter.
    void showFilter();
    // An edit of many records, its undo or its redo: their markers take their side colour
    // or their switch, the highlighted one keeping its white ring.
    void recordsEdited(const QList<int>& indices, LandmarkDocument::Field field);
    // The band while a drag draws one, otherwise null.
    const QRubberBand* rubberBand() const;
    // The pop-up menu takes the edits of the selection, and the window the keys of every
    // "Edit" command.
    void setEditActions(const EditActions& actions);

    // --- front line (map_window_front_line.cpp) ------------------------------------
    // The pop-up menu's "Front Line" entry: shows or hides the ground each side holds and
    // the front between them, and keeps the choice in the settings file.
    void frontLineToggled();
    // Brings the overlay in line with the set while the markers exist and the entry is
    // checked; its diagram is computed again only when the ground has changed.
    void refreshFrontLine();
    const FrontLineItem* frontLine() const { return mContent.frontLine; }

    // --- names, comparison and picture (map_window_story.cpp) ------------------------
    // "Names": the landmarks' names beside their markers, kept in the settings file.
    void namesToggled();
    // "Compare With...": asks for another landmark file or master copy and rings what
    // differs from it until "Stop Comparing"; the choice holds for the open landmark file
    // for the rest of the run.
    void compareWithChosen();
    void stopComparing();
    // "Background Picture...": asks for a picture and its two anchors, kept per region in
    // the settings file; "Remove Background Picture" forgets them.
    void backgroundPictureChosen();
    void removeBackgroundPicture();
    // Names and rings follow the set after an edit, its undo or its redo.
    void refreshStory();
    // The path of the file compared with, empty when none is.
    QString comparedPath() const { return mCompared.path; }
    // The legend's text while a comparison is shown, otherwise empty.
    QString comparisonLegend() const;
    const MapContent& content() const { return mContent; }

    // The markers of the last build, by record index; empty while the window is hidden.
    const std::vector<MapMarker>& markers() const { return mContent.markers; }
    // The marker of record `index`, or null when it does not exist.
    const MapMarker* marker(int index) const;
    QGraphicsView* view() const;
    QGraphicsScene* scene() const { return mScene; }
    QMenu* popupMenu() const { return mPopupMenu; }

    // "Map": a minimised map comes back as it was; a hidden one is built and shown, the
    // splash covering the build.
    void showOnCommand();

    // --- following the document -----------------------------------------------------
    // A new type renews the current record's marker while the map is shown; a new side
    // also gives the highlighted marker's frame its new colour for when the highlight
    // moves on; a switch on or off hatches the marker and redraws the front line.
    void recordEdited(int index, LandmarkDocument::Field field);
    // The caption names the theatre once a file has named one.
    void showRegionCaption();

  signals:
    // A build after "Map" is about to begin: the splash window is to be painted over it.
    void buildStarting();
    // The markers are built: the splash window can go.
    void markersBuilt();
    // The map came into sight or went out of it (hidden, closed or minimised): "Map" is
    // needed only while it is out of sight.
    void inSightChanged(bool inSight);
    // A marker was pressed: its name (before its record becomes current), then its record
    // index (after).
    void markerNamed(const QString& name);
    void markerSelected(int index);
    // The pointer moved over the bare surface: the current record's coordinates and the
    // pointer's position in the window.
    void pointerMoved(const QString& northSouth, const QString& eastWest, const QString& y, const QString& x);
    // The highlight rests on the current record `index`.
    void highlightMoved(int index);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Presses on frames and movements over the bare surface of the view.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createPopupMenu();
    void createFrontLineEntry();
    void createStoryEntries();
    // Reads the file to compare with; false, with the error shown, when it cannot be read.
    bool loadComparison(const QString& path);
    void showStoryOverlays();
    void showBackgroundPicture();
    // Press, drag and release of the left button on the view for selection: true when the
    // event was a selection gesture the view must not see.
    bool selectionMouseEvent(QEvent::Type type, const QMouseEvent& event);
    // A press on the marker of record `index`: what its record's move to current does to the
    // selection, or nothing when the record does not become current.
    std::optional<LandmarkDocument::SelectionUpdate>
    markerPressedForSelection(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void finishBand(bool apply);
    // One record was switched on or off: its marker's hatch and dimming follow.
    void recordSwitched(int index);
    void destroyMarkers();

    AppContext& mContext;
    int mMapShown = 0;
    float mMapScale = 1.0f;
    MapSelection mSelection;
    QGraphicsScene* mScene = nullptr;
    class MapView* mView = nullptr;
    MapContent mContent;

    QMenu* mPopupMenu = nullptr;
    QActionGroup* mScaleGroup = nullptr;
    QAction* mFullScaleAction = nullptr;
    QAction* mFrontLineAction = nullptr;
    QAction* mNamesAction = nullptr;
    QAction* mCompareAction = nullptr;
    QAction* mStopComparingAction = nullptr;
    QAction* mBackgroundAction = nullptr;
    QAction* mRemoveBackgroundAction = nullptr;
    // The file each landmark file is compared with in this run, by the path the document
    // read it from.
    QHash<QString, QString> mComparisonFor;
    // The open file's comparison, read once when it is chosen or first needed.
    struct Compared {
        QString path;
        std::shared_ptr<const LandmarkSet> set;
    } mCompared;
    class ComparisonLegendBox* mLegend = nullptr;
    // The picture of the last build, and the one that could not be read, reported once.
    QString mPicturePath;
    QImage mPicture;
    QString mUnreadablePicture;

    // The rubber band: waiting for the pointer to move far enough from where the left
    // button went down on the bare surface, then drawn until the button is released.
    enum class Band { None, Pending, Drawing };
    Band mBandState = Band::None;
    QPoint mBandOrigin;
    bool mBandAdds = false;
    QRubberBand* mBand = nullptr;
};

} // namespace korvland
