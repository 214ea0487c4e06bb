#include "data/profile_file.h"

#include "data/file_io.h"
#include "data/fixed_text.h"
#include "data/user_error.h"

#include <algorithm>

namespace korvland {

namespace {

constexpr std::size_t kCountOffset = 128;
constexpr std::size_t kFlagsOffset = 130;

std::uint16_t storedCount(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint16_t>(bytes[kCountOffset] | (bytes[kCountOffset + 1] << 8));
}

} // namespace

std::string ProfileContents::pathText() const {
    return fixedFieldText(landmarkPath);
}

std::optional<Message> profileProblem(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kProfileSize)
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Read beyond end of file")));
    // Readers stop one byte past a profile's size: a longer file tells no more than that.
    if (bytes.size() > kProfileSize)
        return Message(Text(KORVLAND_TRANSLATABLE(
                           "korvland::UserError",
                           "Invalid profile: it is longer than %1 bytes; a profile is exactly %2 bytes.")),
                       {std::to_string(kProfileSize), std::to_string(kProfileSize)});
    if (std::find(bytes.begin(), bytes.begin() + kPathSize, 0) == bytes.begin() + kPathSize)
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                                  "Invalid profile: the landmark file's path has no "
                                                  "terminating zero byte within its %1 bytes.")),
                       {std::to_string(kPathSize)});
    if (const unsigned count = storedCount(bytes); count > kMaxRecords)
        return Message(Text(KORVLAND_TRANSLATABLE(
                           "korvland::UserError",
                           "Invalid profile: it counts %1 records; a landmark file holds at most %2.")),
                       {std::to_string(count), std::to_string(kMaxRecords)});
    const auto flags = bytes.subspan(kFlagsOffset, kMaxRecords);
    const auto bad =
        std::find_if(flags.begin(), flags.end(), [](std::uint8_t f) { return f > kLargestProfileFlag; });
    if (bad != flags.end())
        //: %1 is a record number, %2 the flag's value
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                                  "Invalid profile: the flag of record %1 is %2; a flag is "
                                                  "0, 1 or 2.")),
                       {std::to_string(bad - flags.begin() + 1), std::to_string(*bad)});
    return std::nullopt;
}

ProfileContents decodeProfile(std::span<const std::uint8_t> bytes) {
    if (std::optional<Message> problem = profileProblem(bytes))
        throw UserError(std::move(*problem));
    ProfileContents profile;
    std::copy_n(bytes.begin(), kPathSize, profile.landmarkPath.begin());
    profile.profileCount = storedCount(bytes);
    std::copy_n(bytes.begin() + kFlagsOffset, kMaxRecords, profile.disabledFlags.begin());
    return profile;
}

std::vector<std::uint8_t> encodeProfile(const ProfileContents& profile) {
    std::vector<std::uint8_t> bytes(kProfileSize, 0);
    std::copy(profile.landmarkPath.begin(), profile.landmarkPath.end(), bytes.begin());
    bytes[kCountOffset] = static_cast<std::uint8_t>(profile.profileCount & 0xFF);
    bytes[kCountOffset + 1] = static_cast<std::uint8_t>(profile.profileCount >> 8);
    std::copy(profile.disabledFlags.begin(), profile.disabledFlags.end(), bytes.begin() + kFlagsOffset);
    return bytes;
}

ProfileContents readProfileFile(const std::string& path) {
    // One byte more than a profile holds tells a longer file from a profile.
    return namingFile(path, [&] { return decodeProfile(readWholeFile(path, kProfileSize + 1)); });
}

} // namespace korvland
