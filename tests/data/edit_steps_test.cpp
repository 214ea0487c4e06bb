#include "data/edit_steps.h"
#include "data/recovery_copy.h"
#include "data/set_state.h"

#include <gtest/gtest.h>

#include <fstream>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TempDir;

FieldValue byte(int value) {
    return FieldValue(1, static_cast<char>(value));
}

// A rename, a bulk switch-off and a side change, as the editor's history holds them.
const std::vector<EditStep> kSteps{
    {EditField::Name, false, {{0, FieldValue(40, 'A'), FieldValue("Loos") + FieldValue(36, '\0')}}},
    {EditField::Active, true, {{1, byte(0), byte(1)}, {2, byte(2), byte(1)}}},
    {EditField::Side, false, {{2, byte(0), byte(1)}}},
};

TEST(EditSteps, KeptBesideTheCopyAndReadBackOnlyWholeAndForThatCopy) {
    const std::string text = describeSteps(kSteps, 0xfeed);
    EXPECT_EQ(parseSteps(text, 0xfeed), kSteps);
    EXPECT_EQ(parseSteps(describeSteps({}, 7), 7), std::vector<EditStep>{});
    const auto cut = [&](std::string_view drop) {
        std::string changed = text;
        changed.erase(changed.find(drop), drop.size());
        return changed;
    };
    for (const std::string& bad : {cut("end\n"), cut("4c6f6f73"), cut("step side"), text + "step nose 0 1\n",
                                   std::string("korvland steps 2") + text.substr(16)}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseSteps(bad, 0xfeed));
    }
    EXPECT_FALSE(parseSteps(text, 0xbeef)) << "the steps of another copy";

    TempDir dir;
    const std::string path = dir.file("kept.steps");
    std::ofstream(path) << text;
    EXPECT_EQ(readSteps(path, 0xfeed), kSteps);
    std::ofstream(path) << text << std::string(kStepsSizeLimit, ' ');
    EXPECT_FALSE(readSteps(path, 0xfeed)) << "larger than any list the editor writes";
    EXPECT_FALSE(readSteps(dir.file("gone.steps"), 0xfeed));
    EXPECT_EQ(stepsPathFor("/r/lndmrks0.dat.0123.recovery"), "/r/lndmrks0.dat.0123.steps");
}

TEST(EditSteps, ConflictWhereTheFileHoldsNeitherTheValueAStepStartedFromNorTheOneTheStepsLeft) {
    TempDir dir;
    LandmarkSet file;
    file.read(LandmarkFileBuilder()
                  .add(makeRecord(1, 1, 2, 0, "Arras"))
                  .add(makeRecord(2, 3, 4, 1, "Lens"))
                  .add(makeRecord(3, 5, 6, 0, "Loos"))
                  .writeTo(dir.file("lndmrks1.dat")));
    const auto side = [](std::uint16_t index, int from, int to) {
        return EditStep{EditField::Side, false, {{index, byte(from), byte(to)}}};
    };
    struct Case {
        const char* what;
        std::vector<EditStep> steps;
        std::optional<std::vector<StepConflict>> conflicts;
    };
    for (const Case& c : std::vector<Case>{
             {"the file as the steps began", {side(0, 0, 1)}, std::vector<StepConflict>{}},
             {"the file already as the steps left it", {side(1, 0, 1)}, std::vector<StepConflict>{}},
             {"another value", {side(0, 2, 1)}, std::vector<StepConflict>{{0, {EditField::Side}}}},
             {"two steps of one field, from the first to the last",
              {side(2, 7, 8), side(2, 8, 0)},
              std::vector<StepConflict>{}},
             {"two fields of one record",
              {side(1, 0, 2), {EditField::Type, false, {{1, byte(9), byte(8)}}}, side(0, 0, 1)},
              std::vector<StepConflict>{{1, {EditField::Type, EditField::Side}}}},
             {"a record the file does not have", {side(3, 0, 1)}, std::nullopt},
         }) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(findStepConflicts(file, c.steps), c.conflicts);
    }
    // The file's value kept for one field of a record leaves its other fields and records.
    const std::vector<EditStep> steps{
        side(1, 0, 2),
        {EditField::Type, false, {{1, byte(9), byte(8)}}},
        {EditField::Side, true, {{0, byte(1), byte(0)}, {1, byte(2), byte(0)}}}};
    EXPECT_EQ(withoutConflicts(steps, std::vector<StepConflict>{{1, {EditField::Side}}}),
              (std::vector<EditStep>{{EditField::Type, false, {{1, byte(9), byte(8)}}},
                                     {EditField::Side, true, {{0, byte(1), byte(0)}}}}));
}

} // namespace
} // namespace korvland
