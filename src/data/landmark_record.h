#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvland {

inline constexpr std::size_t kMaxRecords = 1024;
inline constexpr std::size_t kNameSize = 40;
inline constexpr std::size_t kPathSize = 128; // includes the terminator: at most 127 characters
inline constexpr std::size_t kHeaderSize = 100;
inline constexpr std::size_t kRecordFieldsSize = 63; // the packed fields of one record
inline constexpr std::uint8_t kDisabledType = 6;
inline constexpr std::uint8_t kDisabledSubType = 0xAC;

struct LandmarkRecord {
    std::uint16_t landmarkId = 0;
    std::uint16_t auxWord = 0; // never interpreted; carried through unchanged
    std::uint8_t loFileType = 0;
    std::uint8_t loFileNo = 0;
    std::uint8_t side = 0;
    float northSouth = 0;
    float eastWest = 0;
    float elevation = 0;
    float rotation = 0;
    std::array<std::uint8_t, kNameSize> name{}; // zero-terminated when shorter than 40 bytes

    // The name's bytes up to the first zero byte, or all 40.
    std::string nameBytes() const;
    // Bytes (already encoded) followed by one zero byte when shorter than 40; bytes after
    // that zero keep their content; text beyond 40 bytes is cut.
    void setNameBytes(std::string_view bytes);

    bool operator==(const LandmarkRecord&) const = default;
};

} // namespace korvland
