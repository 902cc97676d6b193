// What the program writes to a Run key of the registry to start with
// Windows, and which entries there are its own.
// No Windows header here: this file is also built into the native tests.
#pragma once

#include <string>
#include <string_view>

namespace veloria {

// The command a Run value holds for the program at `path`: the path in
// double quotes when it holds a blank (unquoted, "C:\Program Files\V.exe"
// would let a "C:\Program.exe" start in its place), the path as it is
// otherwise.
std::wstring RunCommandFor(std::wstring_view path);

// Whether the data of a Run value starts the program at `path`: the
// command RunCommandFor gives, or the unquoted path as older saves wrote
// it. Letter case counts, as the comparison always did.
bool IsOwnRunEntry(std::wstring_view data, std::wstring_view path);

}  // namespace veloria
