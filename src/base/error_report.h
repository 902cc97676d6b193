// Telling the user what went wrong: the system's own words for an error
// code, and a message box in the program's name.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

// "Access is denied" for 5; "error N" where the system has no text.
std::wstring SystemErrorText(DWORD error);

// A message box with the program's title, an OK button and `icon`
// (MB_ICONWARNING, MB_ICONERROR...), owned by `owner`.
void ShowMessage(HWND owner, const std::wstring& text, UINT icon);

}  // namespace veloria
