#include "language/language_file.h"

#include <windows.h>

#include "base/file_bytes.h"
#include "base/handle.h"
#include "base/text_encoding.h"
#include "language/ini_text.h"
#include "language/language_folder.h"
#include "language/language_keys.h"

namespace veloria {

namespace {

// A language file is a few kilobytes; only this much of any file is read.
constexpr std::size_t kLargestLanguageFile = 1024 * 1024;

IniText ReadIniText(const std::wstring& path)
{
    return IniText(DecodeTextFile(ReadFileBytes(path, kLargestLanguageFile).value_or(std::string())));
}

void ReadText(const IniText& file, Lang text)
{
    const LanguageKey& key = KeyOf(text);
    LanguageTexts()[static_cast<std::size_t>(text)] = file.Value(key.section, key.key).value_or(key.missing);
}

}  // namespace

void LoadLanguageFrom(const std::wstring& path)
{
    const IniText file = ReadIniText(path);
    for (std::size_t index = 0; index < kLanguageKeyCount; ++index) {
        ReadText(file, static_cast<Lang>(index));
    }
}

void LoadLanguage(const std::wstring& fileName)
{
    LoadLanguageFrom(LanguageFolder() + fileName);
}

void ReadLanguageInfo(const std::wstring& fileName)
{
    const IniText file = ReadIniText(LanguageFolder() + fileName);
    for (Lang text : kLanguageInfoKeys) {
        ReadText(file, text);
    }
}

void ListFiles(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring>& files = LanguageFiles();
    files.clear();
    WIN32_FIND_DATAW found{};
    const FindHandle search(::FindFirstFileW(SearchPattern(folder, pattern).c_str(), &found));
    if (!search) {
        return;
    }
    do {
        // cFileName is NUL-terminated within its array.
        const std::wstring name(found.cFileName, ::wcsnlen(found.cFileName, MAX_PATH));
        if (IsListedName(name)) {
            files.push_back(name);
        }
    } while (::FindNextFileW(search.get(), &found));
}

}  // namespace veloria
