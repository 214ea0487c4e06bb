// Writes seed inputs for the fuzz targets into two folders: well-formed landmark files
// of several strides and counts, and profiles followed by a landmark file.
#include "data/landmark_file.h"
#include "data/profile_file.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace korvland;

std::vector<std::uint8_t> landmarkFile(std::uint16_t count, std::uint16_t recordSize) {
    std::vector<LandmarkRecord> records(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        LandmarkRecord& r = records[i];
        r.landmarkId = static_cast<std::uint16_t>(1000 + i);
        r.loFileType = static_cast<std::uint8_t>(i % 11);
        r.loFileNo = static_cast<std::uint8_t>(i * 7);
        r.side = static_cast<std::uint8_t>(i % 2);
        r.northSouth = 49.0f + static_cast<float>(i) * 0.01f;
        r.eastWest = 3.0f;
        const std::string name = "Landmark " + std::to_string(i);
        std::copy(name.begin(), name.end(), r.name.begin());
    }
    return encodeLandmarkFile(count, recordSize, 0x0102, records);
}

void write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s LANDMARK-SEED-FOLDER PROFILE-SEED-FOLDER SETTINGS-SEED-FOLDER\n",
                     argv[0]);
        return 2;
    }
    const std::string landmarks = argv[1], profiles = argv[2], settings = argv[3];
    const struct {
        std::uint16_t count, size;
    } shapes[] = {{1, 63}, {3, 80}, {4, 40}, {3, 0}, {12, 64}, {2, 1}};
    int n = 0;
    for (const auto& shape : shapes) {
        const auto file = landmarkFile(shape.count, shape.size);
        write(landmarks + "/seed" + std::to_string(n), file);

        ProfileContents profile;
        profile.landmarkPath[0] = 'x';
        profile.profileCount = shape.count;
        for (std::size_t i = 0; i < kMaxRecords; i += 3 + static_cast<std::size_t>(n))
            profile.disabledFlags[i] = static_cast<std::uint8_t>(i % 3);
        auto bytes = encodeProfile(profile);
        bytes[0] = static_cast<std::uint8_t>(n % 3 == 0 ? 3 : n); // which path the profile target uses
        bytes.insert(bytes.end(), file.begin(), file.end());
        write(profiles + "/seed" + std::to_string(n), bytes);
        ++n;
    }
    // Settings files as the program writes them and as people edit them.
    const std::string settingsSeeds[] = {
        "[settings]\nstartdir=/home/op/Landmarks\n[Common]\nForm2=200,0,1,742,181,1210,507\n"
        "[Form2.MRUList]\nH0=/home/op/Landmarks/lndmrks0.dat\nH1=/srv/lndmrks3.mlf\n",
        "\xEF\xBB\xBF; by hand\r\n[ SETTINGS ]\r\n StartDir = \" C:\\Games \"\r\n[common]\r\nform3=\r\n",
        "[Form2.MRUList]\r\r\nH0=/a.dat\r\r\nH2=/c.dat\r[settings]\rstartdir='q'\rstray",
    };
    n = 0;
    for (const std::string& text : settingsSeeds)
        write(settings + "/seed" + std::to_string(n++), std::vector<std::uint8_t>(text.begin(), text.end()));
    return 0;
}
