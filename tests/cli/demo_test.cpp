#include "cli_runner.h"

#include "data/landmark_kind.h"
#include "data/landmark_set.h"
#include "data/region.h"
#include "data/text_codec.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace korvland::testing {
namespace {

class CliDemo : public ::testing::TestWithParam<int> {};

TEST_P(CliDemo, WritesAPlausibleLandmarkFileOfItsRegion) {
    const int region = GetParam();
    const TempDir dir;
    const std::string name = "lndmrks" + std::to_string(region) + ".dat";
    const CliRun run = runCli({"demo", "--region", std::to_string(region), "-o", dir.file(name)});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    auto set = std::make_unique<LandmarkSet>();
    set->read(dir.file(name));
    EXPECT_EQ(detectRegion(set->currentFileName()), region);
    EXPECT_GE(set->recordCount(), 200);
    EXPECT_LE(set->recordCount(), 400);
    EXPECT_EQ(set->recordSize(), 63);
    EXPECT_EQ(set->headerAuxWord(), 0);

    std::set<LandmarkKind> kinds;
    std::set<std::uint16_t> ids;
    std::set<std::string> names;
    int sides[2] = {0, 0};
    int switchedOff = 0;
    for (std::size_t i = 0; i < set->recordCount(); ++i) {
        SCOPED_TRACE(i);
        const LandmarkRecord& r = set->record(i);
        kinds.insert(classifyKind(r.loFileType, r.loFileNo));
        ids.insert(r.landmarkId);
        ++sides[isAllied(r.side) ? 1 : 0];
        EXPECT_LE(r.side, 1);
        if (r.loFileType == kDisabledType) {
            ++switchedOff;
            EXPECT_EQ(r.loFileNo, kDisabledSubType);
            EXPECT_EQ(set->disabledFlag(i), 1);
        }
        // Degrees of a real place in the theatres of northern France, Flanders and the Channel.
        EXPECT_GT(r.northSouth, 47.0f);
        EXPECT_LT(r.northSouth, 51.5f);
        EXPECT_GT(r.eastWest, -2.0f);
        EXPECT_LT(r.eastWest, 8.0f);
        EXPECT_TRUE(std::isfinite(r.elevation) && r.elevation >= 0.0f && r.elevation < 1500.0f);
        EXPECT_TRUE(r.rotation >= 0.0f && r.rotation < 360.0f);
        // A terminated Windows-1252 name that survives the editor's decoding and encoding.
        const std::string bytes = r.nameBytes();
        EXPECT_FALSE(bytes.empty());
        EXPECT_LT(bytes.size(), kNameSize);
        EXPECT_EQ(encodeCp1252(decodeCp1252(bytes)), bytes);
        EXPECT_TRUE(names.insert(bytes).second) << bytes;
    }
    for (const LandmarkKind kind :
         {LandmarkKind::Airfield, LandmarkKind::City, LandmarkKind::Supply, LandmarkKind::TrainStation,
          LandmarkKind::Troops, LandmarkKind::Bridge, LandmarkKind::Factory, LandmarkKind::Balloon,
          LandmarkKind::Disabled, LandmarkKind::Town, LandmarkKind::Village})
        EXPECT_TRUE(kinds.count(kind)) << kindInfo(kind).editorLabel;
    EXPECT_FALSE(kinds.count(LandmarkKind::Unrecognised));
    EXPECT_EQ(ids.size(), set->recordCount());
    EXPECT_GT(sides[0], static_cast<int>(set->recordCount()) / 4);
    EXPECT_GT(sides[1], static_cast<int>(set->recordCount()) / 4);
    EXPECT_GE(switchedOff, 3);
    EXPECT_LE(switchedOff, 14);
    // The man page's `check --strict && cp` copies a demonstration file.
    const CliRun check = runCli({"check", dir.file(name), "--strict"});
    EXPECT_EQ(check.exitCode, 0) << check.out;
}

// Troops hold a front: each has enemy troops within a few kilometres.
TEST_P(CliDemo, TroopsFaceEnemyTroopsAcrossTheFront) {
    const TempDir dir;
    const std::string file = dir.file("lndmrks.dat");
    ASSERT_EQ(runCli({"demo", "--region", std::to_string(GetParam()), "-o", file}).exitCode, 0);
    auto set = std::make_unique<LandmarkSet>();
    set->read(file);
    std::vector<LandmarkRecord> troops;
    for (std::size_t i = 0; i < set->recordCount(); ++i)
        if (classifyKind(set->record(i).loFileType, set->record(i).loFileNo) == LandmarkKind::Troops)
            troops.push_back(set->record(i));
    ASSERT_GE(troops.size(), 20u);
    for (const LandmarkRecord& a : troops) {
        float nearest = 1e9f;
        for (const LandmarkRecord& b : troops)
            if (isAllied(a.side) != isAllied(b.side))
                nearest = std::min(nearest, std::hypot(a.northSouth - b.northSouth, a.eastWest - b.eastWest));
        EXPECT_LT(nearest, 0.08f) << decodeCp1252(a.nameBytes());
    }
}

TEST_P(CliDemo, WritesTheSameBytesOnEveryRunAndTheInfoNamesItsRegion) {
    const int region = GetParam();
    const TempDir dir;
    const std::string first = dir.file("lndmrks" + std::to_string(region) + ".dat");
    const std::string second = dir.file("again.dat");
    ASSERT_EQ(runCli({"demo", "--region", std::to_string(region), "-o", first}).exitCode, 0);
    ASSERT_EQ(runCli({"demo", "--region", std::to_string(region), "--output", second}).exitCode, 0);
    EXPECT_EQ(readBytes(first), readBytes(second));

    const CliRun info = runCli({"info", first});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const std::string_view line = regionTexts(region).locationLine; // "Landmarks of the Marne Region"
    const std::string regionName(line.substr(17, line.size() - 17 - 7));
    EXPECT_NE(info.out.find("Region:       " + regionName + " (" + std::to_string(region) + ")\n"),
              std::string::npos)
        << info.out;
}

INSTANTIATE_TEST_SUITE_P(EveryRegion, CliDemo, ::testing::Range(0, 5));

} // namespace
} // namespace korvland::testing
