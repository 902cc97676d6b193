// SystemTray_Icon: the program's icon in the notification area.
//
// One notification record is kept and reused for every call. Its mouse
// events come back to the owning window as message 512 (WM_MOUSEMOVE) with
// the icon's id in wParam and the mouse message in lParam; so do its keys,
// where the shell tells them (NIN_KEYSELECT for Enter and Space on the
// icon, WM_CONTEXTMENU for Shift+F10 and the menu key, which also follows
// every right click).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace veloria {

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// Adds the icon, tooltip "Veloria ", for `owner`. Also used to put the icon
// back after the shell restarted. False when the shell refused it (at logon
// the tray may not be there yet).
bool AddTrayIcon(HWND owner, HICON icon);

// Asks the shell to tell the icon's keys too (after each add). A shell that
// will not tells the menu key as a right click.
void AskForTrayKeys(HWND owner);

// The middle of the icon on the screen, where the shell says.
std::optional<POINT> TrayIconPlace(HWND owner);

// The keyboard's focus back on the notification area, after a menu opened
// from the keyboard was left without a choice.
void GiveFocusBackToTray(HWND owner);

// Gives the icon of `owner` another picture (a new scale).
void ChangeTrayIcon(HWND owner, HICON icon);

// A balloon from the icon of `owner`: a warning titled `title` saying
// `text` (each cut to what the shell takes).
void ShowTrayBalloon(HWND owner, const std::wstring& title, const std::wstring& text);

// Removes the icon of `owner`.
void RemoveTrayIcon(HWND owner);

}  // namespace veloria
