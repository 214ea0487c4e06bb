#include "support/fixture_builder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland::testing {

namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32f(std::vector<std::uint8_t>& b, std::size_t at, float f) {
    std::uint32_t v;
    std::memcpy(&v, &f, 4);
    for (int k = 0; k < 4; ++k)
        b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

} // namespace

LandmarkRecord makeRecord(std::uint16_t id, std::uint8_t type, std::uint8_t subType, std::uint8_t side,
                          std::string_view name, float northSouth, float eastWest) {
    LandmarkRecord r;
    r.landmarkId = id;
    r.auxWord = static_cast<std::uint16_t>(0xA500 | (id & 0xFF));
    r.loFileType = type;
    r.loFileNo = subType;
    r.side = side;
    r.northSouth = northSouth;
    r.eastWest = eastWest;
    r.elevation = 120.5f;
    r.rotation = 90.0f;
    std::copy_n(name.begin(), std::min(name.size(), r.name.size()), r.name.begin());
    return r;
}

LandmarkFileBuilder& LandmarkFileBuilder::add(const LandmarkRecord& record) {
    mRecords.push_back(record);
    return *this;
}

LandmarkFileBuilder& LandmarkFileBuilder::addMany(int count) {
    for (int i = 0; i < count; ++i) {
        const auto type = static_cast<std::uint8_t>(i % 10);
        add(makeRecord(static_cast<std::uint16_t>(1000 + i), type, static_cast<std::uint8_t>(i % 40),
                       static_cast<std::uint8_t>(i % 2), "Landmark " + std::to_string(i),
                       48.5f + static_cast<float>(i % 50) * 0.01f,
                       3.0f + static_cast<float>(i % 70) * 0.01f));
    }
    return *this;
}

LandmarkFileBuilder& LandmarkFileBuilder::headerCount(std::uint16_t count) {
    mCount = count;
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::recordSize(std::uint16_t size) {
    mRecordSize = size;
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::headerAuxWord(std::uint16_t value) {
    mHeaderAux = value;
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::banners(std::string_view maker, std::string_view version) {
    mMaker = maker;
    mVersion = version;
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::gapFill(std::uint8_t value) {
    mGapFill = value;
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::trailing(std::vector<std::uint8_t> junk) {
    mTrailing = std::move(junk);
    return *this;
}
LandmarkFileBuilder& LandmarkFileBuilder::truncateTo(std::size_t length) {
    mTruncate = length;
    return *this;
}

std::vector<std::uint8_t> LandmarkFileBuilder::bytes() const {
    const std::size_t n = mRecords.size();
    std::size_t length = 100;
    if (n > 0)
        length = 100 + (n - 1) * mRecordSize + std::max<std::size_t>(63, mRecordSize);
    std::vector<std::uint8_t> b(length, mGapFill);
    std::fill(b.begin(), b.begin() + 100, 0);
    std::copy_n(mMaker.begin(), std::min<std::size_t>(mMaker.size(), 20), b.begin());
    std::copy_n(mVersion.begin(), std::min<std::size_t>(mVersion.size(), 74), b.begin() + 26);
    put16(b, 20, mCount.value_or(static_cast<std::uint16_t>(n)));
    put16(b, 22, mRecordSize);
    put16(b, 24, mHeaderAux);
    for (std::size_t i = 0; i < n; ++i) {
        const LandmarkRecord& r = mRecords[i];
        const std::size_t s = 100 + i * mRecordSize;
        put16(b, s + 0, r.landmarkId);
        put16(b, s + 2, r.auxWord);
        b[s + 4] = r.loFileType;
        b[s + 5] = r.loFileNo;
        b[s + 6] = r.side;
        put32f(b, s + 7, r.northSouth);
        put32f(b, s + 11, r.eastWest);
        put32f(b, s + 15, r.elevation);
        put32f(b, s + 19, r.rotation);
        std::copy(r.name.begin(), r.name.end(), b.begin() + static_cast<std::ptrdiff_t>(s + 23));
    }
    b.insert(b.end(), mTrailing.begin(), mTrailing.end());
    if (mTruncate)
        b.resize(std::min(*mTruncate, b.size()));
    return b;
}

std::string LandmarkFileBuilder::writeTo(const std::filesystem::path& path) const {
    writeBytes(path, bytes());
    return path.string();
}

const std::filesystem::path& testStateFolder() {
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "korvland-state-XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::runtime_error("cannot create a state folder");
        // Another user the tests run as may pass through to a state folder of its own inside.
        ::chmod(name.c_str(), 0711);
        ::setenv("XDG_STATE_HOME", name.c_str(), 1);
        static const pid_t owner = ::getpid();
        static const std::string removed = name;
        std::atexit([] {
            std::error_code ignored;
            if (::getpid() == owner)
                std::filesystem::remove_all(removed, ignored);
        });
        return std::filesystem::path(name);
    }();
    return folder;
}

TempDir::TempDir() {
    testStateFolder();
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("korvland-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            mPath = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Folders a test made read-only must become writable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(mPath, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(mPath, ec);
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(u16At(bytes, offset)) |
           (static_cast<std::uint32_t>(u16At(bytes, offset + 2)) << 16);
}

} // namespace korvland::testing
