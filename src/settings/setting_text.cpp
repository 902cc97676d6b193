#include "settings/setting_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/alpha_rules.h"

namespace veloria {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<double> ParseSettingNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    // from_chars would also take "inf", "nan" and hexadecimal forms; a
    // setting is written in plain decimal only.
    const bool plainDecimal = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' ||
               c == 'E';
    });
    if (!plainDecimal) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double ReadNumber(std::string_view text, std::string_view fallback)
{
    if (const auto value = ParseSettingNumber(text)) {
        return *value;
    }
    return ParseSettingNumber(fallback).value_or(0.0);
}

bool ReadTruthValue(std::string_view text, std::string_view fallback)
{
    return ReadNumber(text, fallback) != 0.0;
}

bool ReadNumberIsOne(std::string_view text, std::string_view fallback)
{
    return ReadNumber(text, fallback) == 1.0;
}

std::int32_t ReadWholeNumber(std::string_view text, std::string_view fallback)
{
    return RoundHalfEven(ReadNumber(text, fallback));
}

std::int16_t ReadShortNumber(std::string_view text, std::string_view fallback)
{
    const std::int32_t whole = ReadWholeNumber(text, fallback);
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        whole, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace veloria
