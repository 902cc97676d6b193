#include "transparency/taskbar.h"

#include <windows.h>

#include "transparency/alpha_blend.h"

namespace veloria {

void transparenttaskbar(std::int16_t transparentar) noexcept
{
    // While the shell restarts there is no taskbar: the calls then fail
    // without a word, as they should.
    const HWND taskbar = ::FindWindowW(L"Shell_traywnd", nullptr);
    if (transparentar != 255) {
        SetWindowAlpha(taskbar, transparentar);
    } else {
        ClearWindowAlpha(taskbar);
    }
}

}  // namespace veloria
