#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace korvland {

// An error whose message is meant for the operator as it stands ("File not found",
// "Unable to write to /path"). The GUI shows it in the error box; the command-line
// tool prints it. Nothing is half-changed when one is thrown from the data layer.
// A message about one file carries that file's path apart from the message, so that the
// GUI can show it on a line of its own.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message, std::string path = {})
        : std::runtime_error(message), mPath(std::move(path)) {}

    // The file the message is about; empty when it is about none.
    const std::string& path() const { return mPath; }

private:
    std::string mPath;
};

} // namespace korvland
