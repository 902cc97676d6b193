// MainControl: the pointer window. The user presses on its pointer picture,
// drags to any window of the desktop and releases there; the release picks
// that window (picker.h). The window stays open for the next pick.
#pragma once

#include <windows.h>

namespace veloria {

inline constexpr const wchar_t* kMainControlClass = L"VeloriaMainControl";
inline constexpr int kMainControlLevel = 205;

// Opens the pointer window near the cursor, or brings the open one forward.
void ShowMainControl(HINSTANCE instance);

}  // namespace veloria
