#include "ui/start/program_windows.h"

#include "document/landmark_document.h"
#include "ui/common/app_context.h"
#include "ui/common/edit_actions.h"
#include "ui/common/guide_link.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/map/splash_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

namespace korvland {

namespace {

template <typename Window>
void make(std::unique_ptr<Window>& slot, AppContext& context, const ProgramWindows::Created& created) {
    slot = std::make_unique<Window>(context);
    if (created)
        created(*slot);
}

template <typename Window>
void unmake(std::unique_ptr<Window>& slot, const ProgramWindows::Destroying& destroying) {
    if (slot && destroying)
        destroying(*slot);
    slot.reset();
}

} // namespace

ProgramWindows::~ProgramWindows() {
    destroy();
}

void ProgramWindows::create(AppContext& context, const Created& created) {
    editActions = std::make_unique<EditActions>(context.document, context.dialogs);
    make(editor, context, created);
    make(map, context, created);
    make(splash, context, created);
    make(ownership, context, created);
    make(status, context, created);
    connectWindows(context);
}

void ProgramWindows::destroy(const Destroying& destroying) {
    unmake(status, destroying);
    unmake(ownership, destroying);
    unmake(splash, destroying);
    unmake(map, destroying);
    unmake(editor, destroying);
    editActions.reset();
}

void ProgramWindows::connectWindows(AppContext& context) {
    const LandmarkDocument* document = &context.document;
    EditorWindow* e = editor.get();
    MapWindow* m = map.get();
    SplashWindow* s = splash.get();
    OwnershipWindow* o = ownership.get();
    StatusWindow* t = status.get();

    // The map and the tables show the old set; they go, in this order, before a read
    // replaces it. A minimised window counts as shown (isVisible() can be false while it is
    // minimised): left open the map would keep the old set's markers and a table its rows.
    // Each stays hidden, whatever its state, until its command brings it back.
    for (QWidget* window : std::initializer_list<QWidget*>{m, o, t}) {
        QObject::connect(document, &LandmarkDocument::readStarting, window, [window] {
            if (!window->isHidden())
                window->hide();
        });
    }

    // The road of every selection, in this order: the editor's refresh, then the map's
    // highlight when the map is shown, then the ownership recount when that table is shown.
    QObject::connect(document, &LandmarkDocument::currentChanged, e, &EditorWindow::showCurrentRecord);
    QObject::connect(document, &LandmarkDocument::currentChanged, m, [m] {
        if (m->isVisible())
            m->highlightCurrentRecord();
    });
    const auto recountIfShown = [o] {
        if (o->isVisible())
            o->recount();
    };
    QObject::connect(document, &LandmarkDocument::currentChanged, o, recountIfShown);
    // A record changed: the editor's "Saved ..." notice goes, and an undo, a redo, an edit of
    // the selection or another window's edit of the record on screen shows in its boxes.
    QObject::connect(document, &LandmarkDocument::recordChanged, e, &EditorWindow::recordEdited);
    QObject::connect(document, &LandmarkDocument::recordsChanged, e, &EditorWindow::recordsEdited);
    // An edit of one record or of many, its undo or its redo changes what each side holds.
    QObject::connect(document, &LandmarkDocument::recordsChanged, o, recountIfShown);
    QObject::connect(document, &LandmarkDocument::recordChanged, o,
                     [recountIfShown](int /*index*/, LandmarkDocument::Field field) {
                         if (field != LandmarkDocument::Field::Name)
                             recountIfShown();
                     });
    QObject::connect(document, &LandmarkDocument::filePathChanged, e, &EditorWindow::showFilePath);
    QObject::connect(document, &LandmarkDocument::selectionEdited, e, &EditorWindow::selectionEdited);
    QObject::connect(document, &LandmarkDocument::selectionChanged, e, &EditorWindow::showSelectionCount);
    QObject::connect(document, &LandmarkDocument::currentChanged, e, &EditorWindow::showSelectionCount);
    QObject::connect(document, &LandmarkDocument::filterChanged, e, &EditorWindow::showSelectionCount);
    // The "Edit" commands in the editor's menu; other windows take them the same way.
    e->setEditActions(*editActions);
    m->setEditActions(*editActions);
    // The status table's rows follow every edit by its model; the filter is shown from here.
    QObject::connect(document, &LandmarkDocument::filterChanged, t, &StatusWindow::showFilter);
    // The table's selected rows and the document's selection are one: the table hands
    // the user's rows to the document and shows whatever the document holds.
    QObject::connect(document, &LandmarkDocument::selectionChanged, t, &StatusWindow::showSelection);

    QObject::connect(document, &LandmarkDocument::recordChanged, m, &MapWindow::recordEdited);
    QObject::connect(document, &LandmarkDocument::recordsChanged, m, &MapWindow::recordsEdited);
    QObject::connect(document, &LandmarkDocument::selectionChanged, m, &MapWindow::showSelection);
    QObject::connect(document, &LandmarkDocument::filterChanged, m, &MapWindow::showFilter);
    QObject::connect(document, &LandmarkDocument::regionChanged, m, &MapWindow::showRegionCaption);
    QObject::connect(document, &LandmarkDocument::modifiedChanged, m, &QWidget::setWindowModified);

    // The editor's commands that show another window.
    QObject::connect(e, &EditorWindow::mapRequested, m, &MapWindow::showOnCommand);
    QObject::connect(m, &MapWindow::buildStarting, s, &SplashWindow::showPainted);
    QObject::connect(e, &EditorWindow::dataRequested, o, &OwnershipWindow::showOnCommand);
    QObject::connect(e, &EditorWindow::tableButtonClicked, t, &StatusWindow::fillAndShow);

    // What the map tells the editor, the splash and the status table.
    QObject::connect(m, &MapWindow::inSightChanged, e,
                     [e](bool inSight) { e->setMapCommandEnabled(!inSight); });
    QObject::connect(m, &MapWindow::markersBuilt, s, &QWidget::hide);
    QObject::connect(m, &MapWindow::markerNamed, e, &EditorWindow::setCurrentControlText);
    QObject::connect(m, &MapWindow::pointerMoved, e, &EditorWindow::setPointerReadings);
    // Whether or not the status table is shown; its own click handling does not run.
    QObject::connect(m, &MapWindow::markerSelected, t, &StatusWindow::selectRow);

    // What the tables tell the editor.
    QObject::connect(t, &StatusWindow::inSightChanged, e,
                     [e](bool inSight) { e->setTableButtonEnabled(!inSight); });
    QObject::connect(t, &StatusWindow::noticeRaised, e, &EditorWindow::showNotice);

    // F1 opens the operator's guide at the page of the window.
    openGuideOnF1(*e, guide_pages::kStart);
    openGuideOnF1(*m, guide_pages::kMap);
    openGuideOnF1(*o, guide_pages::kTables);
    openGuideOnF1(*t, guide_pages::kTables);
}

} // namespace korvland
