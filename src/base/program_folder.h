// Where the running program lies, as the system reports it: its full path
// ("C:\\Program Files\\Veloria\\veloria.exe") and its folder, without a
// trailing separator ("C:\\Program Files\\Veloria"). Settings and language
// files are found beside the program.
#pragma once

#include <string>

namespace veloria {

std::wstring ProgramPath();
std::wstring ProgramFolder();

}  // namespace veloria
