// Reading and writing a 1024-record landmark file: the program's way (the file read in
// one go and decoded from memory; written whole to a temporary file, flushed to disk and
// renamed) beside the literal way (one seek and one read or write system call per field
// through an unbuffered descriptor opened for reading and writing).
//
// Files go to /dev/shm when it exists, so that the numbers measure the code rather than
// the disk; the "Disk" variants write to the temporary folder as well, where the flush
// to disk dominates. KORVLAND_BENCH_DIR chooses another folder.
#include "data/landmark_file.h"
#include "data/landmark_set.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

using namespace korvland;

constexpr std::uint16_t kCount = 1024;
constexpr std::uint16_t kStride = 63;

enum class Where { Memory, Disk };

std::string benchFolder(Where where) {
    namespace fs = std::filesystem;
    fs::path base;
    if (const char* chosen = std::getenv("KORVLAND_BENCH_DIR"); chosen && where == Where::Memory)
        base = chosen;
    else if (where == Where::Memory && ::access("/dev/shm", W_OK) == 0)
        base = "/dev/shm";
    else
        base = fs::temp_directory_path();
    const fs::path folder = base / ("korvland-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder.string();
}

std::vector<LandmarkRecord> sampleRecords() {
    std::vector<LandmarkRecord> records(kCount);
    for (std::uint16_t i = 0; i < kCount; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(5000 + i);
        r.auxWord = i;
        r.loFileType = static_cast<std::uint8_t>(i % 10);
        r.loFileNo = static_cast<std::uint8_t>(i % 40);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 48.0f + static_cast<float>(i) * 0.001f;
        r.eastWest = 3.0f + static_cast<float>(i) * 0.002f;
        r.elevation = 100.0f;
        r.rotation = 45.0f;
        const std::string name = "Landmark number " + std::to_string(i);
        std::memcpy(r.name.data(), name.data(), name.size());
    }
    return records;
}

// A 1024-record file in `folder`, returned by path.
std::string sampleFile(const std::string& folder) {
    const std::string path = folder + "/lndmrks0.dat";
    const auto bytes = encodeLandmarkFile(kCount, kStride, 0, sampleRecords());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write " + path);
    ::close(fd);
    return path;
}

// --- the literal way -----------------------------------------------------------------

void seekTo(int fd, std::size_t offset) {
    if (::lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0)
        throw std::runtime_error("seek failed");
}

template <typename T> void readField(int fd, std::size_t offset, T& value) {
    seekTo(fd, offset);
    if (::read(fd, &value, sizeof value) != static_cast<ssize_t>(sizeof value))
        throw std::runtime_error("read failed");
}

template <typename T> void writeField(int fd, std::size_t offset, const T& value) {
    seekTo(fd, offset);
    if (::write(fd, &value, sizeof value) != static_cast<ssize_t>(sizeof value))
        throw std::runtime_error("write failed");
}

struct LiteralSet {
    std::uint16_t count = 0, size = 0, aux = 0;
    std::array<LandmarkRecord, kMaxRecords> records{};
    std::array<std::uint8_t, kMaxRecords> flags{};
};

// The little-endian fields are read straight into the host's (little-endian) integers.
void literalRead(const std::string& path, LiteralSet& set) {
    const int fd = ::open(path.c_str(), O_RDWR);
    if (fd < 0)
        throw std::runtime_error("open failed");
    readField(fd, 20, set.count);
    readField(fd, 22, set.size);
    readField(fd, 24, set.aux);
    for (std::size_t i = 0; i < set.count; ++i) {
        const std::size_t at = 100 + i * set.size;
        LandmarkRecord& r = set.records[i];
        readField(fd, at + 0, r.landmarkId);
        readField(fd, at + 2, r.auxWord);
        readField(fd, at + 4, r.loFileType);
        set.flags[i] = r.loFileType == kDisabledType ? 1 : 0;
        readField(fd, at + 5, r.loFileNo);
        readField(fd, at + 6, r.side);
        readField(fd, at + 7, r.northSouth);
        readField(fd, at + 11, r.eastWest);
        readField(fd, at + 15, r.elevation);
        readField(fd, at + 19, r.rotation);
        readField(fd, at + 23, r.name);
    }
    ::close(fd);
}

void literalWrite(const std::string& path, LiteralSet& set) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        throw std::runtime_error("create failed");
    char maker[20];
    std::memcpy(maker, kMakerBanner, sizeof maker);
    char version[kVersionBannerSize] = {};
    std::memcpy(version, kVersionBanner, sizeof kVersionBanner - 1);
    writeField(fd, 0, maker);
    writeField(fd, 20, set.count);
    writeField(fd, 22, set.size);
    writeField(fd, 24, set.aux);
    writeField(fd, 26, version);
    for (std::size_t i = 0; i < set.count; ++i) {
        const std::size_t at = 100 + i * set.size;
        LandmarkRecord& r = set.records[i];
        if (set.flags[i] != 0) {
            r.loFileType = kDisabledType;
            r.loFileNo = kDisabledSubType;
        }
        writeField(fd, at + 0, r.landmarkId);
        writeField(fd, at + 2, r.auxWord);
        writeField(fd, at + 4, r.loFileType);
        writeField(fd, at + 5, r.loFileNo);
        writeField(fd, at + 6, r.side);
        writeField(fd, at + 7, r.northSouth);
        writeField(fd, at + 11, r.eastWest);
        writeField(fd, at + 15, r.elevation);
        writeField(fd, at + 19, r.rotation);
        writeField(fd, at + 23, r.name);
    }
    ::close(fd);
}

