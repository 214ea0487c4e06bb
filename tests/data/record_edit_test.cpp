#include "data/landmark_set.h"
#include "data/set_state.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TempDir;

std::array<std::uint8_t, kNameSize> nameField(std::string_view text, std::uint8_t fill = 0) {
    std::array<std::uint8_t, kNameSize> field;
    field.fill(fill);
    std::copy_n(text.begin(), std::min(text.size(), kNameSize), field.begin());
    return field;
}

class SetName : public ::testing::Test {
  protected:
    // Record 0 holds a 13-character name; record 1's name field is 0xAA throughout.
    void SetUp() override {
        LandmarkRecord full = makeRecord(2, 1, 0, 0, "");
        full.name.fill(0xAA);
        set.read(LandmarkFileBuilder()
                     .add(makeRecord(1, 1, 0, 0, "Thirteen char"))
                     .add(full)
                     .writeTo(dir.path() / "a.dat"));
        set.selectRecord(1);
    }
    TempDir dir;
    LandmarkSet set;
};

TEST_F(SetName, AShorterNameKeepsTheOldTailAfterItsTerminator) {
    set.setName("Short");
    auto expected = nameField("Thirteen char");
    std::copy_n("Short", 6, expected.begin()); // five characters and a zero byte
    EXPECT_EQ(set.record(0).name, expected);
    EXPECT_EQ(set.record(0).nameBytes(), "Short");
}

TEST_F(SetName, FortyBytesFillTheFieldWithoutTerminatorAndLongerTextIsCut) {
    set.selectRecord(2);
    const std::string forty(40, 'F');
    for (const std::string& text : {forty, forty + "and more"}) {
        set.setName(text);
        EXPECT_EQ(set.record(1).name, nameField(forty)) << text;
        EXPECT_EQ(set.record(1).nameBytes(), forty);
    }
    set.setName(std::string(39, 'G'));
    EXPECT_EQ(set.record(1).name, nameField(std::string(39, 'G'))); // the terminator takes byte 39
}

TEST_F(SetName, EmptyTextEndsTheNameAtItsFirstByte) {
    set.selectRecord(2);
    set.setName("");
    auto expected = nameField("", 0xAA);
    expected[0] = 0;
    EXPECT_EQ(set.record(1).name, expected);
}

TEST_F(SetName, OnlyTheCurrentRecordChanges) {
    const auto other = testing::fieldBytes(set.record(1));
    set.setName("Renamed");
    EXPECT_EQ(testing::fieldBytes(set.record(1)), other);
}

TEST(ByteEdits, StoreTheLowEightBitsInTheCurrentRecord) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "a.dat"));
    set.selectRecord(3);
    EXPECT_EQ(set.currentIndex(), 2);
    set.setLoFileType(0x1FE);
    set.setLoFileNo(-1);
    set.setSide(1);
    EXPECT_EQ(set.record(2).loFileType, 0xFE);
    EXPECT_EQ(set.record(2).loFileNo, 0xFF);
    EXPECT_EQ(set.record(2).side, 1);
    set.setSide(0);
    EXPECT_EQ(set.currentRecord().side, 0);
    EXPECT_EQ(set.record(1).loFileType, 1); // untouched
    // No edit touches the flags: switching off is its own operation.
    EXPECT_EQ(set.disabledFlag(2), 0);
}

} // namespace
} // namespace korvland
