// The one way the program hands a web address to the user's own browser:
// the shell's "Open" verb, as for the help page. Nothing is said when no
// browser opens.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

void OpenInBrowser(HWND owner, const std::wstring& address);

}  // namespace veloria
