#include "data/landmark_set.h"

#include "data/file_io.h"
#include "data/fixed_text.h"
#include "data/user_error.h"

#include <algorithm>

namespace korvland {

namespace {

// landmarkPath keeps at most 127 bytes and its terminator.
void checkPathFits(const std::string& path) {
    if (path.size() >= kPathSize)
        throw UserError(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                                   "The file's full path is %1 bytes long; at most 127 "
                                                   "bytes can be kept")),
                        {std::to_string(path.size())}, path);
}

} // namespace

std::string fileNamePart(std::string_view path) {
#ifdef _WIN32
    const auto cut = path.find_last_of("/\\:");
#else
    // Only "/" separates folders here: "\\" and ":" are ordinary letters of a name.
    const auto cut = path.find_last_of('/');
#endif
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string LandmarkSet::landmarkPath() const {
    return fixedFieldText(mLandmarkPath);
}

void LandmarkSet::read(const std::string& path) {
    checkPathFits(path);
    readLandmarkBytes(path, namingFile(path, [&] { return readLandmarkFileBytes(path); }));
}

void LandmarkSet::readLandmarkBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    checkPathFits(path);
    replaceFrom(path, bytes, namingFile(path, [&] { return checkLandmarkFile(bytes); }));
}

void LandmarkSet::replaceFrom(const std::string& path, std::span<const std::uint8_t> bytes,
                              const LandmarkFileHeader& header) {
    // Made first: nothing after it can fail.
    UnknownBytes unknown = unknownBytesOf(bytes, header);
    mRecordCount = header.recordCount;
    mRecordSize = header.recordSize;
    mHeaderAuxWord = header.headerAuxWord;
    takeFilePath(path);
    mProfileCount = mRecordCount;
    // The bytes are checked: the records decode straight into the set, without failure.
    // Records and flags beyond the count keep what an earlier, larger file left.
    decodeLandmarkRecords(bytes, header, mRecords, mDisabledFlags);
    mUnknownBytes = std::move(unknown);
}

std::vector<LandmarkRecord> LandmarkSet::compiledRecords() const {
    std::vector<LandmarkRecord> records(mRecords.begin(), mRecords.begin() + mRecordCount);
    // Only the flag at write time counts: a switched-off record is written as type 6.
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (mDisabledFlags[i] != 0) {
            records[i].loFileType = kDisabledType;
            records[i].loFileNo = kDisabledSubType;
        }
    }
    return records;
}

std::vector<std::uint8_t> LandmarkSet::compiledBytes() const {
    return encodeLandmarkFile(mRecordCount, mRecordSize, mHeaderAuxWord, compiledRecords(), mUnknownBytes);
}

std::unique_ptr<LandmarkSet> LandmarkSet::writtenForm() const {
    auto written = std::make_unique<LandmarkSet>();
    if (isLoaded())
        written->readLandmarkBytes(landmarkPath(), compiledBytes());
    return written;
}

void LandmarkSet::writeLandmarkFile(const std::string& path) {
    if (mRecordCount == 0)
        throw UserError(Text(KORVLAND_TRANSLATABLE(
            "korvland::UserError", "No landmark file has been read yet; there is nothing to write.")));
    // The records in memory keep their own types: switching a landmark back on after a
    // save must write the type the operator sees, not the disabled type.
    namingFile(path, [&] { replaceFileAtomically(path, compiledBytes()); });
    mProfileCount = mRecordCount;
    // The set now is what that file holds: a later profile names it, and the editor's caption
    // shows it. A path too long to keep leaves the set with the file it was read from.
    if (path.size() < kPathSize)
        takeFilePath(path);
}

void LandmarkSet::takeFilePath(const std::string& path) {
    mCurrentFileName = fileNamePart(path);
    // The path and one zero byte; the bytes after it keep what a longer path left there.
    std::copy(path.begin(), path.end(), mLandmarkPath.begin());
    mLandmarkPath[path.size()] = 0;
}

ProfileContents LandmarkSet::profileContents() const {
    ProfileContents profile;
    profile.landmarkPath = mLandmarkPath;
    profile.profileCount = mProfileCount;
    profile.disabledFlags = mDisabledFlags;
    return profile;
}

void LandmarkSet::saveProfile(const std::string& path) const {
    namingFile(path, [&] { replaceFileAtomically(path, encodeProfile(profileContents())); });
}

void LandmarkSet::openProfile(const std::string& path) {
    const ProfileContents profile = readProfileFile(path);
    const std::string landmarkFile = profile.pathText();
    if (landmarkFile.empty())
        throw UserError(
            Text(KORVLAND_TRANSLATABLE("korvland::UserError", "The profile names no landmark file.")), {},
            path);
    checkPathFits(landmarkFile);
    const FileBuffer bytes = namingFile(landmarkFile, [&] { return readLandmarkFileBytes(landmarkFile); });
    const LandmarkFileHeader header = namingFile(landmarkFile, [&] { return checkLandmarkFile(bytes); });

    // Both files are read whole and checked: only now does the set change.
    mLandmarkPath = profile.landmarkPath;
    replaceFrom(landmarkFile, bytes, header);
    mDisabledFlags = profile.disabledFlags;
}

void LandmarkSet::applyDisabledFlags(const std::array<std::uint8_t, kMaxRecords>& flags) {
    mDisabledFlags = flags;
}

void LandmarkSet::selectRecord(int n) {
    mCurrentIndex = std::clamp(n - 1, 0, static_cast<int>(kMaxRecords) - 1);
}

LandmarkRecord& LandmarkSet::current() {
    return mRecords.at(static_cast<std::size_t>(mCurrentIndex));
}

void LandmarkSet::setName(std::string_view bytes) {
    current().setNameBytes(bytes);
}

void LandmarkSet::setLoFileType(int value) {
    current().loFileType = static_cast<std::uint8_t>(value & 0xFF);
}

void LandmarkSet::setLoFileNo(int value) {
    current().loFileNo = static_cast<std::uint8_t>(value & 0xFF);
}

void LandmarkSet::setSide(int sideIndex) {
    current().side = static_cast<std::uint8_t>(sideIndex & 0xFF);
}

void LandmarkSet::setDisabled(std::size_t index, std::uint8_t flag) {
    mDisabledFlags.at(index) = flag;
}

std::string LandmarkRecord::nameBytes() const {
    return fixedFieldText(name);
}

void LandmarkRecord::setNameBytes(std::string_view bytes) {
    const std::size_t length = std::min(bytes.size(), kNameSize);
    std::copy_n(bytes.begin(), length, name.begin());
    // A 40-byte name has no terminator; the bytes after a shorter name's zero stay.
    if (length < kNameSize)
        name[length] = 0;
}

} // namespace korvland
