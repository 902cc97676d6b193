#include "settings/setting_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "base/alpha_rules.h"
#include "base/text_rules.h"

namespace veloria {

namespace {

// The value of `text`: an optional minus, digits with at most one point
// among them, and an optional exponent ("e", a sign, digits); nothing for
// any other text, or a value beyond a double's range either way. Exact
// where the digits and the power of ten are exactly a double's (every
// setting Veloria writes), within a unit of the last place elsewhere.
std::optional<double> DecimalValue(std::wstring_view text)
{
    std::size_t at = 0;
    const auto digitAt = [&text](std::size_t i) { return i < text.size() && text[i] >= L'0' && text[i] <= L'9'; };
    const bool negative = at < text.size() && text[at] == L'-';
    if (negative) {
        ++at;
    }
    std::uint64_t mantissa = 0;
    int significant = 0;
    long exponent = 0;
    bool anyDigit = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (text[at] == L'.' && !point) {
            point = true;
            continue;
        }
        if (!digitAt(at)) {
            break;
        }
        anyDigit = true;
        const auto digit = static_cast<std::uint64_t>(text[at] - L'0');
        if (significant < 19) {
            // 19 digits always fit; the ones after them only scale.
            mantissa = mantissa * 10 + digit;
            significant += mantissa != 0 ? 1 : 0;
            exponent -= point ? 1 : 0;
        } else {
            exponent += point ? 0 : 1;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        ++at;
        const bool down = at < text.size() && text[at] == L'-';
        if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
            ++at;
        }
        if (!digitAt(at)) {
            return std::nullopt;
        }
        long written = 0;
        for (; digitAt(at); ++at) {
            written = std::min(written * 10 + (text[at] - L'0'), 100000L);  // far beyond any double
        }
        exponent += down ? -written : written;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double value = 0;
    if (mantissa <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
        // Both exact: one rounding, as the C library's.
        const auto whole = static_cast<double>(mantissa);
        value = exponent >= 0 ? whole * kExactPowers[exponent] : whole / kExactPowers[-exponent];
    } else {
        long double scaled = static_cast<long double>(mantissa);
        long double power = 10;
        for (long left = exponent < 0 ? -exponent : exponent; left != 0 && scaled != 0; left /= 2, power *= power) {
            if (left % 2 != 0) {
                scaled = exponent < 0 ? scaled / power : scaled * power;
            }
        }
        value = static_cast<double>(scaled);
    }
    if (!std::isfinite(value) || (mantissa != 0 && std::fabs(value) < std::numeric_limits<double>::min())) {
        return std::nullopt;  // beyond the range, or below it
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> ParseSettingNumber(std::wstring_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == L'+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == L'-') {
            return std::nullopt;
        }
    }
    // A setting is written in plain decimal only: no "inf", "nan" or
    // hexadecimal forms, no second sign in front.
    return DecimalValue(text);
}

double ReadNumber(std::wstring_view text, std::wstring_view fallback)
{
    if (const auto value = ParseSettingNumber(text)) {
        return *value;
    }
    return ParseSettingNumber(fallback).value_or(0.0);
}

bool ReadTruthValue(std::wstring_view text, std::wstring_view fallback)
{
    return ReadNumber(text, fallback) != 0.0;
}

bool ReadNumberIsOne(std::wstring_view text, std::wstring_view fallback)
{
    return ReadNumber(text, fallback) == 1.0;
}

std::int32_t ReadWholeNumber(std::wstring_view text, std::wstring_view fallback)
{
    return RoundHalfEven(ReadNumber(text, fallback));
}

std::int16_t ReadShortNumber(std::wstring_view text, std::wstring_view fallback)
{
    const std::int32_t whole = ReadWholeNumber(text, fallback);
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        whole, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace veloria
