#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "base/system_calls.h"
#include "base/version.h"

namespace veloria {

namespace {

// The first-version layout of the record, in its UTF-16 form: 152 bytes
// in a 32-bit build (pointer-sized handles widen it in a 64-bit one), which
// every Windows takes.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V1_SIZE;
#ifndef _WIN64
static_assert(kRecordSize == 152, "the first-version record is 152 bytes");
#endif

// The record naming the icon of `owner`, with `flags` for what it carries.
NOTIFYICONDATAW Record(HWND owner, UINT flags, DWORD size = kRecordSize)
{
    NOTIFYICONDATAW record{};
    record.cbSize = size;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = flags;
    return record;
}

// Copies `text` into a field of the record, cut to fit with its zero.
template <std::size_t N>
void CopyCut(const std::wstring& text, wchar_t (&field)[N])
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field);
    field[length] = L'\0';
}

}  // namespace

bool AddTrayIcon(HWND owner, HICON icon)
{
    NOTIFYICONDATAW record = Record(owner, NIF_MESSAGE | NIF_ICON | NIF_TIP);  // 7
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    // The product name and one space, cut to fit the first-version tip of
    // 64 characters with its terminating zero.
    CopyCut(std::wstring(ProductName()) + L" ", record.szTip);
    return ::Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

void AskForTrayKeys(HWND owner)
{
    // Version 3 keeps the mouse's messages as they are (4 would change them).
    NOTIFYICONDATAW record = Record(owner, 0, NOTIFYICONDATAW_V2_SIZE);
    record.uVersion = NOTIFYICON_VERSION;
    ::Shell_NotifyIconW(NIM_SETVERSION, &record);
}

std::optional<POINT> TrayIconPlace(HWND owner)
{
    RECT place{};
    const SystemCalls::TrayIconIdentity icon{sizeof(icon), owner, kTrayIconId, GUID{}};
    if (const auto placeOf = System().TrayIconPlace; placeOf == nullptr || FAILED(placeOf(&icon, &place))) {
        return std::nullopt;
    }
    return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

void GiveFocusBackToTray(HWND owner)
{
    NOTIFYICONDATAW record = Record(owner, 0, NOTIFYICONDATAW_V2_SIZE);
    ::Shell_NotifyIconW(NIM_SETFOCUS, &record);
}

void ChangeTrayIcon(HWND owner, HICON icon)
{
    NOTIFYICONDATAW record = Record(owner, NIF_ICON);
    record.hIcon = icon;
    ::Shell_NotifyIconW(NIM_MODIFY, &record);
}

void ShowTrayBalloon(HWND owner, const std::wstring& title, const std::wstring& text)
{
    // The record as Windows 2000 and later know it: it holds a balloon.
    NOTIFYICONDATAW record = Record(owner, NIF_INFO, NOTIFYICONDATAW_V2_SIZE);
    record.dwInfoFlags = NIIF_WARNING;
    CopyCut(title, record.szInfoTitle);
    CopyCut(text, record.szInfo);
    ::Shell_NotifyIconW(NIM_MODIFY, &record);
}

void RemoveTrayIcon(HWND owner)
{
    NOTIFYICONDATAW record = Record(owner, 0);
    ::Shell_NotifyIconW(NIM_DELETE, &record);
}

}  // namespace veloria
