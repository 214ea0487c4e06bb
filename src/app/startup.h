#pragma once

#include "app/app_context.h"
#include "app/settings/settings_store.h"
#include "data/landmark_set.h"

#include <memory>
#include <string>

namespace korvland {

class Dialogs;

// Creates the six windows in order (welcome, editor, map, splash, ownership, status)
// and destroys them in reverse order when it goes. Tests build one with their own
// settings file and scripted dialogs.
class Startup {
public:
    Startup(Dialogs& dialogs, const std::string& settingsPath);
    ~Startup();

    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    AppContext& context() { return mContext; }
    const Windows& windows() const { return mContext.windows; }

    // Shows the welcome window. The caller runs the event loop.
    void show();

private:
    LandmarkSet mSet;
    SettingsStore mStore;
    AppContext mContext;
    std::unique_ptr<TForm1> mWelcome;
    std::unique_ptr<TForm2> mEditor;
    std::unique_ptr<TForm3> mMap;
    std::unique_ptr<TForm4> mSplash;
    std::unique_ptr<TForm5> mOwnership;
    std::unique_ptr<TForm6> mStatus;
};

} // namespace korvland
