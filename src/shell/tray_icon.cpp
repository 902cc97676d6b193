#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

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

NOTIFYICONDATAW& Record()
{
    static NOTIFYICONDATAW record{};
    return record;
}

}  // namespace

bool AddTrayIcon(HWND owner, HICON icon)
{
    NOTIFYICONDATAW& record = Record();
    record.cbSize = kRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    // The product name and one space, cut to fit the first-version tip of
    // 64 characters with its terminating zero.
    const std::wstring tip = std::wstring(ProductName()) + L" ";
    const std::size_t length = std::min(tip.size(), std::size(record.szTip) - 1);
    std::copy_n(tip.begin(), length, record.szTip);
    record.szTip[length] = L'\0';
    return ::Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

void ChangeTrayIcon(HWND owner, HICON icon)
{
    NOTIFYICONDATAW& record = Record();
    record.cbSize = kRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_ICON;
    record.hIcon = icon;
    ::Shell_NotifyIconW(NIM_MODIFY, &record);
}

void RemoveTrayIcon(HWND owner)
{
    NOTIFYICONDATAW& record = Record();
    record.cbSize = kRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &record);
}

}  // namespace veloria
