// Blanks around a name or a value, as the profile functions drop them.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string_view>

namespace veloria {

inline bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The text without the spaces and tabs at either end.
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

}  // namespace veloria
