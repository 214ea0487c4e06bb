#pragma once

#include <stdexcept>
#include <string>

namespace korvland {

// An error whose message is meant for the operator as it stands ("File not found",
// "Unable to write to /path"). The GUI shows it in the error box; the command-line
// tool prints it. Nothing is half-changed when one is thrown from the data layer.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace korvland
