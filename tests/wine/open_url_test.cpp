// OpenURL against the real shell: what it shows when an address cannot be
// opened. The message box is read and dismissed from a second thread.
#include "update/open_url.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace veloria {
namespace {

struct SeenBox {
    std::string caption;
    std::string text;
    bool warningIcon = false;
};

BOOL CALLBACK FindOwnDialog(HWND window, LPARAM context)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (pid == ::GetCurrentProcessId() && std::string(name) == "#32770" && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    return TRUE;
}

// Opens `address` while a second thread waits (five seconds at most) for a
// message box of this process, reads it and presses its OK button.
SeenBox BoxOpening(const std::string& address)
{
    SeenBox seen;
    std::thread reader([&seen] {
        HWND box = nullptr;
        for (int waited = 0; waited < 100 && box == nullptr; ++waited, ::Sleep(50)) {
            ::EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&box));
        }
        if (box == nullptr) {
            return;
        }
        char buffer[1024] = {};
        ::GetWindowTextA(box, buffer, sizeof(buffer));
        seen.caption = buffer;
        ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
        seen.text = buffer;
        // The icon's control: 0x14 on Windows, 0x440 under Wine.
        for (int id : {0x14, 0x440}) {
            const auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
            seen.warningIcon = seen.warningIcon || (icon != nullptr && icon == ::LoadIconA(nullptr, IDI_EXCLAMATION));
        }
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    OpenURL(address);
    reader.join();
    return seen;
}

TEST(OpenURL, WhatTheShellCannotOpenIsReported)
{
    const std::pair<const char*, const char*> cases[] = {
        {"veloriatest-noscheme:page",
         "No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled."},
        {"C:\\no such folder\\page.veloria", "The 'C:\\no such folder\\page.veloria' File or Path was Not Found."},
    };
    for (const auto& [address, text] : cases) {
        const SeenBox box = BoxOpening(address);
        EXPECT_EQ(box.caption, "Veloria 2") << address;
        EXPECT_EQ(box.text, text);
        EXPECT_TRUE(box.warningIcon) << address;
    }
}

}  // namespace
}  // namespace veloria
