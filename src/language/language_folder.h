// Where the language files lie: the program's folder followed by
// "/language/". The folder path is taken as the system reports it and the
// text is appended unchanged; the system accepts the mixed separators.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veloria {

std::string LanguageFolderOf(const std::string& programFolder);

// The folder in use; empty until start-up sets it.
std::string& LanguageFolder();

// LanguageFiles: the names found in the folder at start-up, in the order
// the file system gave them.
std::vector<std::string>& LanguageFiles();

// What the listing asks the system for: the folder, a backslash unless it
// ends in one already, then the pattern ("C:\x/language/\*.ini": the
// system accepts the mixed separators).
std::string SearchPattern(const std::string& folder, std::string_view pattern);

// Whether a name the listing returns goes into the list: all but "." and "..".
bool IsListedName(std::string_view name);

}  // namespace veloria
