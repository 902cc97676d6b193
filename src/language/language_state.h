// The language in use: its texts, the folder its files lie in and the files
// found there. One is held by the program's owner; the language's readers
// below reach it.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <vector>

#include "base/installed.h"
#include "language/language_keys.h"

namespace veloria {

struct LanguageState : Installed<LanguageState> {
    LanguageTable texts;  // empty until a language is loaded
    std::wstring folder;  // empty until start-up sets it
    std::vector<std::wstring> files;
};

}  // namespace veloria
