#include "settings/setting_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/alpha_rules.h"
#include "base/text_rules.h"

namespace veloria {

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
    const bool plainDecimal = !text.empty() && text.front() != L'+' &&
                              std::all_of(text.begin(), text.end(), [](wchar_t c) {
                                  return (c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' ||
                                         c == L'e' || c == L'E';
                              });
    if (!plainDecimal) {
        return std::nullopt;
    }
    // strtod in the "C" locale the program never leaves: the decimal point
    // is '.'. Out of range, either way, is not a number here.
    std::string copy;
    for (const wchar_t c : text) {
        copy += static_cast<char>(c);  // only the plain characters checked above
    }
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &stop);
    if (errno == ERANGE || stop != copy.c_str() + copy.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
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
