#include "app/startup.h"

#include "app/dialogs.h"
#include "app/hint_settings.h"
#include "app/program_icon.h"
#include "app/welcome_window.h"
#include "editor/editor_window.h"
#include "map/map_window.h"
#include "map/splash_window.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

#include <QApplication>

namespace korvland {

template <typename Window> Window* Startup::create(std::unique_ptr<Window>& slot) {
    slot = std::make_unique<Window>(mContext);
    if (mObserver)
        mObserver(Event::Created, slot.get());
    return slot.get();
}

template <typename Window> void Startup::destroy(std::unique_ptr<Window>& slot) {
    if (!slot)
        return;
    slot->hide();
    if (mObserver)
        mObserver(Event::Destroying, slot.get());
    slot.reset();
}

Startup::Startup(Dialogs& dialogs, const std::string& settingsPath, Observer observer)
    : mObserver(std::move(observer)), mStore(settingsPath), mContext{mSet, dialogs, mStore, {}, 0, {}, {}} {
    mContext.requestQuit = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    setApplicationTitle(QStringLiteral("KORV TLQ Landmarks File Editor"));
    QApplication::setWindowIcon(programIcon());
    // The program ends on the requests it names (closing the editor or the welcome
    // window, cancelling an open dialog), not whenever no window happens to be visible.
    QApplication::setQuitOnLastWindowClosed(false);

    // The welcome window comes first: it establishes the landmarks folder, and the
    // other windows' placements go through the settings store it serves.
    mContext.windows.welcome = create(mWelcome);
    mWelcome->FormCreate();

    // The application-wide settings come with the editor window.
    setApplicationTitle(QStringLiteral("KORV Landmarks Editor"));
    applyHintSettings(*qApp);
    mContext.windows.editor = create(mEditor);
    mContext.windows.map = create(mMap);
    mContext.windows.splash = create(mSplash);
    mContext.windows.ownership = create(mOwnership);
    mContext.windows.status = create(mStatus);
}

Startup::~Startup() {
    // Reverse order of creation; the welcome window, whose store serves the others
    // while they write their state, goes last.
    destroy(mStatus);
    mContext.windows.status = nullptr;
    destroy(mOwnership);
    mContext.windows.ownership = nullptr;
    destroy(mSplash);
    mContext.windows.splash = nullptr;
    destroy(mMap);
    mContext.windows.map = nullptr;
    destroy(mEditor);
    mContext.windows.editor = nullptr;
    destroy(mWelcome);
    mContext.windows.welcome = nullptr;
}

void Startup::show() {
    mWelcome->show();
}

} // namespace korvland
