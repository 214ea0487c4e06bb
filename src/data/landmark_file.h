#pragma once

#include "data/file_io.h"
#include "data/landmark_record.h"
#include "data/user_error.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvland {

// The banners every written landmark file carries in its header.
inline constexpr char kMakerBanner[] = "Harbor Lantern Works";                    // 20 bytes at 0
inline constexpr char kVersionBanner[] = "KORV TLQ Landmarks Editor Version 3.2"; // padded to 74 at 26
inline constexpr std::size_t kVersionBannerSize = 74;

// No record field lies beyond this offset, whatever the header says: 1024 records of the
// largest stride. Reading stops there.
inline constexpr std::size_t kLandmarkFileReadLimit =
    kHeaderSize + (kMaxRecords - 1) * 65535u + kRecordFieldsSize;

// A landmark file's bytes, read whole; "-" reads standard input. A file larger than the limit
// is refused rather than cut: its bytes past the limit would be lost at the next save.
FileBuffer readLandmarkFileBytes(const std::string& path);

// The bytes of a landmark file that no field describes, kept as they were read so that a
// writer puts them back: those between one record's fields and the next record's start (a
// record size above 63) and those after the last record's fields. A record size below 63
// makes records share bytes and leaves nothing to keep.
struct UnknownBytes {
    std::size_t gapSize = 0;            // bytes between two records: record size - 63, or 0
    std::vector<std::uint8_t> gaps;     // gapSize bytes after each record but the last, in order
    std::vector<std::uint8_t> trailing; // after the last record's fields, to the end of the file

    // The bytes after record `index`'s fields up to the next record; none for the last record.
    std::span<const std::uint8_t> gapAfter(std::size_t index) const;
    bool operator==(const UnknownBytes&) const = default;
};

// What a landmark file holds, decoded. Only records 0 to recordCount - 1 are filled.
struct LandmarkFileContents {
    std::uint16_t recordCount = 0;
    std::uint16_t recordSize = 0;
    std::uint16_t headerAuxWord = 0;
    std::vector<LandmarkRecord> records; // recordCount entries
    UnknownBytes unknown;
};

// A landmark file's header words, once its length has been checked against them.
struct LandmarkFileHeader {
    std::uint16_t recordCount = 0;
    std::uint16_t recordSize = 0;
    std::uint16_t headerAuxWord = 0;
};

// Refuses what decodeLandmarkFile refuses, with the same messages, before any record is
// decoded; the records of bytes it accepted decode without failure.
LandmarkFileHeader checkLandmarkFile(std::span<const std::uint8_t> bytes);
// Decodes the records of checked bytes into `out`, which holds header.recordCount of them,
// and sets each record's switched-off flag in `flags`, when given, from its type (6 is off).
void decodeLandmarkRecords(std::span<const std::uint8_t> bytes, const LandmarkFileHeader& header,
                           std::span<LandmarkRecord> out, std::span<std::uint8_t> flags = {});

// The unknown bytes of checked bytes.
UnknownBytes unknownBytesOf(std::span<const std::uint8_t> bytes, const LandmarkFileHeader& header);

// Decodes a landmark file's bytes. Every field is read at 100 + i * recordSize + offset,
// so a record size below 63 makes records share bytes exactly as they are laid out.
// Throws UserError: "Read beyond end of file" when the bytes end before the header's
// words or a record's fields, and the "Invalid landmark file" message for a count of 0
// or above 1024.
LandmarkFileContents decodeLandmarkFile(std::span<const std::uint8_t> bytes);

// The bytes of a landmark file: the header with both banners, `count` (written at 20),
// then each record's fields at 100 + i * recordSize + offset in index order, so that a
// record size below 63 lets later records overwrite earlier tails. With a record size of 63
// or more, the gap after each record holds the bytes `unknown` keeps for it (zero where it
// keeps none), and its trailing bytes follow the last record: length 100 + (n - 1) *
// recordSize + 63 + the trailing bytes.
std::vector<std::uint8_t> encodeLandmarkFile(std::uint16_t count, std::uint16_t recordSize,
                                             std::uint16_t headerAuxWord,
                                             std::span<const LandmarkRecord> records,
                                             const UnknownBytes& unknown = {});

// The refusal text for a header count the set cannot hold.
Message invalidRecordCountMessage(unsigned count);

} // namespace korvland
