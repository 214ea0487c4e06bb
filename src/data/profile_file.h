#pragma once

#include "data/landmark_record.h"
#include "data/user_error.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvland {

inline constexpr std::size_t kProfileSize = 1154; // 128-byte path, u16 count, 1024 flags
// The largest flag a profile may hold: 0 active, 1 switched off, 2 kept as read.
inline constexpr std::uint8_t kLargestProfileFlag = 2;

struct ProfileContents {
    std::array<std::uint8_t, kPathSize> landmarkPath{};
    std::uint16_t profileCount = 0;
    std::array<std::uint8_t, kMaxRecords> disabledFlags{};

    // The path: bytes up to the first zero byte, or all 128.
    std::string pathText() const;
};

// What makes the bytes no profile, as the operator reads it: "Read beyond end of file" for
// fewer than 1154, "Invalid profile: ..." with the reason otherwise; nothing when they are one. Any other
// file read as a profile would switch landmarks off at random or name a path of garbage.
std::optional<Message> profileProblem(std::span<const std::uint8_t> bytes);

// Throws UserError with the profileProblem message for bytes that are no profile.
ProfileContents decodeProfile(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeProfile(const ProfileContents& profile);
// Reads and decodes the profile at `path`; a failure names the profile.
ProfileContents readProfileFile(const std::string& path);

} // namespace korvland
