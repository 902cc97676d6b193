#include "base/message_loop.h"

#include <algorithm>
#include <vector>

namespace veloria {

namespace {

std::vector<HWND>& ModelessWindows()
{
    return MessageLoop::Current().modeless;
}

}  // namespace

void AddModelessWindow(HWND window)
{
    if (std::find(ModelessWindows().begin(), ModelessWindows().end(), window) == ModelessWindows().end()) {
        ModelessWindows().push_back(window);
    }
}

void RemoveModelessWindow(HWND window)
{
    std::erase(ModelessWindows(), window);
}

bool RouteMessage(MSG& message)
{
    for (HWND window : ModelessWindows()) {
        if (message.hwnd != window && !::IsChild(window, message.hwnd)) {
            continue;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
            const bool forward = ::GetKeyState(VK_SHIFT) >= 0;
            if (::SendMessageW(window, kSwitchPageMessage, forward ? 1 : 0, 0) != 0) {
                return true;
            }
        }
        return ::IsDialogMessageW(window, &message) != FALSE;
    }
    return false;
}

int MessageLoop::Run()
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!RouteMessage(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace veloria
