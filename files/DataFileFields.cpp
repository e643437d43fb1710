#include "files/DataFileFields.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace veldrin {
namespace {

// Beyond this the fast path's integer arithmetic would not be exact.
constexpr double kFastLimit = 9.0e15;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void AppendFixed2(std::string& out, float value) {
    // A float times 100 is exact in a double, and rounding it to the nearest integer with ties
    // to even is what printf does with the exact binary value under the default rounding mode.
    double scaled = static_cast<double>(value) * 100.0;
    if (!(std::fabs(scaled) < kFastLimit)) {
        char buffer[64];
        int length = std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
        out.append(buffer, static_cast<std::size_t>(length));
        return;
    }
    auto hundredths = static_cast<std::uint64_t>(std::fabs(std::nearbyint(scaled)));
    if (std::signbit(value))
        out.push_back('-');
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, hundredths / 100).ptr;
    out.append(digits, end);
    out.push_back('.');
    out.push_back(static_cast<char>('0' + hundredths % 100 / 10));
    out.push_back(static_cast<char>('0' + hundredths % 10));
}

std::string FormatFixed2(float value) {
    std::string text;
    AppendFixed2(text, value);
    return text;
}

void AppendFixed2Padded(std::string& out, float value, std::size_t width) {
    std::size_t start = out.size();
    AppendFixed2(out, value);
    std::size_t length = out.size() - start;
    if (length < width)
        out.insert(start, width - length, ' ');
}

void AppendNumberField(std::string& out, float value) {
    std::size_t start = out.size();
    AppendFixed2(out, value);
    std::size_t length = out.size() - start;
    if (length > kNumberFieldWidth) {
        out.erase(start, length - kNumberFieldWidth);
    } else {
        out.append(kNumberFieldWidth - length, ' ');
    }
}

bool NumberFieldReadsZero(float value) {
    std::string field;
    AppendNumberField(field, value);
    return ParseDecimalField(field) == 0;
}

void AppendLeftAligned(std::string& out, std::string_view text, std::size_t width) {
    out.append(text);
    if (text.size() < width)
        out.append(width - text.size(), ' ');
}

std::string DescriptionForSaving(std::string description) {
    for (char lineBreak : {'\r', '\n'}) {
        auto at = description.find(lineBreak);
        if (at != std::string::npos)
            description[at] = ' ';
    }
    return description;
}

int ParseIntField(std::string_view field) {
    std::size_t at = SkipBlanks(field, 0);
    bool negative = false;
    if (at < field.size() && (field[at] == '-' || field[at] == '+'))
        negative = field[at++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kCap = std::numeric_limits<int>::max();
    for (; at < field.size() && IsDigit(field[at]); ++at) {
        value = value * 10 + (field[at] - '0');
        if (value > kCap)
            value = kCap + 1;
    }
    if (negative)
        value = -value;
    if (value > kCap)
        return std::numeric_limits<int>::max();
    if (value < -kCap - 1)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

double ParseDecimalField(std::string_view field) {
    std::size_t at = SkipBlanks(field, 0);
    bool negative = false;
    if (at < field.size() && (field[at] == '-' || field[at] == '+'))
        negative = field[at++] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;  // significant digits, to know when the exact path below would overflow
    bool anyDigit = false;
    int decimals = 0;
    bool point = false;
    for (; at < field.size(); ++at) {
        char c = field[at];
        if (IsDigit(c)) {
            if (digits >= 15) {
                // Too long for the exact path below: let the C library decide.
                std::string copy(field);
                return std::strtod(copy.c_str(), nullptr);
            }
            anyDigit = true;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (mantissa != 0)
                ++digits;
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;  // nothing converted, not even a sign
    // Both operands are exact, so the quotient is the correctly rounded value, as strtod gives.
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (decimals > 22) {
        std::string copy(field);
        return std::strtod(copy.c_str(), nullptr);
    }
    double value = static_cast<double>(mantissa) / kPowers[decimals];
    return negative ? -value : value;
}

}  // namespace veldrin
