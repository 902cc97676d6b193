// The message loop gives an open modeless dialog the keyboard of a dialog.
#include "base/message_loop.h"

#include <gtest/gtest.h>

#include "base/dialog_base.h"

namespace veloria {
namespace {

// A dialog made from code with two buttons; Cancel closes it.
class TwoButtons : public DialogBase<TwoButtons> {
public:
    HWND first = nullptr;
    HWND second = nullptr;
    bool cancelled = false;

    TwoButtons() { CreateFromCode(nullptr, L"Two buttons", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 160, 80, nullptr); }
    ~TwoButtons() { ::DestroyWindow(hwnd()); }

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_INITDIALOG) {
            for (HWND* button : {&first, &second}) {
                *button = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 90, 30,
                                            hwnd(), nullptr, nullptr, nullptr);
            }
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            cancelled = true;
            ::DestroyWindow(hwnd());
        }
        return FALSE;
    }
};

// Posts the key to the focused control and runs the loop until the queue
// is empty.
void Press(UINT key)
{
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 1);
    ::PostMessageW(::GetFocus(), WM_KEYUP, key, 0xC0000001);
    ::PostQuitMessage(0);
    RunMessageLoop();
}

TEST(MessageLoop, TabMovesTheFocusAndEscCancels)
{
    TwoButtons dialog;
    ::SetFocus(dialog.first);
    Press(VK_TAB);
    EXPECT_EQ(::GetFocus(), dialog.second);
    Press(VK_ESCAPE);
    EXPECT_TRUE(dialog.cancelled);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

}  // namespace
}  // namespace veloria
