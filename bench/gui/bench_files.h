#pragma once

// The landmark files the GUI benchmarks read, kept in memory-backed /dev/shm where there is one
// so that the disk plays no part in the figures.
#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/landmark_record.h"

#include <filesystem>
#include <string>
#include <vector>

namespace korvland::bench {

inline std::filesystem::path benchFolder() {
    const std::filesystem::path shm("/dev/shm");
    return std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
}

// Writes `records` as a landmark file of 63-byte records named `name` in the bench folder.
inline std::string writeBenchFile(const std::filesystem::path& name, const std::vector<LandmarkRecord>& records) {
    const std::string path = (benchFolder() / name).string();
    replaceFileAtomically(path, encodeLandmarkFile(static_cast<std::uint16_t>(records.size()), kRecordFieldsSize, 0,
                                                   records));
    return path;
}

} // namespace korvland::bench
