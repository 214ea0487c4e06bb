#pragma once

#include "app/edit_actions.h"

#include <functional>
#include <memory>

class QWidget;

namespace korvland {

struct AppContext;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;

// The windows that show the open file, made and connected to the document and to one
// another's requests in this one place, for the program, its tests and its benchmarks alike.
class ProgramWindows {
  public:
    // Told about each window right after it is created, before the next one is.
    using Created = std::function<void(QWidget& window)>;

    ProgramWindows() = default;
    // Destroys the windows left, in reverse order of creation.
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Creates the edit commands, then the editor, map, splash, ownership and status windows
    // in that order, then connects them.
    void create(AppContext& context, const Created& created = {});
    // Destroys the windows left, in reverse order of creation.
    void destroy();

    // The "Edit" commands every window shows, bound to the document; they outlive the windows.
    std::unique_ptr<EditActions> editActions;
    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm3> map;
    std::unique_ptr<TForm4> splash;
    std::unique_ptr<TForm5> ownership;
    std::unique_ptr<TForm6> status;

  private:
    void connectWindows(AppContext& context);
};

} // namespace korvland
