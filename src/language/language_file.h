// Reading language files into the table of texts (module SetLanguage).
// Nothing here touches a window: after a load, the caller asks the windows
// concerned to take their texts again.
#pragma once

#include <string>

namespace veloria {

// All 52 texts of `path` into LanguageTexts(); anything missing reads
// "VL_lang_error".
void LoadLanguageFrom(const std::string& path);

// All 52 texts of the language file `fileName` in the language folder (the
// LanguageFile setting, for the language in use).
void LoadLanguage(const std::string& fileName);

// Only the identity texts and their labels of the language file `fileName`
// in the language folder, over those of the language in use.
void ReadLanguageInfo(const std::string& fileName);

// The list of language files: the entries of `folder` matching `pattern`
// into LanguageFiles(), in the order the file system gives them. Folders
// whose names match are listed too.
void ListFiles(const std::string& folder, const std::string& pattern);

}  // namespace veloria
