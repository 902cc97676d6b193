// Where bytes from outside become the UTF-16 text the program works in:
// text files are told apart by their first bytes, never by the system's
// code page, so a file reads the same on every Windows.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>

namespace veloria {

// UTF-16 LE after its byte-order mark (FF FE), UTF-8 after its mark
// (EF BB BF), anything else as Windows-1252. Bytes that make no character
// become U+FFFD; the marks themselves are left out.
std::wstring DecodeTextFile(std::string_view bytes);

}  // namespace veloria
