// OpenURL against the real shell: what it shows when an address cannot be
// opened. The message box is read and dismissed from a second thread.
#include "update/open_url.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "aside_thread.h"

namespace veloria {
namespace {

TEST(OpenURL, WhatTheShellCannotOpenIsReported)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"veloriatest-noscheme:page",
         L"No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled."},
        {L"C:\\no such folder\\page.veloria", L"The 'C:\\no such folder\\page.veloria' File or Path was Not Found."},
    };
    for (const auto& [address, expected] : cases) {
        // The box by its caption, its text and its warning icon (a control
        // 0x14 on Windows, 0x440 under Wine), read within five seconds.
        std::wstring seen;
        AsideThread reader([&seen] {
            HWND box = nullptr;
            for (int waited = 0; waited < 100 && box == nullptr; ++waited, ::Sleep(50)) {
                box = ::FindWindowW(L"#32770", (L"Veloria " + std::to_wstring(VELORIA_VERSION_MAJOR)).c_str());
            }
            wchar_t text[1024] = {};
            ::GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));
            bool warning = false;
            for (int id : {0x14, 0x440}) {
                const auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, id, STM_GETICON, 0, 0));
                warning = warning || (icon != nullptr && icon == ::LoadIconW(nullptr, IDI_EXCLAMATION));
            }
            seen = std::wstring(text) + (warning ? L" (warning)" : L"");
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        OpenURL(address);
        reader.join();
        EXPECT_EQ(seen, std::wstring(expected) + L" (warning)");
    }
}

}  // namespace
}  // namespace veloria
