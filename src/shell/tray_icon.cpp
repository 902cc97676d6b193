#include "shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "base/version.h"

namespace veloria {

namespace {

// The first-version (ANSI) layout of the record: 88 bytes in a 32-bit
// build. A 64-bit build uses the same first-version layout at its 64-bit
// size (pointer-sized handles widen it), NOTIFYICONDATAA_V1_SIZE.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
#ifndef _WIN64
static_assert(kRecordSize == 88, "the first-version record is 88 bytes");
#endif

NOTIFYICONDATAA& Record()
{
    static NOTIFYICONDATAA record{};
    return record;
}

}  // namespace

bool AddTrayIcon(HWND owner, HICON icon)
{
    NOTIFYICONDATAA& record = Record();
    record.cbSize = kRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    // The product name and one space, cut to fit the first-version tip of
    // 64 bytes with its terminating zero.
    const std::string tip = std::string(ProductName()) + " ";
    const std::size_t length = std::min(tip.size(), sizeof(record.szTip) - 1);
    std::copy_n(tip.begin(), length, record.szTip);
    record.szTip[length] = '\0';
    return ::Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
}

void RemoveTrayIcon(HWND owner)
{
    NOTIFYICONDATAA& record = Record();
    record.cbSize = kRecordSize;
    record.hWnd = owner;
    record.uID = kTrayIconId;
    ::Shell_NotifyIconA(NIM_DELETE, &record);
}

}  // namespace veloria
