#include "base/dpi.h"

#include "base/system_calls.h"

namespace veloria {

namespace {

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

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
    const UINT dpi = Dpi().ForWindow != nullptr ? Dpi().ForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

UINT DpiAt(POINT point)
{
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (Dpi().ForMonitor != nullptr && SUCCEEDED(Dpi().ForMonitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) {
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
    if (Dpi().AdjustForDpi == nullptr || !Dpi().AdjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        RECT system{0, 0, 0, 0};
        ::AdjustWindowRectEx(&system, style, FALSE, exStyle);
        frame = {FromSystemDpi(system.left, dpi), FromSystemDpi(system.top, dpi),
                 clientWidth + FromSystemDpi(system.right, dpi), clientHeight + FromSystemDpi(system.bottom, dpi)};
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int SystemMetric(int index, UINT dpi)
{
    return Dpi().MetricsForDpi != nullptr ? Dpi().MetricsForDpi(index, dpi)
                                             : FromSystemDpi(::GetSystemMetrics(index), dpi);
}

void DpiScale::Set(UINT dpi)
{
    dpi_ = dpi != 0 ? dpi : kBaseDpi;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    bool found = Dpi().ParametersForDpi != nullptr &&
                 Dpi().ParametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_);
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
    if (Dpi().IconScaledDown != nullptr &&
        SUCCEEDED(Dpi().IconScaledDown(instance, MAKEINTRESOURCEW(id), width, height, &icon))) {
        return icon;
    }
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
}

void KeepOwnLayout(HWND dialog)
{
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (Dpi().DialogBehaviour != nullptr) {
        Dpi().DialogBehaviour(dialog, kDisableAll, kDisableAll);
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
