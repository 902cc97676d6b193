#include "language/language_folder.h"

namespace veloria {

std::wstring LanguageFolderOf(const std::wstring& programFolder)
{
    return programFolder + L"/language/";
}

std::wstring& LanguageFolder()
{
    static std::wstring folder;
    return folder;
}

std::vector<std::wstring>& LanguageFiles()
{
    static std::vector<std::wstring> files;
    return files;
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
