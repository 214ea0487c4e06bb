#pragma once

#include "data/landmark_record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvland::testing {

// A record with the fields tests usually care about; the rest stay zero.
LandmarkRecord makeRecord(std::uint16_t id, std::uint8_t type, std::uint8_t subType, std::uint8_t side,
                          std::string_view name, float northSouth = 49.0f, float eastWest = 3.5f);

// Writes landmark-file bytes field by field at 100 + i * recordSize + offset, on its own
// (it does not use the program's encoder), with chosen header words, banners, gap bytes
// and trailing junk, so tests can describe any file, well-formed or not.
class LandmarkFileBuilder {
  public:
    LandmarkFileBuilder& add(const LandmarkRecord& record);
    LandmarkFileBuilder& addMany(int count); // count plausible records with ids 1000 + i
    // The header's count; by default the number of records added.
    LandmarkFileBuilder& headerCount(std::uint16_t count);
    LandmarkFileBuilder& recordSize(std::uint16_t size); // default 63
    LandmarkFileBuilder& headerAuxWord(std::uint16_t value);
    LandmarkFileBuilder& banners(std::string_view maker, std::string_view version);
    // Byte written into every gap between records (record size above 63).
    LandmarkFileBuilder& gapFill(std::uint8_t value);
    LandmarkFileBuilder& trailing(std::vector<std::uint8_t> junk);
    LandmarkFileBuilder& truncateTo(std::size_t length);

    std::vector<std::uint8_t> bytes() const;
    // Writes the bytes to `path` and returns the path as a string.
    std::string writeTo(const std::filesystem::path& path) const;

  private:
    std::vector<LandmarkRecord> mRecords;
    std::optional<std::uint16_t> mCount;
    std::uint16_t mRecordSize = 63;
    std::uint16_t mHeaderAux = 0;
    std::string mMaker = "Some Other Maker....";
    std::string mVersion = "Another editor's banner";
    std::uint8_t mGapFill = 0xEE;
    std::vector<std::uint8_t> mTrailing;
    std::optional<std::size_t> mTruncate;
};

// The state folder (XDG_STATE_HOME) of this test program, where journals of in-place saves go:
// made at the first TempDir, removed at the program's end, never the user's own.
const std::filesystem::path& testStateFolder();

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    std::string file(std::string_view name) const { return (mPath / name).string(); }

  private:
    std::filesystem::path mPath;
};

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// Little-endian readers for checking written files.
std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

} // namespace korvland::testing
