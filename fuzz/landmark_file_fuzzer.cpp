// Any bytes given to the landmark file decoder either decode or raise UserError. What
// decodes writes back to the same bytes wherever a record's fields lie (also where
// records overlap), and reads back to the same records, bit for bit.
#include "data/landmark_file.h"
#include "data/user_error.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool sameFields(const korvland::LandmarkRecord& a, const korvland::LandmarkRecord& b) {
    // Compared as bytes: NaN coordinates must survive with their payloads.
    auto bits = [](float f) {
        std::uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        return u;
    };
    return a.landmarkId == b.landmarkId && a.auxWord == b.auxWord && a.loFileType == b.loFileType &&
           a.loFileNo == b.loFileNo && a.side == b.side && bits(a.northSouth) == bits(b.northSouth) &&
           bits(a.eastWest) == bits(b.eastWest) && bits(a.elevation) == bits(b.elevation) &&
           bits(a.rotation) == bits(b.rotation) && a.name == b.name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvland;
    LandmarkFileContents contents;
    try {
        contents = decodeLandmarkFile({data, size});
    } catch (const UserError&) {
        return 0;
    }
    if (contents.recordCount < 1 || contents.recordCount > kMaxRecords ||
        contents.records.size() != contents.recordCount)
        std::abort();

    const auto bytes = encodeLandmarkFile(contents.recordCount, contents.recordSize, contents.headerAuxWord,
                                          contents.records);
    if (bytes.size() !=
        kHeaderSize + (contents.recordCount - 1u) * std::size_t{contents.recordSize} + kRecordFieldsSize)
        std::abort();
    for (std::size_t i = 0; i < contents.recordCount; ++i) {
        const std::size_t start = kHeaderSize + i * contents.recordSize;
        if (std::memcmp(bytes.data() + start, data + start, kRecordFieldsSize) != 0)
            std::abort();
    }
    if (std::memcmp(bytes.data() + 20, data + 20, 6) != 0)
        std::abort();
    // With the bytes no field describes, records that do not overlap come back as read, all
    // but the two banners the writer stamps.
    if (contents.recordSize >= kRecordFieldsSize) {
        const auto kept = encodeLandmarkFile(contents.recordCount, contents.recordSize,
                                             contents.headerAuxWord, contents.records, contents.unknown);
        if (kept.size() != size || std::memcmp(kept.data() + 20, data + 20, 6) != 0 ||
            std::memcmp(kept.data() + kHeaderSize, data + kHeaderSize, size - kHeaderSize) != 0)
            std::abort();
    }
    const LandmarkFileContents again = decodeLandmarkFile(bytes);
    if (again.recordCount != contents.recordCount || again.recordSize != contents.recordSize ||
        again.headerAuxWord != contents.headerAuxWord)
        std::abort();
    for (std::size_t i = 0; i < contents.records.size(); ++i)
        if (!sameFields(again.records[i], contents.records[i]))
            std::abort();
    return 0;
}
