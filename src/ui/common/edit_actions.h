#pragma once

#include "document/landmark_document.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace korvland {

class Dialogs;

// The commands of the "Edit" menu, bound to the document once for the whole program: undo
// and redo (their texts name the step), the selection's commands, the edits of the
// selection and "Find...". Every window shows the same actions, so their texts, enabled
// states and shortcuts agree everywhere; an edit of a selection of several names how many
// landmarks it changes ("Switch Off 26 Landmarks"). A window hands them on with addTo(): into its
// "Edit" menu or its pop-up menu, and to the window itself so that the keys work there.
class EditActions : public QObject {
    Q_OBJECT
  public:
    // `dialogs` asks before an edit of the selection reaches records the filter hides.
    EditActions(LandmarkDocument& document, Dialogs& dialogs, QObject* parent = nullptr);

    // Fills `menu` in the menu's order: undo and redo, the selection, its edits ("Set Side"
    // as a submenu of its own), "Find...".
    void addTo(QMenu* menu) const;
    // Puts the edits of the selection ("Switch On", "Switch Off", "Set Side", "Invert
    // Selection") into a pop-up menu, before `before` (at the end when null).
    void addSelectionEditsTo(QMenu* menu, QAction* before = nullptr) const;
    // Makes the keys of every action work while `window` is active (undo, redo and find
    // work from every window already once one menu holds them).
    void addShortcutsTo(QWidget* window) const;
    // A text box takes Ctrl+Z and the redo keys for its own typing; a box given here leaves
    // them to the document's undo and redo, so that the keys do the same wherever the focus is.
    void routeUndoKeys(QWidget* box);

    QAction* undo() const { return mUndo; }
    QAction* redo() const { return mRedo; }
    QAction* selectAll() const { return mSelectAll; }
    QAction* selectNone() const { return mSelectNone; }
    QAction* invertSelection() const { return mInvertSelection; }
    QAction* switchOn() const { return mSwitchOn; }
    QAction* switchOff() const { return mSwitchOff; }
    QAction* sideGerman() const { return mSideGerman; }
    QAction* sideAllied() const { return mSideAllied; }
    QAction* find() const { return mFind; }

    // Every action above, in the menu's order.
    QList<QAction*> actions() const;

  signals:
    // "Find...": the editor window shows its find bar.
    void findRequested();
    // The states and texts of the edits of the selection were brought up to date.
    void selectionCommandsChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* make(const QString& text, const char* objectName);
    void addSideMenu(QMenu* menu, QAction* before) const;
    // The states of the commands, and the texts of those that edit the selection, which
    // count it when it holds more than one landmark.
    void updateForSelection();
    QString sideMenuText() const;
    // Runs an edit of the selection on the records the user agrees to: all of them, or only
    // those the filter shows when some are hidden and the user says no.
    void editSelection(const std::function<void(LandmarkDocument::EditScope)>& edit);

    LandmarkDocument& mDocument;
    Dialogs& mDialogs;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    QAction* mSelectAll = nullptr;
    QAction* mSelectNone = nullptr;
    QAction* mInvertSelection = nullptr;
    QAction* mSwitchOn = nullptr;
    QAction* mSwitchOff = nullptr;
    QAction* mSideGerman = nullptr;
    QAction* mSideAllied = nullptr;
    QAction* mFind = nullptr;
};

// The text of an undo or redo command: `commandWithStep` ("&Undo %1") naming the step, as
// "Undo Side of Arras", or `command` ("&Undo") with no step. An "&" in a landmark's name
// shows as itself rather than as an access key.
QString stepCommandText(const QString& command, const QString& commandWithStep, const QString& step);

} // namespace korvland
