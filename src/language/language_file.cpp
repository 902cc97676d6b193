#include "language/language_file.h"

#include <windows.h>

#include "base/handle.h"
#include "base/profile.h"
#include "language/language_folder.h"
#include "language/language_keys.h"

namespace veloria {

namespace {

void ReadText(Lang text, const std::string& path)
{
    const LanguageKey& key = KeyOf(text);
    LanguageTexts()[static_cast<std::size_t>(text)] = ReadProfileText(key.section, key.key, kMissingText, path);
}

}  // namespace

void LoadLanguageFrom(const std::string& path)
{
    for (std::size_t index = 0; index < kLanguageKeyCount; ++index) {
        ReadText(static_cast<Lang>(index), path);
    }
}

void LoadLanguage(const std::string& fileName)
{
    LoadLanguageFrom(LanguageFolder() + fileName);
}

void ReadLanguageInfo(const std::string& fileName)
{
    const std::string path = LanguageFolder() + fileName;
    for (Lang text : kLanguageInfoKeys) {
        ReadText(text, path);
    }
}

void ListFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string>& files = LanguageFiles();
    files.clear();
    WIN32_FIND_DATAA found{};
    const FindHandle search(::FindFirstFileA(SearchPattern(folder, pattern).c_str(), &found));
    if (!search) {
        return;
    }
    do {
        // cFileName is NUL-terminated within its array.
        const std::string name(found.cFileName, ::strnlen(found.cFileName, sizeof(found.cFileName)));
        if (IsListedName(name)) {
            files.push_back(name);
        }
    } while (::FindNextFileA(search.get(), &found));
}

}  // namespace veloria
