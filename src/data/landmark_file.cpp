#include "data/landmark_file.h"

#include "data/user_error.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>

namespace korvland {

namespace {

// Offsets of the fields inside a record.
constexpr std::size_t kIdOffset = 0;
constexpr std::size_t kAuxOffset = 2;
constexpr std::size_t kTypeOffset = 4;
constexpr std::size_t kSubTypeOffset = 5;
constexpr std::size_t kSideOffset = 6;
constexpr std::size_t kNorthSouthOffset = 7;
constexpr std::size_t kEastWestOffset = 11;
constexpr std::size_t kElevationOffset = 15;
constexpr std::size_t kRotationOffset = 19;
constexpr std::size_t kNameOffset = 23;

// On a little-endian machine whose record lays the seven leading bytes, the four floats and
// the name out in the file's order, a record is three runs of bytes of the file.
constexpr std::size_t kRecordHeadSize = 7;
constexpr bool kRecordMatchesFile =
    std::endian::native == std::endian::little && std::numeric_limits<float>::is_iec559 &&
    offsetof(LandmarkRecord, auxWord) == kAuxOffset && offsetof(LandmarkRecord, loFileType) == kTypeOffset &&
    offsetof(LandmarkRecord, loFileNo) == kSubTypeOffset && offsetof(LandmarkRecord, side) == kSideOffset &&
    offsetof(LandmarkRecord, eastWest) == offsetof(LandmarkRecord, northSouth) + 4 &&
    offsetof(LandmarkRecord, elevation) == offsetof(LandmarkRecord, northSouth) + 8 &&
    offsetof(LandmarkRecord, rotation) == offsetof(LandmarkRecord, northSouth) + 12;
// Where, besides, the record is those bytes with one padding byte after the leading seven and
// the name right after the floats, nothing else.
constexpr bool kRecordPacksFromFile =
    kRecordMatchesFile && offsetof(LandmarkRecord, northSouth) == kRecordHeadSize + 1 &&
    offsetof(LandmarkRecord, name) == offsetof(LandmarkRecord, northSouth) + 16 &&
    sizeof(LandmarkRecord) == kRecordFieldsSize + 1 && kNorthSouthOffset == kRecordHeadSize;

std::uint16_t u16At(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Used only where the record's layout differs from the file's.
[[maybe_unused]] float f32At(const std::uint8_t* p) {
    const std::uint32_t bits = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                               (static_cast<std::uint32_t>(p[2]) << 16) |
                               (static_cast<std::uint32_t>(p[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void putU16(std::uint8_t* p, std::uint16_t value) {
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void putF32(std::uint8_t* p, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

} // namespace

Message invalidRecordCountMessage(unsigned count) {
    return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                              "Invalid landmark file: it holds %1 records; a landmark "
                                              "file holds 1 to 1024.")),
                   {std::to_string(count)});
}

LandmarkFileHeader checkLandmarkFile(std::span<const std::uint8_t> bytes) {
    // The header's three words sit at 20, 22 and 24; the banners are not read.
    if (bytes.size() < 26)
        throw UserError(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Read beyond end of file")));
    const LandmarkFileHeader header{u16At(bytes.data() + 20), u16At(bytes.data() + 22),
                                    u16At(bytes.data() + 24)};
    if (header.recordCount == 0 || header.recordCount > kMaxRecords)
        throw UserError(invalidRecordCountMessage(header.recordCount));

    // Each record's fields end 63 bytes after its start; the last record's end is the
    // farthest any field reaches, whatever the stride.
    const std::size_t lastEnd =
        kHeaderSize + std::size_t{header.recordCount - 1u} * header.recordSize + kRecordFieldsSize;
    if (bytes.size() < lastEnd)
        throw UserError(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Read beyond end of file")));
    return header;
}

void decodeLandmarkRecords(std::span<const std::uint8_t> bytes, const LandmarkFileHeader& header,
                           std::span<LandmarkRecord> out, std::span<std::uint8_t> flags) {
    const std::size_t count = header.recordCount;
    const std::size_t stride = header.recordSize;
    const std::uint8_t* const records = bytes.data() + kHeaderSize;
    if (!flags.empty())
        for (std::size_t i = 0; i < count; ++i)
            flags[i] = records[i * stride + kTypeOffset] == kDisabledType ? 1 : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = records + i * stride;
        LandmarkRecord& r = out[i];
        if constexpr (kRecordPacksFromFile) {
            // The record is the file's 63 bytes with a zero after the seven leading ones: one
            // eight-byte word, then one run. Reading is mostly this copy.
            auto* const to = reinterpret_cast<unsigned char*>(&r);
            std::uint64_t head = 0;
            std::memcpy(&head, p, sizeof head);
            head &= 0x00FF'FFFF'FFFF'FFFFull;
            std::memcpy(to, &head, sizeof head);
            std::memcpy(to + sizeof head, p + kNorthSouthOffset, kRecordFieldsSize - kNorthSouthOffset);
        } else if constexpr (kRecordMatchesFile) {
            // Three runs of bytes, as they lie in the file.
            auto* const to = reinterpret_cast<unsigned char*>(&r);
            std::memcpy(to, p, kRecordHeadSize);
            std::memcpy(to + offsetof(LandmarkRecord, northSouth), p + kNorthSouthOffset, 4 * sizeof(float));
            std::memcpy(r.name.data(), p + kNameOffset, kNameSize);
        } else {
            r.landmarkId = u16At(p + kIdOffset);
            r.auxWord = u16At(p + kAuxOffset);
            r.loFileType = p[kTypeOffset];
            r.loFileNo = p[kSubTypeOffset];
            r.side = p[kSideOffset];
            r.northSouth = f32At(p + kNorthSouthOffset);
            r.eastWest = f32At(p + kEastWestOffset);
            r.elevation = f32At(p + kElevationOffset);
            r.rotation = f32At(p + kRotationOffset);
            std::memcpy(r.name.data(), p + kNameOffset, kNameSize);
        }
    }
}

std::span<const std::uint8_t> UnknownBytes::gapAfter(std::size_t index) const {
    const std::size_t from = index * gapSize;
    if (gapSize == 0 || from + gapSize > gaps.size())
        return {};
    return std::span<const std::uint8_t>(gaps).subspan(from, gapSize);
}

UnknownBytes unknownBytesOf(std::span<const std::uint8_t> bytes, const LandmarkFileHeader& header) {
    UnknownBytes unknown;
    const std::size_t count = header.recordCount;
    const std::size_t stride = header.recordSize;
    // Overlapping records (a stride below 63) leave no byte of their own between them, but the
    // bytes after the last one are kept as for every other stride.
    unknown.gapSize = stride > kRecordFieldsSize ? stride - kRecordFieldsSize : 0;
    if (unknown.gapSize > 0) {
        unknown.gaps.resize((count - 1) * unknown.gapSize);
        for (std::size_t i = 0; i + 1 < count; ++i)
            std::memcpy(unknown.gaps.data() + i * unknown.gapSize,
                        bytes.data() + kHeaderSize + i * stride + kRecordFieldsSize, unknown.gapSize);
    }
    const std::size_t lastEnd = kHeaderSize + (count - 1) * stride + kRecordFieldsSize;
    unknown.trailing.assign(bytes.begin() + static_cast<std::ptrdiff_t>(lastEnd), bytes.end());
    return unknown;
}

LandmarkFileContents decodeLandmarkFile(std::span<const std::uint8_t> bytes) {
    const LandmarkFileHeader header = checkLandmarkFile(bytes);
    LandmarkFileContents contents;
    contents.recordCount = header.recordCount;
    contents.recordSize = header.recordSize;
    contents.headerAuxWord = header.headerAuxWord;
    contents.records.resize(header.recordCount);
    decodeLandmarkRecords(bytes, header, contents.records);
    contents.unknown = unknownBytesOf(bytes, header);
    return contents;
}

std::vector<std::uint8_t> encodeLandmarkFile(std::uint16_t count, std::uint16_t recordSize,
                                             std::uint16_t headerAuxWord,
                                             std::span<const LandmarkRecord> records,
                                             const UnknownBytes& unknown) {
    const std::size_t n = records.size();
    // Kept gaps fit only a layout of the same record size; overlapping records have none, and
    // keep only what follows the last one.
    const std::size_t gapSize = recordSize > kRecordFieldsSize ? recordSize - kRecordFieldsSize : 0;
    const bool keeps = n > 0 && unknown.gapSize == gapSize;
    const std::size_t recordsEnd =
        n == 0 ? kHeaderSize : kHeaderSize + (n - 1) * recordSize + kRecordFieldsSize;
    std::vector<std::uint8_t> bytes(recordsEnd + (keeps ? unknown.trailing.size() : 0), 0);
    std::memcpy(bytes.data(), kMakerBanner, 20);
    putU16(bytes.data() + 20, count);
    putU16(bytes.data() + 22, recordSize);
    putU16(bytes.data() + 24, headerAuxWord);
    std::memcpy(bytes.data() + 26, kVersionBanner, sizeof kVersionBanner - 1);

    // In index order, so that with a stride below 63 a later record overwrites the
    // earlier record's tail, as the reader will read it.
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t* p = bytes.data() + kHeaderSize + i * recordSize;
        const LandmarkRecord& r = records[i];
        putU16(p + kIdOffset, r.landmarkId);
        putU16(p + kAuxOffset, r.auxWord);
        p[kTypeOffset] = r.loFileType;
        p[kSubTypeOffset] = r.loFileNo;
        p[kSideOffset] = r.side;
        putF32(p + kNorthSouthOffset, r.northSouth);
        putF32(p + kEastWestOffset, r.eastWest);
        putF32(p + kElevationOffset, r.elevation);
        putF32(p + kRotationOffset, r.rotation);
        std::copy(r.name.begin(), r.name.end(), p + kNameOffset);
        if (keeps && i + 1 < n) {
            const std::span<const std::uint8_t> gap = unknown.gapAfter(i);
            std::copy(gap.begin(), gap.end(), p + kRecordFieldsSize);
        }
    }
    if (keeps)
        std::copy(unknown.trailing.begin(), unknown.trailing.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(recordsEnd));
    return bytes;
}

FileBuffer readLandmarkFileBytes(const std::string& path) {
    const Message tooLarge(Text(KORVLAND_TRANSLATABLE(
        "korvland::UserError", "The file is larger than any landmark file can be (64 MiB).")));
    return path == "-" ? readStandardInputWithin(kLandmarkFileReadLimit, tooLarge)
                       : readFileWithin(path, kLandmarkFileReadLimit, tooLarge);
}

} // namespace korvland
