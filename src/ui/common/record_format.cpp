#include "ui/common/record_format.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace korvland {

namespace {

constexpr int kSignificantDigits = 9;
constexpr int kDecimals = 5;

std::string printed(const char* format, int precision, double value) {
    char buffer[96];
    const int length = std::snprintf(buffer, sizeof buffer, format, precision, value);
    return std::string(buffer, static_cast<std::size_t>(std::clamp(length, 0, int(sizeof buffer) - 1)));
}

// Digits before the separator once the value is rounded to 9 significant digits
// (0 for values below 1): the rounding may carry into one more digit.
int integerDigits(double magnitude) {
    const std::string text = printed("%.*e", kSignificantDigits - 1, magnitude);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    return exponent >= 0 ? exponent + 1 : 0;
}

// `magnitude` (not negative) with `decimals` decimals, a half rounded up, as a shown
// decimal value is read: 0.0625 to three decimals is 0.063 (printf would give 0.062,
// sending ties to the even digit). A float has a finite decimal expansion, so the digit
// after the cut of its exact expansion decides alone.
std::string roundedHalfUp(double magnitude, int decimals) {
    char exact[512];
    const int length = std::snprintf(exact, sizeof exact, "%.200f", magnitude);
    std::string digits(exact, static_cast<std::size_t>(std::clamp(length, 0, int(sizeof exact) - 1)));
    const std::size_t point = digits.find('.');
    const std::size_t cut = point + 1 + static_cast<std::size_t>(decimals);
    const bool up = cut < digits.size() && digits[cut] >= '5';
    digits.resize(decimals == 0 ? point : cut);
    if (up) {
        std::size_t i = digits.size();
        for (;;) {
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                break;
            }
            --i;
            if (digits[i] == '.')
                continue;
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';
        }
    }
    return digits;
}

QString scientific(double value) {
    std::string text = printed("%.*E", kSignificantDigits - 1, value);
    const std::size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return QString::fromStdString(mantissa + text.substr(e));
}

// The value of an ASCII hexadecimal digit, or -1.
int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString formatHexByte(std::uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString formatCoordinate(float value, const QString& decimalPoint) {
    const double v = value;
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    const int digits = integerDigits(std::fabs(v));
    if (digits > kSignificantDigits)
        return scientific(v).replace(QLatin1Char('.'), decimalPoint);

    // One rounding, at whichever comes first: the ninth significant digit or the fifth decimal.
    const int decimals = std::min(kDecimals, kSignificantDigits - digits);
    std::string text = roundedHalfUp(std::fabs(v), decimals);
    if (v < 0)
        text.insert(text.begin(), '-');
    if (decimals == 0)
        text += '.';
    text.append(static_cast<std::size_t>(kDecimals - decimals), '0');
    // A value that rounds to zero is shown without a sign.
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    QString result = QString::fromStdString(text);
    result.replace(QLatin1Char('.'), decimalPoint);
    return result;
}

std::optional<std::uint32_t> parseHexText(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

QString invalidIntegerMessage(const QString& prefixedText) {
    //: %1 is what the user typed into a type box, with a leading "$".
    return QCoreApplication::translate("korvland::RecordFormat", "'%1' is not a valid integer value")
        .arg(prefixedText);
}

QColor colourFromBgr(BgrColour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

std::optional<int> parseRecordNumber(const QString& text, const QString& groupSeparator) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (!groupSeparator.isEmpty())
        digits.remove(groupSeparator);
    // Beyond nine digits no number can name a record.
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString formatRecordNumber(int number, const QString& groupSeparator) {
    QString text = QString::number(number);
    for (qsizetype at = text.size() - 3; at > (number < 0 ? 1 : 0); at -= 3)
        text.insert(at, groupSeparator);
    return text;
}

QString typeSixStaysOffNotice() {
    return QCoreApplication::translate(
        "korvland::RecordFormat", "A landmark of type 06 stays switched off: give it another type first.");
}

QString typeSixLeftOffNotice(int count) {
    if (count == 1)
        return typeSixStaysOffNotice();
    //: %1 is a number of landmarks, always more than one.
    return QCoreApplication::translate(
               "korvland::RecordFormat",
               "%1 landmarks of type 06 stay switched off: give them another type first.")
        .arg(count);
}

} // namespace korvland
