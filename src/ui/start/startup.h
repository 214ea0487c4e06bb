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

    // Keeps a recovery copy of unsaved work in `folder`, and offers the work kept there by an
    // earlier run once the welcome window has handed over to the editor.
    void keepUnsavedWork(const QString& folder);
    // The end the system asks for (a signal, the end of the session), before the caller ends
    // the event loop: unsaved work is written to its recovery copy and stays there; the
    // windows then go as at every end, without a question.
    void endWithoutQuestions();
    // The session manager's request to keep the program's state: the settings and the
    // recovery copy are written now, and the run goes on.
    void keepState();

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
    // The operator ended the run, and with it let any unsaved work go.
    bool mEndedByOperator = false;
};

} // namespace korvland
