#pragma once

#include "data/translatable.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace korvland {

// The English source of a message template, marked where it is written:
// Text(KORVLAND_TRANSLATABLE("korvland::UserError", "'%1' holds %2")).
class Text {
  public:
    explicit constexpr Text(const char* source) : mSource(source) {}
    constexpr const char* source() const { return mSource; }

  private:
    const char* mSource;
};

// The context every message template of the data and settings layers is collected under.
inline constexpr char kUserErrorContext[] = "korvland::UserError";

// A message for the operator: a template whose %1..%9 are filled with its arguments, each
// a plain text taken as it stands (a path, a number) or a message of its own (a piece
// translated on its own, such as an operating-system error in a longer sentence). A plain
// text is a message too: one that no translation changes.
class Message {
  public:
    explicit Message(Text text, std::vector<Message> arguments = {})
        : mSource(text.source()), mArguments(std::move(arguments)), mTranslatable(true) {}
    // Taken as it stands, never translated.
    Message(std::string plain) : mSource(std::move(plain)) {}

    bool translatable() const { return mTranslatable; }
    // The English template, or the plain text.
    const std::string& source() const { return mSource; }
    const std::vector<Message>& arguments() const { return mArguments; }

    // The message in English with its arguments filled in.
    std::string english() const {
        if (!mTranslatable)
            return mSource;
        std::vector<std::string> filled;
        filled.reserve(mArguments.size());
        for (const Message& argument : mArguments)
            filled.push_back(argument.english());
        return fillPlaceholders(mSource, filled);
    }

    // `pattern` with each %1..%9 that has an argument replaced by it, in one pass, so that an
    // argument holding "%2" (a file name may) stays as it is. Other "%" are kept.
    static std::string fillPlaceholders(const std::string& pattern, const std::vector<std::string>& with) {
        std::string out;
        for (std::size_t k = 0; k < pattern.size(); ++k) {
            if (pattern[k] == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' &&
                pattern[k + 1] <= '9') {
                const auto index = static_cast<std::size_t>(pattern[k + 1] - '1');
                if (index < with.size()) {
                    out += with[index];
                    ++k;
                    continue;
                }
            }
            out += pattern[k];
        }
        return out;
    }

  private:
    std::string mSource;
    std::vector<Message> mArguments;
    bool mTranslatable = false;
};

// An error whose message is meant for the operator ("File not found", "Unable to write to
// /path"). The GUI shows it translated in the error box; the command-line tool prints the
// English (what()). Nothing is half-changed when one is thrown from the data layer.
// A message about one file carries that file's path apart from the message, so that the
// GUI can show it on a line of its own.
class UserError : public std::runtime_error {
  public:
    // A message template of this program and its arguments:
    // UserError(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Unable to write to %1")), {path}).
    UserError(Text text, std::vector<Message> arguments = {}, std::string path = {})
        : UserError(Message(text, std::move(arguments)), std::move(path)) {}
    explicit UserError(Message message, std::string path = {})
        : std::runtime_error(message.english()), mMessage(std::move(message)), mPath(std::move(path)) {}
    // A message taken as it stands, never translated (the command-line tools' own).
    explicit UserError(const std::string& message, std::string path = {})
        : UserError(Message(message), std::move(path)) {}

    const Message& message() const { return mMessage; }
    // The file the message is about; empty when it is about none.
    const std::string& path() const { return mPath; }

  private:
    Message mMessage;
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
        throw UserError(error.message(), path);
    }
}

} // namespace korvland
