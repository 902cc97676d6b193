// The folder the running program lies in, as the system reports it, without
// a trailing separator ("C:\Program Files\Veloria"). Settings and language
// files are found beside the program.
#pragma once

#include <string>

namespace veloria {

std::string ProgramFolder();

}  // namespace veloria
