#include "data/profile_file.h"

#include "data/file_io.h"
#include "data/fixed_text.h"
#include "data/user_error.h"

#include <algorithm>

namespace korvland {

std::string ProfileContents::pathText() const {
    return fixedFieldText(landmarkPath);
}

ProfileContents decodeProfile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kProfileSize)
        throw UserError("Read beyond end of file");
    ProfileContents profile;
    std::copy_n(bytes.begin(), kPathSize, profile.landmarkPath.begin());
    profile.profileCount = static_cast<std::uint16_t>(bytes[128] | (bytes[129] << 8));
    std::copy_n(bytes.begin() + 130, kMaxRecords, profile.disabledFlags.begin());
    return profile;
}

std::vector<std::uint8_t> encodeProfile(const ProfileContents& profile) {
    std::vector<std::uint8_t> bytes(kProfileSize, 0);
    std::copy(profile.landmarkPath.begin(), profile.landmarkPath.end(), bytes.begin());
    bytes[128] = static_cast<std::uint8_t>(profile.profileCount & 0xFF);
    bytes[129] = static_cast<std::uint8_t>(profile.profileCount >> 8);
    std::copy(profile.disabledFlags.begin(), profile.disabledFlags.end(), bytes.begin() + 130);
    return bytes;
}

ProfileContents readProfileFile(const std::string& path) {
    return namingFile(path, [&] { return decodeProfile(readWholeFile(path, kProfileSize)); });
}

} // namespace korvland
