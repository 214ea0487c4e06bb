#pragma once

#include "data/landmark_file.h"
#include "data/landmark_record.h"
#include "data/profile_file.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace korvland {

// The landmark data of one file: its header values, its records and one disabled flag per
// record; the editor's document holds the open file's, and every reader uses the accessors and
// changes it only through the operations below. Reads are all or
// nothing: a failed read throws UserError and leaves the set exactly as it was.
class LandmarkSet {
  public:
    LandmarkSet() = default;

    // --- reading the state -------------------------------------------------------
    std::uint16_t recordCount() const { return mRecordCount; }
    std::uint16_t recordSize() const { return mRecordSize; }
    std::uint16_t headerAuxWord() const { return mHeaderAuxWord; }
    std::uint16_t profileCount() const { return mProfileCount; }
    // Any index 0 to 1023; records at and beyond recordCount keep what an earlier file left.
    const LandmarkRecord& record(std::size_t index) const { return mRecords.at(index); }
    std::uint8_t disabledFlag(std::size_t index) const { return mDisabledFlags.at(index); }
    const std::array<std::uint8_t, kMaxRecords>& disabledFlags() const { return mDisabledFlags; }
    const std::array<std::uint8_t, kPathSize>& landmarkPathBytes() const { return mLandmarkPath; }
    // What the loaded file held beside the record fields; every write puts it back.
    const UnknownBytes& unknownBytes() const { return mUnknownBytes; }
    // The path up to its first zero byte.
    std::string landmarkPath() const;
    // File-name part of the file last loaded; region detection lower-cases it in place.
    const std::string& currentFileName() const { return mCurrentFileName; }
    void setCurrentFileName(std::string name) { mCurrentFileName = std::move(name); }
    int currentIndex() const { return mCurrentIndex; }
    const LandmarkRecord& currentRecord() const {
        return mRecords.at(static_cast<std::size_t>(mCurrentIndex));
    }
    bool isLoaded() const { return mRecordCount > 0; }

    // --- files ---------------------------------------------------------------------
    // Replaces header values and records 0..n-1 from the file and recomputes their
    // flags (type 6 is switched off). Refuses paths longer than 127 bytes, counts of
    // 0 or above 1024, and files shorter than their header promises.
    void read(const std::string& path);
    // The same from bytes already read (standard input), which `path` names.
    void readLandmarkBytes(const std::string& path, std::span<const std::uint8_t> bytes);

    // Writes the set as a landmark file, replacing `path` safely. Every switched-off
    // record is written as type 6 with sub-type 0xAC; the records in memory keep their
    // own types. The bytes no field describes go back as they were read. profileCount is set to recordCount.
    // The written file becomes the set's file (landmarkPath and currentFileName), as after
    // reading it, when its path fits the 127 bytes a profile can name. Refused while nothing
    // is loaded.
    void writeLandmarkFile(const std::string& path);

    // The bytes writeLandmarkFile would write now; the set does not change.
    std::vector<std::uint8_t> compiledBytes() const;
    // The set as a read of those bytes finds it, which is what a saved file holds: switched-off
    // records of type 6 and sub-type 0xAC, every record of type 6 switched off, and with a
    // record size below 63 the fields that later records overwrite. Comparisons with another
    // file read this form, never the fields in memory. Empty while nothing is loaded.
    std::unique_ptr<LandmarkSet> writtenForm() const;

    // Writes the 1154-byte profile, replacing `path` safely. The set does not change.
    void saveProfile(const std::string& path) const;
    ProfileContents profileContents() const;

    // Reads the profile, then the landmark file it names, and only when both succeeded
    // replaces the set and lays the stored flags over all 1024 indices.
    void openProfile(const std::string& path);

    // Lays stored flags over the set by index, as a profile open does, keeping the path.
    void applyDisabledFlags(const std::array<std::uint8_t, kMaxRecords>& flags);

    // --- edits -----------------------------------------------------------------------
    // Record number n, 1 to recordCount (0 is accepted on the empty set).
    void selectRecord(int n);
    // Bytes (already encoded) followed by one zero byte when shorter than 40; bytes after
    // that zero keep their content; text beyond 40 bytes is cut.
    void setName(std::string_view bytes);
    void setLoFileType(int value);
    void setLoFileNo(int value);
    void setSide(int sideIndex);
    void setDisabled(std::size_t index, std::uint8_t flag);
    // Replaces record `index` (0 to 1023) whole: an edit of any record, not only the
    // current one, and undo putting back every byte an edit touched.
    void setRecord(std::size_t index, const LandmarkRecord& record) { mRecords.at(index) = record; }

  private:
    // Makes `path` (shorter than kPathSize) the file of the set.
    void takeFilePath(const std::string& path);
    void replaceFrom(const std::string& path, std::span<const std::uint8_t> bytes,
                     const LandmarkFileHeader& header);
    std::vector<LandmarkRecord> compiledRecords() const;
    LandmarkRecord& current();

    std::uint16_t mRecordCount = 0;
    std::uint16_t mRecordSize = 0;
    std::uint16_t mHeaderAuxWord = 0;
    std::array<LandmarkRecord, kMaxRecords> mRecords{};
    UnknownBytes mUnknownBytes;
    std::array<std::uint8_t, kPathSize> mLandmarkPath{};
    std::uint16_t mProfileCount = 0;
    std::array<std::uint8_t, kMaxRecords> mDisabledFlags{};
    std::string mCurrentFileName;
    int mCurrentIndex = 0;
};

// The file-name part of a path: everything after the last folder separator ('/'; on
// Windows also '\\' and the drive colon).
std::string fileNamePart(std::string_view path);

} // namespace korvland
