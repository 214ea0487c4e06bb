#include "ui/common/record_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvland::testing {
namespace {

struct CoordinateCase {
    float value;
    const char* shown;
};

class CoordinateFormat : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateFormat, RoundsOnceToNineDigitsAndShowsFiveDecimals) {
    EXPECT_EQ(formatCoordinate(GetParam().value).toStdString(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CoordinateFormat,
    ::testing::Values(CoordinateCase{0.0f, "0.00000"}, CoordinateCase{12.5f, "12.50000"},
                      CoordinateCase{-0.25f, "-0.25000"}, CoordinateCase{49.11f, "49.11000"},
                      // 123456.7890625 as stored: nine significant digits, then zeros.
                      CoordinateCase{123456.789f, "123456.78900"},
                      CoordinateCase{-123456.789f, "-123456.78900"},
                      CoordinateCase{1234567.89f, "1234567.88000"},
                      CoordinateCase{123456792.0f, "123456792.00000"},
                      // Five decimals win over nine digits below 10000.
                      CoordinateCase{1.23456789f, "1.23457"}, CoordinateCase{0.123456789f, "0.12346"},
                      // A value rounding to zero carries no sign.
                      CoordinateCase{-0.000004f, "0.00000"}, CoordinateCase{0.000006f, "0.00001"},
                      CoordinateCase{-0.0f, "0.00000"}, CoordinateCase{0.000001f, "0.00000"},
                      // Stored as 100000 exactly: a float carries no more digits.
                      CoordinateCase{99999.99999f, "100000.00000"},
                      // Nine digits exactly stay fixed-point.
                      CoordinateCase{999999936.0f, "999999936.00000"}, CoordinateCase{1.0e10f, "1E+10"},
                      // Ten digits before the separator, also when rounding carries into the tenth.
                      CoordinateCase{12345678901.0f, "1.23456788E+10"}, CoordinateCase{-1.0e10f, "-1E+10"},
                      CoordinateCase{999999999.9f, "1E+09"}, CoordinateCase{3.0e38f, "3.00000001E+38"},
                      // A value exactly halfway rounds away from zero, as a shown decimal is read.
                      CoordinateCase{123456.0625f, "123456.06300"},
                      CoordinateCase{-123456.0625f, "-123456.06300"}, CoordinateCase{0.015625f, "0.01563"},
                      CoordinateCase{1234567.125f, "1234567.13000"}, CoordinateCase{0.000005f, "0.00000"}));

TEST(CoordinateFormatText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(formatCoordinate(12.5f, QStringLiteral(",")), "12,50000");
    EXPECT_EQ(formatCoordinate(-1.0e10f, QStringLiteral(",")), "-1E+10");
}

TEST(CoordinateFormatText, ShowsNonNumbersWithoutFailing) {
    EXPECT_EQ(formatCoordinate(std::numeric_limits<float>::quiet_NaN()), "NAN");
    EXPECT_EQ(formatCoordinate(-std::numeric_limits<float>::infinity()), "-INF");
    EXPECT_EQ(formatCoordinate(std::numeric_limits<float>::infinity()), "INF");
}

TEST(HexText, BytesShowTwoUpperCaseDigits) {
    EXPECT_EQ(formatHexByte(0), "00");
    EXPECT_EQ(formatHexByte(10), "0A");
    EXPECT_EQ(formatHexByte(0xAB), "AB");
    EXPECT_EQ(formatHexByte(255), "FF");
}

TEST(HexText, AcceptsOnlyDigitsThatFitThirtyTwoBits) {
    EXPECT_EQ(parseHexText(QStringLiteral("1ab")), 0x1ABu);
    EXPECT_EQ(parseHexText(QStringLiteral("FFFFFFFF")), 0xFFFFFFFFu);
    EXPECT_EQ(parseHexText(QStringLiteral("00000000014")), 0x14u);
    for (const char* bad : {"", " 1", "1 ", "-1", "+1", "$1", "1G", "100000000", "0x1"})
        EXPECT_FALSE(parseHexText(QString::fromLatin1(bad)).has_value()) << bad;
    // Digits of other scripts are not hexadecimal digits.
    EXPECT_FALSE(parseHexText(QString::fromUtf8("\u0661")).has_value());
}

TEST(RecordNumberText, GroupsThousandsFromOneThousandUp) {
    EXPECT_EQ(formatRecordNumber(1, QStringLiteral(",")), "1");
    EXPECT_EQ(formatRecordNumber(999, QStringLiteral(",")), "999");
    EXPECT_EQ(formatRecordNumber(1000, QStringLiteral(",")), "1,000");
    EXPECT_EQ(formatRecordNumber(1024, QStringLiteral(".")), "1.024");
}

TEST(RecordNumberText, ReadsDigitsWithSeparatorsAndBlanks) {
    EXPECT_EQ(parseRecordNumber(QStringLiteral("1,024"), QStringLiteral(",")), 1024);
    EXPECT_EQ(parseRecordNumber(QStringLiteral(" 12 "), QStringLiteral(",")), 12);
    for (const char* bad : {"", ",", "-1", "+3", "1a", "12.5", "9999999999"})
        EXPECT_FALSE(parseRecordNumber(QString::fromLatin1(bad), QStringLiteral(",")).has_value()) << bad;
}

TEST(BgrColour, RedIsTheLowByte) {
    EXPECT_EQ(colourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colourFromBgr(0x008080), QColor(128, 128, 0));
    EXPECT_EQ(colourFromBgr(0xFFFF00), QColor(0, 255, 255));
}

} // namespace
} // namespace korvland::testing
