#include "ui/start/startup.h"

#include "document/recovery_keeper.h"
#include "ui/common/dialogs.h"
#include "ui/common/explode_effect.h"
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

template <typename Window> void Startup::destroy(std::unique_ptr<Window>& slot, PlacementKeeper* keeper) {
    if (!slot)
        return;
    slot->hide();
    if (mObserver)
        mObserver(Event::Destroying, slot.get());
    if (keeper)
        keeper->save();
    slot.reset();
}

namespace {

// The placements the four remembered windows have before any run has stored one.
PlacementOptions editorPlacement() {
    return {"Form2", true, true, {QPoint(742, 181), QSize(468, 326), true}};
}
PlacementOptions mapPlacement() {
    return {"Form3", false, false, {QPoint(315, 154), QSize(833, 753), true}};
}
// The ownership table's 633 x 75 lies below its menu bar: its designed client size is the
// whole fixed size its layout gives it, menu bar included.
PlacementOptions ownershipPlacement(QSize fixedSize) {
    return {"Form5", false, true, {QPoint(205, 575), fixedSize, false}};
}
PlacementOptions statusPlacement() {
    return {"Form6",
            false,
            false,
            {QPoint(470, 653), QSize(StatusWindow::kDesignedWidth, StatusWindow::kDesignedHeight), true}};
}

} // namespace

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
    mWelcome->establishLandmarksFolder();

    // The application-wide settings come with the editor window.
    applyHintSettings(*qApp);
    mWindows.create(mContext, [this](QWidget& window) {
        if (mObserver)
            mObserver(Event::Created, &window);
        const QString name = window.objectName();
        if (name == QLatin1String("Form2")) {
            mEditorPlacement = new PlacementKeeper(window, mContext, editorPlacement());
            // Animations run slower once the editor window exists.
            setEffectDelay(150);
        } else if (name == QLatin1String("Form3")) {
            mMapPlacement = new PlacementKeeper(window, mContext, mapPlacement());
        } else if (name == QLatin1String("Form5")) {
            mOwnershipPlacement = new PlacementKeeper(window, mContext, ownershipPlacement(window.size()));
        } else if (name == QLatin1String("Form6")) {
            mStatusPlacement = new PlacementKeeper(window, mContext, statusPlacement());
        }
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
    destroy(mWindows.status, mStatusPlacement);
    destroy(mWindows.ownership, mOwnershipPlacement);
    destroy(mWindows.splash);
    destroy(mWindows.map, mMapPlacement);
    // The editor writes its recent-files list first; when that fails, its placement stays unwritten.
    if (EditorWindow* editor = mWindows.editor.get()) {
        editor->hide();
        const bool listWritten = editor->saveRecentFiles();
        destroy(mWindows.editor, listWritten ? mEditorPlacement : nullptr);
    }
    destroy(mWelcome);
}

void Startup::show() {
    mWelcome->show();
}

void Startup::keepUnsavedWork(const QString& folder) {
    mDocument.keepRecoveryCopies(folder);
    EditorWindow* editor = mWindows.editor.get();
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
    if (EditorWindow* editor = mWindows.editor.get(); editor && editor->saveRecentFiles())
        for (PlacementKeeper* keeper :
             {mEditorPlacement, mMapPlacement, mOwnershipPlacement, mStatusPlacement})
            if (keeper)
                keeper->save();
}

} // namespace korvland
