// OpenURL against the real shell: what it shows when an address cannot be
// opened. The message box is read and dismissed from a second thread.
#include "update/open_url.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace veloria {
namespace {

TEST(OpenURL, WhatTheShellCannotOpenIsReported)
{
    const std::pair<const char*, const char*> cases[] = {
        {"veloriatest-noscheme:page",
         "No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled."},
        {"C:\\no such folder\\page.veloria", "The 'C:\\no such folder\\page.veloria' File or Path was Not Found."},
    };
    for (const auto& [address, expected] : cases) {
        // The box by its caption, its text and its warning icon (a control
        // 0x14 on Windows, 0x440 under Wine), read within five seconds.
        std::string seen;
        std::thread reader([&seen] {
            HWND box = nullptr;
            for (int waited = 0; waited < 100 && box == nullptr; ++waited, ::Sleep(50)) {
                box = ::FindWindowA("#32770", ("Veloria " + std::to_string(VELORIA_VERSION_MAJOR)).c_str());
            }
            char text[1024] = {};
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            bool warning = false;
            for (int id : {0x14, 0x440}) {
                const auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, id, STM_GETICON, 0, 0));
                warning = warning || (icon != nullptr && icon == ::LoadIconA(nullptr, IDI_EXCLAMATION));
            }
            seen = std::string(text) + (warning ? " (warning)" : "");
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        OpenURL(address);
        reader.join();
        EXPECT_EQ(seen, std::string(expected) + " (warning)");
    }
}

}  // namespace
}  // namespace veloria
