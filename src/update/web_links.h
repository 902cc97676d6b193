// The maker's web server, whose host every web address of the program and
// the update check use.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>

namespace veloria {

// The host name set at start-up.
inline constexpr const char* kMakerWebDomain = "veloria.example";

// The host in use; empty until start-up sets it.
std::string& WebDomain();

}  // namespace veloria
