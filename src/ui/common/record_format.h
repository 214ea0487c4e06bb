#pragma once

#include "data/landmark_kind.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvland {

// How the editor window writes the fields of a record into its boxes, and reads back
// what the user typed. Kept apart from the widgets so the formats can be checked alone.

// A byte as upper-case hexadecimal with at least two digits: 10 -> "0A", 255 -> "FF".
QString formatHexByte(std::uint8_t value);

// A coordinate as fixed-point text: rounded once to at most 9 significant digits and
// at most 5 decimals, then written with exactly 5 decimals (12.5 -> "12.50000").
// More than 9 digits before the separator give scientific notation ("1.23456789E+10").
QString formatCoordinate(float value, const QString& decimalPoint = QStringLiteral("."));

// The number a type or sub-type box holds: the text after an implied "$" must be one or
// more hexadecimal digits (either case) with a value that fits in 32 bits. Nothing on
// any other text, including blanks, signs and the empty text.
std::optional<std::uint32_t> parseHexText(const QString& text);

// The error text for a box whose "$"-prefixed text is not a number.
QString invalidIntegerMessage(const QString& prefixedText);

// A 0xBBGGRR colour as a QColor.
QColor colourFromBgr(BgrColour colour);

// The record number the user typed into the record-number box: decimal digits, with
// blanks and the locale's group separator allowed anywhere. Nothing on other text.
std::optional<int> parseRecordNumber(const QString& text, const QString& groupSeparator);

// The record number as the spinner writes it: from 1000 upward with the group separator.
QString formatRecordNumber(int number, const QString& groupSeparator);

// Why a landmark of the switched-off type cannot be switched on: a file written with type
// 06 reads back switched off, whatever the screen said.
QString typeSixStaysOffNotice();
// The same for an edit of many landmarks that left `count` of them switched off.
QString typeSixLeftOffNotice(int count);

} // namespace korvland
