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

// A message as the operator reads it: with a period appended when its last character sorts
// after "." in character-code order ("File not found" becomes "File not found.").
inline std::string withClosingPeriod(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

// Runs `step`, naming `path` in a failure that does not name its file yet, so that the
// operator can tell a missing landmark file from a missing profile.
template <typename Step> decltype(auto) namingFile(const std::string& path, Step&& step) {
    try {
        return step();
    } catch (const UserError& error) {
        if (!error.path().empty())
            throw;
        throw UserError(error.what(), path);
    }
}

} // namespace korvland
