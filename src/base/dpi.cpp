#include "base/dpi.h"

#include "base/late_bound.h"

namespace veloria {

namespace {

// user32's functions of Windows 10 and shcore's of Windows 8.1, looked up
// once; null where the system lacks them. Their types are written here:
// the program is built for Windows Vista's headers, so that nothing newer is
// called by accident.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);
using LoadIconWithScaleDownCall = HRESULT(WINAPI*)(HINSTANCE, const wchar_t*, int, int, HICON*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Call>
Call Find(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Call>(LateBound<void()>(library, name));
}

struct DpiCalls {
    GetDpiForWindowCall ForWindow = Find<GetDpiForWindowCall>(L"user32.dll", "GetDpiForWindow");
    GetDpiForMonitorCall ForMonitor = Find<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
    SystemParametersInfoForDpiCall ParametersForDpi =
        Find<SystemParametersInfoForDpiCall>(L"user32.dll", "SystemParametersInfoForDpi");
    AdjustWindowRectExForDpiCall AdjustForDpi =
        Find<AdjustWindowRectExForDpiCall>(L"user32.dll", "AdjustWindowRectExForDpi");
    GetSystemMetricsForDpiCall MetricsForDpi = Find<GetSystemMetricsForDpiCall>(L"user32.dll", "GetSystemMetricsForDpi");
    SetDialogDpiChangeBehaviorCall DialogBehaviour =
        Find<SetDialogDpiChangeBehaviorCall>(L"user32.dll", "SetDialogDpiChangeBehavior");
    LoadIconWithScaleDownCall IconScaledDown = Find<LoadIconWithScaleDownCall>(L"comctl32.dll", "LoadIconWithScaleDown");
};

const DpiCalls& Calls()
{
    static const DpiCalls calls;
    return calls;
}

// Scales what the system gives at its own DPI to `dpi`.
int FromSystemDpi(int value, UINT dpi)
{
    return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace

UINT SystemDpi()
{
    const WindowDC screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT WindowDpi(HWND window)
{
    const UINT dpi = Calls().ForWindow != nullptr ? Calls().ForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

UINT DpiAt(POINT point)
{
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (Calls().ForMonitor != nullptr && SUCCEEDED(Calls().ForMonitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) {
        return y;
    }
    return SystemDpi();
}

RECT WorkAreaAt(POINT point)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT CursorPosition()
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return cursor;
}

SIZE FrameSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, UINT dpi)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    if (Calls().AdjustForDpi == nullptr || !Calls().AdjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        RECT system{0, 0, 0, 0};
        ::AdjustWindowRectEx(&system, style, FALSE, exStyle);
        frame = {FromSystemDpi(system.left, dpi), FromSystemDpi(system.top, dpi),
                 clientWidth + FromSystemDpi(system.right, dpi), clientHeight + FromSystemDpi(system.bottom, dpi)};
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int SystemMetric(int index, UINT dpi)
{
    return Calls().MetricsForDpi != nullptr ? Calls().MetricsForDpi(index, dpi)
                                             : FromSystemDpi(::GetSystemMetrics(index), dpi);
}

void DpiScale::Set(UINT dpi)
{
    dpi_ = dpi != 0 ? dpi : kBaseDpi;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    bool found = Calls().ParametersForDpi != nullptr &&
                 Calls().ParametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_);
    if (!found && ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = FromSystemDpi(metrics.lfMessageFont.lfHeight, dpi_);
        found = true;
    }
    font_.reset(found ? ::CreateFontIndirectW(&metrics.lfMessageFont) : nullptr);
    if (!font_) {
        LOGFONTW fallback{};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
        fallback.lfHeight = FromSystemDpi(fallback.lfHeight, dpi_);
        font_.reset(::CreateFontIndirectW(&fallback));
    }
}

HICON LoadSmallIcon(HINSTANCE instance, int id, UINT dpi)
{
    const int width = SystemMetric(SM_CXSMICON, dpi);
    const int height = SystemMetric(SM_CYSMICON, dpi);
    HICON icon = nullptr;
    if (Calls().IconScaledDown != nullptr &&
        SUCCEEDED(Calls().IconScaledDown(instance, MAKEINTRESOURCEW(id), width, height, &icon))) {
        return icon;
    }
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
}

void KeepOwnLayout(HWND dialog)
{
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (Calls().DialogBehaviour != nullptr) {
        Calls().DialogBehaviour(dialog, kDisableAll, kDisableAll);
    }
}

namespace {

BOOL CALLBACK SetFont(HWND child, LPARAM font) noexcept
{
    ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

void PlaceWindow(HWND window, const RECT& bounds) noexcept
{
    ::MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

void SetChildFonts(HWND window, HFONT font)
{
    ::EnumChildWindows(window, &SetFont, reinterpret_cast<LPARAM>(font));
}

}  // namespace veloria
