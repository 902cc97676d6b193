// OpenURL against the real shell: what it shows when an address cannot be
// opened. The message box is read and dismissed from a second thread.
#include "update/open_url.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/version.h"

namespace veloria {
namespace {

struct SeenBox {
    std::string caption;
    std::string text;
    bool warningIcon = false;
    bool found = false;
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

// Waits (at most five seconds) for a message box of this process, reads it
// and presses its OK button.
class MessageBoxReader {
public:
    MessageBoxReader()
        : thread_([this] {
              for (int waited = 0; waited < 100 && !seen_.found; ++waited) {
                  HWND box = nullptr;
                  ::EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&box));
                  if (box != nullptr) {
                      char buffer[1024] = {};
                      ::GetWindowTextA(box, buffer, sizeof(buffer));
                      seen_.caption = buffer;
                      ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
                      seen_.text = buffer;
                      // The icon's control: 0x14 on Windows, 0x440 under Wine.
                      auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0));
                      if (icon == nullptr) {
                          icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
                      }
                      seen_.warningIcon = icon != nullptr && icon == ::LoadIconA(nullptr, IDI_EXCLAMATION);
                      seen_.found = true;
                      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                  }
                  ::Sleep(50);
              }
          })
    {
    }
    ~MessageBoxReader()
    {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    const SeenBox& Seen()
    {
        thread_.join();
        return seen_;
    }

private:
    SeenBox seen_;
    std::thread thread_;
};

TEST(OpenURL, NoBrowserForTheAddressIsReported)
{
    MessageBoxReader reader;
    OpenURL("veloriatest-noscheme:page");
    const SeenBox& box = reader.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, VELORIA_APP_TITLE);
    EXPECT_EQ(box.text, "No Association Found for HTTP Addresses. A Web Browser Should be Installed or Reinstalled.");
    EXPECT_TRUE(box.warningIcon);
}

TEST(OpenURL, AnAddressThatIsNotFoundIsReported)
{
    MessageBoxReader reader;
    OpenURL("C:\\no such folder\\page.veloria");
    const SeenBox& box = reader.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, VELORIA_APP_TITLE);
    EXPECT_EQ(box.text, "The 'C:\\no such folder\\page.veloria' File or Path was Not Found.");
    EXPECT_TRUE(box.warningIcon);
}

}  // namespace
}  // namespace veloria
