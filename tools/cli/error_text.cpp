#include "error_text.h"

#include "data/landmark_file.h"

#include <filesystem>
#include <system_error>

namespace korvland::cli {

namespace {

std::string bytesLong(std::size_t size) {
    return "it is " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + " long";
}

} // namespace

bool refusesLandmarkBytes(const UserError& error) {
    const std::string& source = error.message().source();
    return source == invalidRecordCountMessage(0).source() || source == "Read beyond end of file";
}

// Why the reader refused the bytes, from its own message and the header's record count.
std::string whyNotLandmarkFile(const UserError& error, std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kCountOffset = 20; // little-endian, as the reader takes it
    const bool headerRead = bytes.size() >= kCountOffset + 2;
    const unsigned count = headerRead ? bytes[kCountOffset] | unsigned{bytes[kCountOffset + 1]} << 8 : 0;
    if (error.message().source() == invalidRecordCountMessage(count).source())
        return ": its header announces " + std::to_string(count) + " records; a landmark file holds 1 to " +
               std::to_string(kMaxRecords);
    const std::string cause = " (" + error.message().english() + "): ";
    if (!headerRead)
        return cause + bytesLong(bytes.size()) + ", too short for a landmark file's header";
    return cause + bytesLong(bytes.size()) + ", too short for the " + std::to_string(count) +
           (count == 1 ? " record" : " records") + " its header announces";
}

FileBuffer readLandmarkFileChecked(const std::string& file, const std::string& shownPath) {
    FileBuffer bytes = namingFile(shownPath, [&] { return readLandmarkFileBytes(file); });
    try {
        checkLandmarkFile(bytes);
    } catch (const UserError& error) {
        throw NotLandmarkFile(file == "-" ? "standard input" : file, whyNotLandmarkFile(error, bytes));
    }
    return bytes;
}

std::string explainedMessage(const UserError& error) {
    std::string message = error.message().english();
    if (error.path().empty() || error.message().source() != invalidFilename().source())
        return message;
    const std::filesystem::path folder = std::filesystem::path(error.path()).parent_path();
    std::error_code failed;
    if (folder.empty())
        return message;
    const std::filesystem::file_status status = std::filesystem::status(folder, failed);
    if (!std::filesystem::exists(status))
        return message + ": the folder " + folder.string() + " does not exist";
    if (!std::filesystem::is_directory(status))
        return message + ": " + folder.string() + " is not a folder";
    return message;
}

} // namespace korvland::cli
