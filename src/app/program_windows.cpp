#include "app/program_windows.h"

#include "app/app_context.h"
#include "app/edit_actions.h"
#include "document/landmark_document.h"
#include "editor/editor_window.h"
#include "map/map_window.h"
#include "map/splash_window.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

namespace korvland {

namespace {

template <typename Window>
void make(std::unique_ptr<Window>& slot, AppContext& context, const ProgramWindows::Created& created) {
    slot = std::make_unique<Window>(context);
    if (created)
        created(*slot);
}

} // namespace

ProgramWindows::~ProgramWindows() {
    destroy();
}

void ProgramWindows::create(AppContext& context, const Created& created) {
    editActions = std::make_unique<EditActions>(context.document);
    make(editor, context, created);
    make(map, context, created);
    make(splash, context, created);
    make(ownership, context, created);
    make(status, context, created);
    connectWindows(context);
}

void ProgramWindows::destroy() {
    status.reset();
    ownership.reset();
    splash.reset();
    map.reset();
    editor.reset();
    editActions.reset();
}

void ProgramWindows::connectWindows(AppContext& context) {
    const LandmarkDocument* document = &context.document;
    TForm2* e = editor.get();
    TForm3* m = map.get();
    TForm4* s = splash.get();
    TForm5* o = ownership.get();
    TForm6* t = status.get();

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
    QObject::connect(document, &LandmarkDocument::currentChanged, e, &TForm2::showCurrentRecord);
    QObject::connect(document, &LandmarkDocument::currentChanged, m, [m] {
        if (m->isVisible())
            m->pb1DblClick();
    });
    QObject::connect(document, &LandmarkDocument::currentChanged, o, [o] {
        if (o->isVisible())
            o->UpdateData1Click();
    });
    // A record changed: the editor's "Saved ..." notice no longer tells the truth.
    QObject::connect(document, &LandmarkDocument::recordChanged, e, &TForm2::documentEdited);
    QObject::connect(document, &LandmarkDocument::disabledChanged, e, &TForm2::documentEdited);
    QObject::connect(document, &LandmarkDocument::recordsChanged, e, &TForm2::documentEdited);
    // An undo, a redo, an edit of the selection or another window's edit of the record on
    // screen: the editor's boxes show it again.
    QObject::connect(document, &LandmarkDocument::recordChanged, e, &TForm2::recordEdited);
    QObject::connect(document, &LandmarkDocument::disabledChanged, e, &TForm2::recordEdited);
    QObject::connect(document, &LandmarkDocument::recordsChanged, e, &TForm2::recordsEdited);
    QObject::connect(document, &LandmarkDocument::selectionEdited, e, &TForm2::selectionEdited);
    QObject::connect(document, &LandmarkDocument::selectionChanged, e, &TForm2::showSelectionCount);
    QObject::connect(document, &LandmarkDocument::currentChanged, e, &TForm2::showSelectionCount);
    // The "Edit" commands in the editor's menu; other windows take them the same way.
    e->setEditActions(*editActions);
    m->setEditActions(*editActions);
    // A landmark switched on or off gains or gives up its ground on the map, and its row
    // in the status table shows its tick.
    QObject::connect(document, &LandmarkDocument::disabledChanged, m, [m] {
        m->refreshFrontLine();
        m->update();
    });
    QObject::connect(document, &LandmarkDocument::disabledChanged, t, &TForm6::refreshRow);
    // The status table's rows follow every edit, one at a time or many, and its filter.
    QObject::connect(document, &LandmarkDocument::recordChanged, t, &TForm6::refreshRow);
    QObject::connect(document, &LandmarkDocument::recordsChanged, t, &TForm6::refreshRows);
    QObject::connect(document, &LandmarkDocument::filterChanged, t, &TForm6::showFilter);
    // The table's selected rows and the document's selection are one: the table hands
    // the user's rows to the document and shows whatever the document holds.
    QObject::connect(document, &LandmarkDocument::selectionChanged, t, &TForm6::showSelection);

    QObject::connect(document, &LandmarkDocument::recordChanged, m, &TForm3::recordEdited);
    QObject::connect(document, &LandmarkDocument::disabledChanged, m, &TForm3::recordSwitched);
    QObject::connect(document, &LandmarkDocument::recordsChanged, m, &TForm3::recordsEdited);
    QObject::connect(document, &LandmarkDocument::selectionChanged, m, &TForm3::showSelection);
    QObject::connect(document, &LandmarkDocument::filterChanged, m, &TForm3::showFilter);
    QObject::connect(document, &LandmarkDocument::regionChanged, m, &TForm3::showRegionCaption);

    // The editor's commands that show another window.
    QObject::connect(e, &TForm2::mapRequested, m, &TForm3::showOnCommand);
    QObject::connect(m, &TForm3::buildStarting, s, &TForm4::showPainted);
    QObject::connect(e, &TForm2::dataRequested, o, &TForm5::showOnCommand);
    QObject::connect(e, &TForm2::tableButtonClicked, t, &TForm6::Button1Click);

    // What the map tells the editor, the splash and the status table.
    QObject::connect(m, &TForm3::inSightChanged, e, [e](bool inSight) { e->setMapCommandEnabled(!inSight); });
    QObject::connect(m, &TForm3::markersBuilt, s, &QWidget::hide);
    QObject::connect(m, &TForm3::markerNamed, e, &TForm2::setCurrentControlText);
    QObject::connect(m, &TForm3::pointerMoved, e, &TForm2::setPointerReadings);
    // Whether or not the status table is shown; its own click handling does not run.
    QObject::connect(m, &TForm3::markerSelected, t, &TForm6::selectRow);

    // What the tables tell the editor.
    QObject::connect(t, &TForm6::inSightChanged, e,
                     [e](bool inSight) { e->setTableButtonEnabled(!inSight); });
    QObject::connect(t, &TForm6::noticeRaised, e, &TForm2::showNotice);
}

} // namespace korvland
