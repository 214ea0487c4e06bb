#pragma once

#include "ui/common/edit_actions.h"

#include <functional>
#include <memory>

class QWidget;

namespace korvland {

struct AppContext;
class EditorWindow;
class MapWindow;
class SplashWindow;
class OwnershipWindow;
class StatusWindow;

// The windows that show the open file, made and connected to the document and to one
// another's requests in this one place, for the program, its tests and its benchmarks alike.
class ProgramWindows {
  public:
    // Told about each window right after it is created, before the next one is.
    using Created = std::function<void(QWidget& window)>;
    // Told about each window right before it is destroyed.
    using Destroying = std::function<void(QWidget& window)>;

    ProgramWindows() = default;
    // Destroys the windows left, in reverse order of creation.
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Creates the edit commands, then the editor, map, splash, ownership and status windows
    // in that order, then connects them.
    void create(AppContext& context, const Created& created = {});
    // Destroys the windows left, in reverse order of creation.
    void destroy(const Destroying& destroying = {});

    // The "Edit" commands every window shows, bound to the document; they outlive the windows.
    std::unique_ptr<EditActions> editActions;
    std::unique_ptr<EditorWindow> editor;
    std::unique_ptr<MapWindow> map;
    std::unique_ptr<SplashWindow> splash;
    std::unique_ptr<OwnershipWindow> ownership;
    std::unique_ptr<StatusWindow> status;

  private:
    void connectWindows(AppContext& context);
};

} // namespace korvland
