// Reading one value of an INI file through the system's profile functions,
// the way the program reads all of its files: a buffer of 255 characters
// (so at most 254 are kept), the fallback for a missing file, section or
// key, an empty text for a key present without a value, names matched in
// any case.
#pragma once

#include <string>

namespace veloria {

std::string ReadProfileText(const char* section, const char* key, const char* fallback, const std::string& path);

}  // namespace veloria
