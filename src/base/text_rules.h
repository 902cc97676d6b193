// Small rules for names and values read from files: blanks around them,
// letter case, short numbers.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veloria {

inline bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The text without the spaces and tabs at either end, as the profile
// functions drop them.
inline std::wstring_view TrimBlanks(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The small letter of a capital, for the scripts names mostly use (Latin,
// Greek, Cyrillic); anything else as it is.
wchar_t FoldedLetter(wchar_t c);

// Whether two names are the same, letter case aside.
bool SameLetters(std::wstring_view a, std::wstring_view b);

// One to three decimal digits and nothing else.
std::optional<unsigned> ShortDecimal(std::wstring_view digits);

// `value` in decimal digits, a minus sign before a negative one; what
// std::to_wstring gives, without the C library's formatting that it costs.
std::wstring DecimalText(long long value);

}  // namespace veloria
