#pragma once

#include "data/file_io.h"
#include "data/user_error.h"

#include <cstdint>
#include <span>
#include <string>

namespace korvland::cli {

// A file given as a landmark file that holds no landmark file (a text, a cut copy). The file
// layer's text alone ("Read beyond end of file") does not tell an operator that, nor why.
class NotLandmarkFile : public UserError {
  public:
    NotLandmarkFile(const std::string& file, const std::string& why)
        : UserError(file + " is not a landmark file" + why), mWhy(why) {}
    // What follows "not a landmark file": " (Read beyond end of file): it is 150 bytes long,
    // too short for the 3 records its header announces".
    const std::string& why() const { return mWhy; }

  private:
    std::string mWhy;
};

// Whether the error is the reader's refusal of what a landmark file holds (too short, a record
// count out of range), and what follows "not a landmark file" for it.
bool refusesLandmarkBytes(const UserError& error);
std::string whyNotLandmarkFile(const UserError& error, std::span<const std::uint8_t> bytes);

// A landmark file's bytes ("-": standard input), read whole and checked as the reader checks
// them; bytes it refuses throw NotLandmarkFile, named as `file` was typed. A failure to read
// names `shownPath`.
FileBuffer readLandmarkFileChecked(const std::string& file, const std::string& shownPath);

// The error's English message with what it means here added, where the file layer's text
// says too little on a command line: "Invalid filename: the folder out does not exist".
std::string explainedMessage(const UserError& error);

} // namespace korvland::cli
