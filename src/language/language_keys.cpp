#include "language/language_keys.h"

#include "language/language_state.h"

namespace veloria {

LanguageTable& LanguageTexts()
{
    return LanguageState::Current().texts;
}

const std::wstring& LanguageText(Lang text)
{
    return LanguageTexts()[static_cast<std::size_t>(text)];
}

std::wstring LanguageText(Lang text, std::wstring_view value)
{
    std::wstring filled = LanguageText(text);
    if (const std::size_t at = filled.find(L"%1"); at != std::wstring::npos) {
        filled.replace(at, 2, value);
    }
    return filled;
}

}  // namespace veloria
