// Where the language files lie: the program's folder followed by
// "/language/". The folder path is taken as the system reports it and the
// text is appended unchanged; the system accepts the mixed separators.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>

namespace veloria {

std::string LanguageFolderOf(const std::string& programFolder);

// The folder in use; empty until start-up sets it.
std::string& LanguageFolder();

}  // namespace veloria
