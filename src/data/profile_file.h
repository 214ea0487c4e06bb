#pragma once

#include "data/landmark_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvland {

inline constexpr std::size_t kProfileSize = 1154; // 128-byte path, u16 count, 1024 flags

struct ProfileContents {
    std::array<std::uint8_t, kPathSize> landmarkPath{};
    std::uint16_t profileCount = 0;
    std::array<std::uint8_t, kMaxRecords> disabledFlags{};

    // The path: bytes up to the first zero byte, or all 128.
    std::string pathText() const;
};

// Throws UserError("Read beyond end of file") for fewer than 1154 bytes; bytes beyond are ignored.
ProfileContents decodeProfile(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeProfile(const ProfileContents& profile);
// Reads and decodes the profile at `path`; a failure names the profile.
ProfileContents readProfileFile(const std::string& path);

} // namespace korvland
