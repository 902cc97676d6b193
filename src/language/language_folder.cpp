#include "language/language_folder.h"

#include "language/language_state.h"

namespace veloria {

std::wstring LanguageFolderOf(const std::wstring& programFolder)
{
    return programFolder + L"/language/";
}

std::wstring& LanguageFolder()
{
    return LanguageState::Current().folder;
}

std::vector<std::wstring>& LanguageFiles()
{
    return LanguageState::Current().files;
}

std::wstring SearchPattern(const std::wstring& folder, std::wstring_view pattern)
{
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    path += pattern;
    return path;
}

bool IsListedName(std::wstring_view name)
{
    return name != L"." && name != L"..";
}

}  // namespace veloria
