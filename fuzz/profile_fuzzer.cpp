// The first 1154 bytes either decode or raise UserError (too short, or no profile and saying
// why), and what decodes encodes back to the same 1154 bytes. The rest of the input is a landmark file that
// the profile names; opening the pair either succeeds with the profile's flags or leaves the set exactly as
// it was.
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "data/user_error.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace korvland;

std::string gFolder;
LandmarkSet* gPristine = nullptr;

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        std::abort();
}

// Everything the set holds, as bytes.
std::string stateOf(const LandmarkSet& set) {
    std::string s;
    auto put = [&s](const void* p, std::size_t n) { s.append(static_cast<const char*>(p), n); };
    const std::uint16_t words[] = {set.recordCount(), set.recordSize(), set.headerAuxWord(),
                                   set.profileCount()};
    put(words, sizeof words);
    for (std::size_t i = 0; i < kMaxRecords; ++i) {
        const LandmarkRecord& r = set.record(i);
        put(&r.landmarkId, 2);
        put(&r.auxWord, 2);
        put(&r.loFileType, 3);
        put(&r.northSouth, 16);
        put(r.name.data(), r.name.size());
    }
    put(set.disabledFlags().data(), kMaxRecords);
    put(set.landmarkPathBytes().data(), kPathSize);
    s += set.currentFileName();
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The run script names a folder it removes afterwards; alone, prefer memory over disk.
    const char* given = std::getenv("KORVLAND_FUZZ_TMP");
    const char* base = given ? given : ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/korvland-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    gFolder = pattern;
    // A set that already holds a file, with one flag set by hand.
    std::uint8_t file[100 + 63 * 3] = {};
    file[20] = 3;
    file[22] = 63;
    file[100 + 63 + 4] = 6;
    writeFile(gFolder + "/start.dat", file, sizeof file);
    gPristine = new LandmarkSet;
    gPristine->read(gFolder + "/start.dat");
    gPristine->setDisabled(900, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProfileContents profile;
    try {
        profile = decodeProfile({data, std::min(size, kProfileSize)});
    } catch (const UserError& error) {
        const bool refused = std::string(error.what()).starts_with("Invalid profile: ");
        if (size >= kProfileSize ? !refused : refused)
            std::abort();
        return 0;
    }
    const auto encoded = encodeProfile(profile);
    if (encoded.size() != kProfileSize || std::memcmp(encoded.data(), data, kProfileSize) != 0)
        std::abort();

    // The stored path names the landmark file made from the rest of the input, a missing
    // file, or nothing; the bytes after its terminator stay as the input has them.
    const std::string landmarkFile = gFolder + "/l.dat";
    writeFile(landmarkFile, data + kProfileSize, size - kProfileSize);
    std::string named;
    switch (data[0] % 3) {
    case 0:
        named = landmarkFile;
        break;
    case 1:
        named = gFolder + "/missing.dat";
        break;
    default:
        break;
    }
    std::vector<std::uint8_t> bytes(data, data + kProfileSize);
    std::memcpy(bytes.data(), named.c_str(), named.size() + 1);
    writeFile(gFolder + "/p.lmp", bytes.data(), bytes.size());

    LandmarkSet set = *gPristine;
    const std::string before = stateOf(set);
    try {
        set.openProfile(gFolder + "/p.lmp");
    } catch (const UserError&) {
        if (stateOf(set) != before)
            std::abort();
        return 0;
    }
    if (named != landmarkFile || set.landmarkPath() != landmarkFile ||
        std::memcmp(set.disabledFlags().data(), data + 130, kMaxRecords) != 0 ||
        std::memcmp(set.landmarkPathBytes().data(), bytes.data(), kPathSize) != 0 ||
        set.profileCount() != set.recordCount())
        std::abort();
    return 0;
}