// --- benchmarks ------------------------------------------------------------------------

void BM_ReadProgram(benchmark::State& state) {
    const std::string folder = benchFolder(Where::Memory);
    const std::string path = sampleFile(folder);
    LandmarkSet set;
    for (auto _ : state) {
        set.read(path);
        benchmark::DoNotOptimize(set.record(kCount - 1).landmarkId);
    }
    std::filesystem::remove_all(folder);
}

// One plain read of the whole file, the floor any reader stands on.
void BM_ReadPlain(benchmark::State& state) {
    const std::string folder = benchFolder(Where::Memory);
    const std::string path = sampleFile(folder);
    std::vector<std::uint8_t> buffer(kHeaderSize + kCount * kStride);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
    std::filesystem::remove_all(folder);
}

void BM_ReadLiteral(benchmark::State& state) {
    const std::string folder = benchFolder(Where::Memory);
    const std::string path = sampleFile(folder);
    LiteralSet set;
    for (auto _ : state) {
        literalRead(path, set);
        benchmark::DoNotOptimize(set.records[kCount - 1].landmarkId);
    }
    std::filesystem::remove_all(folder);
}

void writeProgram(benchmark::State& state, Where where) {
    const std::string folder = benchFolder(where);
    LandmarkSet set;
    set.read(sampleFile(folder));
    const std::string out = folder + "/out.dat";
    for (auto _ : state)
        set.writeLandmarkFile(out);
    std::filesystem::remove_all(folder);
}

void writeLiteral(benchmark::State& state, Where where) {
    const std::string folder = benchFolder(where);
    LiteralSet set;
    literalRead(sampleFile(folder), set);
    const std::string out = folder + "/out.dat";
    for (auto _ : state)
        literalWrite(out, set);
    std::filesystem::remove_all(folder);
}

void BM_WriteProgram(benchmark::State& state) {
    writeProgram(state, Where::Memory);
}
void BM_WriteLiteral(benchmark::State& state) {
    writeLiteral(state, Where::Memory);
}
void BM_WriteProgramDisk(benchmark::State& state) {
    writeProgram(state, Where::Disk);
}
void BM_WriteLiteralDisk(benchmark::State& state) {
    writeLiteral(state, Where::Disk);
}

// Only the encoding, without any file: what the write costs before the file system.
void BM_EncodeOnly(benchmark::State& state) {
    const std::string folder = benchFolder(Where::Memory);
    LandmarkSet set;
    set.read(sampleFile(folder));
    for (auto _ : state)
        benchmark::DoNotOptimize(set.compiledBytes());
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_ReadProgram)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadPlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteProgram)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteProgramDisk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteLiteralDisk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeOnly)->Unit(benchmark::kMicrosecond);

} // namespace
