// Where the language files lie: the program's folder followed by
// "/language/". The folder path is taken as the system reports it and the
// text is appended unchanged; the system accepts the mixed separators.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veloria {

std::wstring LanguageFolderOf(const std::wstring& programFolder);

// The folder in use; empty until start-up sets it.
std::wstring& LanguageFolder();

// LanguageFiles: the names found in the folder at start-up, in the order
// the file system gave them.
std::vector<std::wstring>& LanguageFiles();

// What the listing asks the system for: the folder, a backslash unless it
// ends in one already, then the pattern ("C:\x/language/\*.ini": the
// system accepts the mixed separators).
std::wstring SearchPattern(const std::wstring& folder, std::wstring_view pattern);

// Whether a name the listing returns goes into the list: all but "." and "..".
bool IsListedName(std::wstring_view name);

}  // namespace veloria
