#pragma once

#include <QString>

#include <functional>

namespace korvland {

class Dialogs;
class LandmarkDocument;
class SettingsStore;
// What every window shares for the whole run: the open landmark file, the dialogs, the
// settings store and the landmarks folder. Owned by start-up.
struct AppContext {
    LandmarkDocument& document;
    Dialogs& dialogs;
    SettingsStore& store;
    QString landmarksFolder;
    // Ends the program once the current event has been handled.
    std::function<void()> requestQuit;
    // At the end of the run every remembered window writes its state; a settings file that
    // cannot be written is then reported once, not once per window.
    struct EndOfRun {
        bool ending = false;
        QString failureShown;
    } endOfRun;

    // Whether a failure to write the settings file is to be shown: always during the run,
    // at its end only the first time a message is met.
    bool showSettingsFailure(const QString& message) {
        if (!endOfRun.ending)
            return true;
        if (endOfRun.failureShown == message)
            return false;
        endOfRun.failureShown = message;
        return true;
    }
};

} // namespace korvland
