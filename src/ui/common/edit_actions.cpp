#include "ui/common/edit_actions.h"

#include "document/landmark_document.h"
#include "ui/common/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QUndoStack>
#include <QWidget>

namespace korvland {

QString stepCommandText(const QString& command, const QString& commandWithStep, const QString& step) {
    if (step.isEmpty())
        return command;
    QString shown = step;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return commandWithStep.arg(shown);
}

EditActions::EditActions(LandmarkDocument& document, Dialogs& dialogs, QObject* parent)
    : QObject(parent), mDocument(document), mDialogs(dialogs) {
    QUndoStack* stack = document.undoStack();
    mUndo = make(tr("&Undo"), "Undo");
    mRedo = make(tr("&Redo"), "Redo");
    mUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mSelectAll = make(tr("Select &All"), "SelectAll");
    mSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    mSelectNone = make(tr("Select &None"), "SelectNone");
    mSelectNone->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    mInvertSelection = make(tr("&Invert Selection"), "InvertSelection");
    mInvertSelection->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    // Their texts follow the selection: updateForSelection.
    mSwitchOn = make(QString(), "SwitchOn");
    mSwitchOff = make(QString(), "SwitchOff");
    //: The side a landmark belongs to, in the "Set Side" submenu.
    mSideGerman = make(tr("&German"), "SideGerman");
    //: The side a landmark belongs to, in the "Set Side" submenu.
    mSideAllied = make(tr("&Allied"), "SideAllied");
    mFind = make(tr("&Find..."), "Find");
    mFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // Undo, redo and find reach the document from whichever window is active; the selection's
    // keys belong to the windows that show a selection.
    for (QAction* action : {mUndo, mRedo, mFind})
        action->setShortcutContext(Qt::ApplicationShortcut);

    connect(stack, &QUndoStack::undoTextChanged, mUndo, [this](const QString& step) {
        //: %1 is the step to undo, e.g. "Side of Arras".
        mUndo->setText(stepCommandText(tr("&Undo"), tr("&Undo %1"), step));
    });
    connect(stack, &QUndoStack::redoTextChanged, mRedo, [this](const QString& step) {
        //: %1 is the step to redo, e.g. "Side of Arras".
        mRedo->setText(stepCommandText(tr("&Redo"), tr("&Redo %1"), step));
    });
    connect(stack, &QUndoStack::canUndoChanged, mUndo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, mRedo, &QAction::setEnabled);
    connect(mUndo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(mRedo, &QAction::triggered, stack, &QUndoStack::redo);

    connect(mSelectAll, &QAction::triggered, this, [this] { mDocument.selectAll(); });
    connect(mSelectNone, &QAction::triggered, this, [this] { mDocument.selectNone(); });
    connect(mInvertSelection, &QAction::triggered, this, [this] { mDocument.invertSelection(); });
    using Scope = LandmarkDocument::EditScope;
    connect(mSwitchOn, &QAction::triggered, this,
            [this] { editSelection([this](Scope scope) { mDocument.switchOnSelection(scope); }); });
    connect(mSwitchOff, &QAction::triggered, this,
            [this] { editSelection([this](Scope scope) { mDocument.switchOffSelection(scope); }); });
    connect(mSideGerman, &QAction::triggered, this,
            [this] { editSelection([this](Scope scope) { mDocument.setSideOfSelection(0, scope); }); });
    connect(mSideAllied, &QAction::triggered, this,
            [this] { editSelection([this](Scope scope) { mDocument.setSideOfSelection(1, scope); }); });
    connect(mFind, &QAction::triggered, this, &EditActions::findRequested);

    connect(&document, &LandmarkDocument::selectionChanged, this, &EditActions::updateForSelection);
    connect(&document, &LandmarkDocument::setReplaced, this, &EditActions::updateForSelection);
    updateForSelection();
}

void EditActions::editSelection(const std::function<void(LandmarkDocument::EditScope)>& edit) {
    using Scope = LandmarkDocument::EditScope;
    const int hidden = mDocument.hiddenSelectedCount();
    if (hidden == 0) {
        edit(Scope::WholeSelection);
        return;
    }
    //: %n is the number of selected landmarks the filter hides, %1 that of all selected.
    const QString question = tr("%n of the %1 selected landmarks (is|are) hidden by the filter. "
                                "Change (it|them) too?",
                                nullptr, hidden)
                                 .arg(mDocument.selectedCount());
    const bool all = mDialogs.question(QApplication::activeWindow(), question);
    edit(all ? Scope::WholeSelection : Scope::ShownSelection);
}

QAction* EditActions::make(const QString& text, const char* objectName) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

QString EditActions::sideMenuText() const {
    const int count = mDocument.selectedCount();
    if (count > 1)
        //: Submenu: sets the side of the %n selected landmarks, always more than one.
        return tr("Set &Side of %n Landmark(s)", nullptr, count);
    //: Submenu: sets the side (German or Allied) of the selected landmarks.
    return tr("Set &Side");
}

void EditActions::updateForSelection() {
    const bool loaded = mDocument.isLoaded() && mDocument.recordCount() > 0;
    const int count = mDocument.selectedCount();
    const bool selection = count > 0;
    // An edit of several landmarks says how many it will change before it is chosen, so
    // that a selection left over from earlier work is not changed unseen.
    //: %n is the number of selected landmarks, always more than one.
    mSwitchOn->setText(count > 1 ? tr("Switch &On %n Landmark(s)", nullptr, count) : tr("Switch &On"));
    //: %n is the number of selected landmarks, always more than one.
    mSwitchOff->setText(count > 1 ? tr("S&witch Off %n Landmark(s)", nullptr, count) : tr("S&witch Off"));
    mUndo->setEnabled(mDocument.undoStack()->canUndo());
    mRedo->setEnabled(mDocument.undoStack()->canRedo());
    for (QAction* action : {mSelectAll, mInvertSelection, mFind})
        action->setEnabled(loaded);
    for (QAction* action : {mSelectNone, mSwitchOn, mSwitchOff, mSideGerman, mSideAllied})
        action->setEnabled(selection);
    emit selectionCommandsChanged();
}

QList<QAction*> EditActions::actions() const {
    return {mUndo,     mRedo,      mSelectAll,  mSelectNone, mInvertSelection,
            mSwitchOn, mSwitchOff, mSideGerman, mSideAllied, mFind};
}

void EditActions::addTo(QMenu* menu) const {
    menu->addAction(mUndo);
    menu->addAction(mRedo);
    menu->addSeparator();
    menu->addAction(mSelectAll);
    menu->addAction(mSelectNone);
    menu->addAction(mInvertSelection);
    menu->addSeparator();
    menu->addAction(mSwitchOn);
    menu->addAction(mSwitchOff);
    addSideMenu(menu, nullptr);
    menu->addSeparator();
    menu->addAction(mFind);
}

void EditActions::addSelectionEditsTo(QMenu* menu, QAction* before) const {
    menu->insertSeparator(before);
    menu->insertAction(before, mSwitchOn);
    menu->insertAction(before, mSwitchOff);
    addSideMenu(menu, before);
    menu->insertAction(before, mInvertSelection);
}

void EditActions::addSideMenu(QMenu* menu, QAction* before) const {
    auto* side = new QMenu(sideMenuText(), menu);
    side->setObjectName(QStringLiteral("SetSide"));
    side->addAction(mSideGerman);
    side->addAction(mSideAllied);
    menu->insertMenu(before, side);
    // The submenu is usable exactly when its commands are, and counts what they change.
    const auto follow = [this, side] {
        side->menuAction()->setEnabled(mSideGerman->isEnabled());
        side->setTitle(sideMenuText());
    };
    connect(this, &EditActions::selectionCommandsChanged, side, follow);
    follow();
}

void EditActions::addShortcutsTo(QWidget* window) const {
    window->addActions(actions());
}

void EditActions::routeUndoKeys(QWidget* box) {
    box->installEventFilter(this);
}

bool EditActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        if (mUndo->shortcuts().contains(pressed) || mRedo->shortcuts().contains(pressed)) {
            // Not taken by the box: the shortcut goes to the actions.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvland
