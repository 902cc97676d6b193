// Reading language files into the table of texts (module SetLanguage).
// Nothing here touches a window: after a load, the caller asks the windows
// concerned to take their texts again.
//
// A language file is UTF-16 or UTF-8 with its byte-order mark, or else
// Windows-1252, whatever the system's code page (text_encoding.h); its
// values are found as the profile functions find them (ini_text.h).
#pragma once

#include <string>

namespace veloria {

// Every text of `path` into LanguageTexts(); anything missing reads as its
// key says (language_keys.h).
void LoadLanguageFrom(const std::wstring& path);

// Every text of the language file `fileName` in the language folder (the
// LanguageFile setting, for the language in use).
void LoadLanguage(const std::wstring& fileName);

// Only the identity texts and their labels of the language file `fileName`
// in the language folder, over those of the language in use.
void ReadLanguageInfo(const std::wstring& fileName);

// The list of language files: the entries of `folder` matching `pattern`
// into LanguageFiles(), in the order the file system gives them. Folders
// whose names match are listed too.
void ListFiles(const std::wstring& folder, const std::wstring& pattern);

}  // namespace veloria
