#include "ui/start/startup.h"

#include "document/recovery_keeper.h"
#include "ui/common/dialogs.h"
#include "ui/common/explode_effect.h"
#include "ui/common/guide_link.h"
#include "ui/common/hint_settings.h"
#include "ui/common/placement_keeper.h"
#include "ui/common/program_icon.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_window.h"
#include "ui/map/splash_window.h"
#include "ui/start/kept_work_offer.h"
#include "ui/start/program_identity.h"
#include "ui/start/welcome_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>

namespace korvland {

template <typename Window> Window* Startup::create(std::unique_ptr<Window>& slot) {
    slot = std::make_unique<Window>(mContext);
    if (mObserver)
        mObserver(Event::Created, slot.get());
    return slot.get();
}

void Startup::destroy(QWidget& window) {
    window.hide();
    // The editor writes its recent-files list first; when that fails, its placement stays unwritten.
    bool placementKept = true;
    if (auto* editor = qobject_cast<EditorWindow*>(&window))
        placementKept = editor->saveRecentFiles();
    if (mObserver)
        mObserver(Event::Destroying, &window);
    // The keeper is the window's child: it goes with the window.
    auto* keeper = window.findChild<PlacementKeeper*>(QString(), Qt::FindDirectChildrenOnly);
    if (keeper && placementKept)
        keeper->save();
}

void Startup::keepPlacement(QWidget& window) {
    if (qobject_cast<EditorWindow*>(&window)) {
        new PlacementKeeper(window, mContext, EditorWindow::designedPlacement());
        // Animations run slower once the editor window exists.
        setEffectDelay(150);
    } else if (qobject_cast<MapWindow*>(&window)) {
        new PlacementKeeper(window, mContext, MapWindow::designedPlacement());
    } else if (qobject_cast<OwnershipWindow*>(&window)) {
        new PlacementKeeper(window, mContext, OwnershipWindow::designedPlacement(window.size()));
    } else if (qobject_cast<StatusWindow*>(&window)) {
        new PlacementKeeper(window, mContext, StatusWindow::designedPlacement());
    }
}

Startup::Startup(Dialogs& dialogs, const std::string& settingsPath, Observer observer)
    : mObserver(std::move(observer)), mStore(settingsPath), mContext{mDocument, dialogs, mStore, {}, {}, {}} {
    mContext.requestQuit = [this] {
        // Closing the editor with unsaved work has been agreed to: its copy goes too.
        mEndedByOperator = true;
        if (RecoveryKeeper* keeper = mDocument.recoveryKeeper())
            keeper->drop();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    setProgramIdentity();
    setEffectDelay(3);
    QApplication::setWindowIcon(programIcon());
    // The program ends on the requests it names (closing the editor or the welcome
    // window, cancelling an open dialog), not whenever no window happens to be visible.
    QApplication::setQuitOnLastWindowClosed(false);

    // The welcome window comes first: it establishes the landmarks folder, and the
    // other windows' placements go through the settings store it serves.
    create(mWelcome);
    openGuideOnF1(*mWelcome, guide_pages::kStart);
    mWelcome->establishLandmarksFolder();

    // The application-wide settings come with the editor window.
    applyHintSettings(*qApp);
    mWindows.create(mContext, [this](QWidget& window) {
        if (mObserver)
            mObserver(Event::Created, &window);
        keepPlacement(window);
    });
    EditorWindow* editor = mWindows.editor.get();
    QObject::connect(mWelcome.get(), &WelcomeWindow::handedOver, editor, [editor] {
        // Nothing is loaded yet: the record stepper and number box wait for a file.
        editor->setRecordControlsEnabled(false);
        editor->show();
    });
    // The welcome window's chooser remembers the folder it returned last.
    WelcomeWindow* welcome = mWelcome.get();
    editor->setFolderChooser([welcome](QWidget* parent, const QString& start) {
        return welcome->runFolderChooser(parent, start);
    });
}

Startup::~Startup() {
    // Reverse order of creation; the welcome window, whose store serves the others
    // while they write their state, goes last.
    mContext.endOfRun.ending = true;
    // An end the operator did not choose keeps the newest edits too.
    if (RecoveryKeeper* keeper = mDocument.recoveryKeeper(); keeper && !mEndedByOperator)
        keeper->writeNow();
    mWindows.destroy([this](QWidget& window) { destroy(window); });
    if (mWelcome)
        destroy(*mWelcome);
    mWelcome.reset();
}

void Startup::show() {
    mWelcome->show();
}

void Startup::keepUnsavedWork(const QString& folder) {
    mDocument.keepRecoveryCopies(folder);
    EditorWindow* editor = mWindows.editor.get();
    QObject::connect(mDocument.recoveryKeeper(), &RecoveryKeeper::copyFailed, editor,
                     &EditorWindow::recoveryCopyFailed);
    QObject::connect(
        mWelcome.get(), &WelcomeWindow::handedOver, editor,
        [this, editor] { offerKeptWork(mContext, *editor); },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

void Startup::endWithoutQuestions() {
    if (RecoveryKeeper* keeper = mDocument.recoveryKeeper())
        keeper->writeNow();
}

void Startup::keepState() {
    if (RecoveryKeeper* keeper = mDocument.recoveryKeeper())
        keeper->writeNow();
    EditorWindow* editor = mWindows.editor.get();
    if (!editor || !editor->saveRecentFiles())
        return;
    for (QWidget* window : std::initializer_list<QWidget*>{editor, mWindows.map.get(),
                                                           mWindows.ownership.get(), mWindows.status.get()})
        if (auto* keeper =
                window ? window->findChild<PlacementKeeper*>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
            keeper->save();
}

} // namespace korvland
