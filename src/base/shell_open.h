// The one way the program hands an address to the shell: its "open" verb,
// which gives a web address to the user's own browser. Each caller says
// what a failure means to the user.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

// Asks the shell to open `address`; gives the shell's answer (above 32
// when it did, else the reason).
long long OpenWithShell(HWND owner, const std::wstring& address);

// The same where nothing is said when no browser opens (the help page, a
// page's link).
inline void OpenInBrowser(HWND owner, const std::wstring& address)
{
    OpenWithShell(owner, address);
}

}  // namespace veloria
