#include "data/fixed_text.h"
#include "data/landmark_set.h"
#include "data/region.h"
#include "data/text_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvland {
namespace {

TEST(NameText, EveryByteStringSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto back = encodeCp1252(decodeCp1252(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(NameText, DecodesAsWindows1252) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"Reims", "Reims"},
        {"\x80", "\u20AC"},           // euro sign
        {"\x8A\x9F", "\u0160\u0178"}, // S caron, Y diaeresis
        {"\xE9", "\u00E9"},           // e acute
        {"\x81", "\u0081"},           // undefined in the code page: kept as a control character
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeCp1252(c.bytes), c.utf8);
}

TEST(NameText, RefusesCharactersWithoutAByteAndBrokenUtf8) {
    const char* const refused[] = {
        "\u03A9",           // Greek omega
        "Caf\u00E9 \u4E2D", // a CJK character among encodable ones
        "\U0001F600",       // beyond the basic plane
        "\x80",             // a continuation byte on its own
        "\xC3",             // a sequence cut short
        "\xE2\x82",         // likewise
        "\xC3\x28",         // a lead byte followed by no continuation
        "\xC0\xAF",         // an overlong '/'
        "\xE0\x80\xAF",     // likewise in three bytes
        "\xED\xA0\x80",     // a UTF-16 surrogate
        "\xFF",
    };
    for (const char* text : refused)
        EXPECT_FALSE(encodeCp1252(text).has_value()) << text;
    EXPECT_FALSE(isCp1252Encodable(U'\u03A9'));
    EXPECT_TRUE(isCp1252Encodable(U'\u20AC'));
    EXPECT_EQ(encodeCp1252("Ch\u00E2teau \u20AC"), std::optional<std::string>("Ch\xE2teau \x80"));
}

TEST(Regions, OnlyTheExactNamesMatchAfterLowerCasing) {
    const struct {
        const char* name;
        std::optional<int> region;
    } cases[] = {
        {"lndmrks0.dat", 0},
        {"lndmrks1.mlf", 1},
        {"LNDMRKS2.DAT", 2},
        {"LnDmRkS3.MlF", 3},
        {"lndmrks4.dat", 4},
        {"lndmrks5.dat", std::nullopt},
        {"lndmrks2.dat.bak", std::nullopt},
        {"xlndmrks2.dat", std::nullopt},
        {"lndmrks2.txt", std::nullopt},
        {"", std::nullopt},
        {"lndmrks.dat", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(detectRegion(c.name), c.region) << c.name;
}

// Windows names travel to other machines: "\\" and ":" are folder separators only where the
// platform uses them, so a copied name keeps them as letters elsewhere.
TEST(Regions, TheRegionComesFromTheFileNameAfterThePlatformsLastSeparator) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/data/LNDMRKS2.DAT", "LNDMRKS2.DAT"},      {"lndmrks1.dat", "lndmrks1.dat"},
#ifdef _WIN32
        {"C:\\games\\lndmrks4.mlf", "lndmrks4.mlf"}, {"C:lndmrks3.dat", "lndmrks3.dat"},
        {"/data/copy:lndmrks2.dat", "lndmrks2.dat"},
#else
        {"/data/copy:lndmrks2.dat", "copy:lndmrks2.dat"},
        {"/data/old\\lndmrks4.mlf", "old\\lndmrks4.mlf"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileNamePart(c.path), c.name) << c.path;
    }
#ifndef _WIN32
    EXPECT_EQ(detectRegion(fileNamePart("/data/copy:lndmrks2.dat")), std::nullopt);
    EXPECT_EQ(detectRegion(fileNamePart("/data/old\\lndmrks4.mlf")), std::nullopt);
#endif
}

TEST(Regions, EachRegionHasItsTexts) {
    EXPECT_EQ(regionTexts(0).mapCaption, "Map of Marne Region");
    EXPECT_EQ(regionTexts(3).locationLine, "Landmarks of the Alsace Region");
    EXPECT_EQ(regionTexts(4).proposedName, "lndmrks4.dat");
}

TEST(FixedText, FieldTextEndsAtTheFirstZeroByteAndLowerCasingIsAsciiOnly) {
    const struct {
        std::vector<std::uint8_t> field;
        const char* text;
    } fields[] = {
        {{'a', 'b', 0, 'c'}, "ab"},
        {{0, 'x'}, ""},
        {{'f', 'u', 'l', 'l'}, "full"},
        {{}, ""},
    };
    for (const auto& f : fields)
        EXPECT_EQ(fixedFieldText(f.field), f.text);
    // 8-bit letters (here Windows-1252 "\xC4" and "\xE4") are not ASCII and stay.
    EXPECT_EQ(asciiLowerCased("LNDMRKS3.MLF \xC4\xE4@[`{"), "lndmrks3.mlf \xC4\xE4@[`{");
}

} // namespace
} // namespace korvland
