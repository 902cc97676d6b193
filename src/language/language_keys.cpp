#include "language/language_keys.h"

namespace veloria {

LanguageTable& LanguageTexts()
{
    static LanguageTable texts;
    return texts;
}

const std::wstring& LanguageText(Lang text)
{
    return LanguageTexts()[static_cast<std::size_t>(text)];
}

}  // namespace veloria
