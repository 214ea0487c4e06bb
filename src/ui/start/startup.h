#pragma once

#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "ui/common/app_context.h"
#include "ui/start/program_windows.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace korvland {

class Dialogs;
class WelcomeWindow;

// Creates the six windows in order (welcome, editor, map, splash, ownership, status)
// and destroys them in reverse order when it goes, each hidden first. Tests build one
// with their own settings file and scripted dialogs.
class Startup {
  public:
    enum class Event { Created, Destroying };
    // Told about each window right after it is created and right before it is destroyed.
    using Observer = std::function<void(Event, QWidget* window)>;

    Startup(Dialogs& dialogs, const std::string& settingsPath, Observer observer = {});
    ~Startup();

    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    AppContext& context() { return mContext; }
    WelcomeWindow* welcome() const { return mWelcome.get(); }
    // The windows that show the open file.
    const ProgramWindows& windows() const { return mWindows; }

    // Shows the welcome window. The caller runs the event loop.
    void show();

  private:
    template <typename Window> Window* create(std::unique_ptr<Window>& slot);
    // Gives a window whose placement is remembered its keeper, by the window's type.
    void keepPlacement(QWidget& window);
    // Hides the window, tells the observer and writes its placement, before it is destroyed.
    void destroy(QWidget& window);

    Observer mObserver;
    LandmarkDocument mDocument;
    SettingsStore mStore;
    AppContext mContext;
    std::unique_ptr<WelcomeWindow> mWelcome;
    ProgramWindows mWindows;
};

} // namespace korvland
