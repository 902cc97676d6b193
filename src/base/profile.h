// Reading one value of an INI file through the system's profile functions,
// the way the program reads its settings: a buffer of 255 characters (so at
// most 254 are kept), the fallback for a missing file, section or key, an
// empty text for a key present without a value, names matched in any case.
// A file in the system's code page and one in UTF-16 (with its byte-order
// mark) read alike.
#pragma once

#include <string>

namespace veloria {

std::wstring ReadProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                             const std::wstring& path);

}  // namespace veloria
