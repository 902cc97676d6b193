#include "transparency/taskbar.h"

#include <windows.h>

#include "base/system_calls.h"
#include "transparency/alpha_blend.h"
#include "transparency/transparency_state.h"

namespace veloria {

namespace {

void Apply(HWND taskbar, std::int16_t level)
{
    if (level != 255) {
        SetWindowAlpha(taskbar, level);
    } else {
        ClearWindowAlpha(taskbar);
    }
}

}  // namespace

void transparenttaskbar(std::int16_t transparentar) noexcept
{
    TransparencyState::Current().taskbarLevel = transparentar;
    // While the shell restarts there is no taskbar: nothing is changed.
    Apply(::FindWindowW(L"Shell_traywnd", nullptr), transparentar);
    for (HWND other = ::FindWindowExW(nullptr, nullptr, L"Shell_SecondaryTrayWnd", nullptr); other != nullptr;
         other = ::FindWindowExW(nullptr, other, L"Shell_SecondaryTrayWnd", nullptr)) {
        Apply(other, transparentar);
    }
}

std::int16_t LastTaskbarLevel() noexcept
{
    return TransparencyState::Current().taskbarLevel;
}

bool TaskbarMayIgnoreLevels() noexcept
{
    // The true version: GetVersionEx answers by the program's manifest.
    static const bool newEngine = [] {
        const auto version = System().RtlGetVersion;
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        return version != nullptr && version(&info) == 0 && info.dwMajorVersion >= 10 && info.dwBuildNumber >= 22621;
    }();
    return newEngine;
}

}  // namespace veloria
