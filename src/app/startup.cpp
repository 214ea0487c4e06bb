#include "app/startup.h"

#include "app/welcome_window.h"
#include "editor/editor_window.h"
#include "map/map_window.h"
#include "map/splash_window.h"
#include "tables/ownership_window.h"
#include "tables/status_window.h"

#include <QApplication>

namespace korvland {

Startup::Startup(Dialogs& dialogs, const std::string& settingsPath)
    : mStore(settingsPath), mContext{mSet, dialogs, mStore, {}, 0, {}, {}} {
    mContext.requestQuit = [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); };
    QApplication::setApplicationDisplayName(QStringLiteral("KORV TLQ Landmarks File Editor"));
    mWelcome = std::make_unique<TForm1>(mContext);
    mContext.windows.welcome = mWelcome.get();
    mWelcome->FormCreate();
    mEditor = std::make_unique<TForm2>(mContext);
    mContext.windows.editor = mEditor.get();
    mMap = std::make_unique<TForm3>(mContext);
    mContext.windows.map = mMap.get();
    mSplash = std::make_unique<TForm4>(mContext);
    mContext.windows.splash = mSplash.get();
    mOwnership = std::make_unique<TForm5>(mContext);
    mContext.windows.ownership = mOwnership.get();
    mStatus = std::make_unique<TForm6>(mContext);
    mContext.windows.status = mStatus.get();
}

Startup::~Startup() {
    mStatus.reset();
    mOwnership.reset();
    mSplash.reset();
    mMap.reset();
    mEditor.reset();
    mWelcome.reset();
}

void Startup::show() { mWelcome->show(); }

} // namespace korvland
