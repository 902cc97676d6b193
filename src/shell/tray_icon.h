// SystemTray_Icon: the program's icon in the notification area.
//
// One notification record is kept and reused for every call. Its mouse
// events come back to the owning window as message 512 (WM_MOUSEMOVE) with
// the icon's id in wParam and the mouse message in lParam.
#pragma once

#include <windows.h>

#include <string>

namespace veloria {

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// Adds the icon, tooltip "Veloria ", for `owner`. Also used to put the icon
// back after the shell restarted. False when the shell refused it (at logon
// the tray may not be there yet).
bool AddTrayIcon(HWND owner, HICON icon);

// Gives the icon of `owner` another picture (a new scale).
void ChangeTrayIcon(HWND owner, HICON icon);

// A balloon from the icon of `owner`: a warning titled `title` saying
// `text` (each cut to what the shell takes).
void ShowTrayBalloon(HWND owner, const std::wstring& title, const std::wstring& text);

// Removes the icon of `owner`.
void RemoveTrayIcon(HWND owner);

}  // namespace veloria
