// The DPI a window is laid out for, and what goes with it: the frame, the
// system's metrics and the system's message font at that DPI, and the work
// area of the monitor a point lies on.
//
// The functions that know a monitor's own DPI came with Windows 8.1 and 10;
// they are looked up when first needed, and where they are missing the
// system's DPI stands in (every monitor then has it).
#pragma once

#include <windows.h>

#include "base/dpi_rules.h"
#include "base/handle.h"

namespace veloria {

// WM_DPICHANGED (Windows 8.1): wParam the new DPI twice, lParam the
// window rectangle Windows suggests for it.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

UINT SystemDpi();

// The DPI of the monitor `window` is on.
UINT WindowDpi(HWND window);

// The DPI of the monitor nearest to `point`, for a window about to open there.
UINT DpiAt(POINT point);

// The work area (the monitor less its taskbars) of the monitor nearest to `point`.
RECT WorkAreaAt(POINT point);

// The cursor's position.
POINT CursorPosition();

// A window rectangle whose client area is clientWidth x clientHeight, for
// `style` and `exStyle` at `dpi`, with its top-left corner at (0, 0) of the
// frame; right and bottom are the window's width and height.
SIZE FrameSize(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, UINT dpi);

// GetSystemMetrics at `dpi`.
int SystemMetric(int index, UINT dpi);

// The icon resource `id` at the small-icon size of `dpi`, scaled down from
// its largest picture (comctl32 6); null when there is none.
HICON LoadSmallIcon(HINSTANCE instance, int id, UINT dpi);

// A window's scale: its DPI and the message font (the font Windows uses for
// dialogs and message boxes) at that DPI. Sizes written for 96 DPI go
// through it.
class DpiScale {
public:
    DpiScale() = default;
    DpiScale(const DpiScale&) = delete;
    DpiScale& operator=(const DpiScale&) = delete;

    // Lays out for `dpi` from now on; the font is made anew.
    void Set(UINT dpi);

    UINT dpi() const { return dpi_; }
    // Whether a WM_DPICHANGED to `dpi` changes anything: one to the DPI the
    // window is laid out for (a window moved back, or made on a monitor of
    // another scale and moved to its own) keeps its size and layout; the
    // rectangle it suggests would scale the window once more.
    bool Changes(UINT dpi) const { return dpi != dpi_; }
    int operator()(int value96) const { return ScaleForDpi(value96, static_cast<int>(dpi_)); }
    RECT operator()(const RECT& rect96) const
    {
        return {(*this)(rect96.left), (*this)(rect96.top), (*this)(rect96.right), (*this)(rect96.bottom)};
    }
    HFONT font() const { return font_.get(); }

private:
    UINT dpi_ = kBaseDpi;
    GdiObject<HFONT> font_;
};

// A dialog that lays itself out again at a new DPI: Windows (10 and later)
// is asked to leave its size, controls and fonts to it.
void KeepOwnLayout(HWND dialog);

// Moves and sizes `window` to `bounds` (in its parent's client pixels).
void PlaceWindow(HWND window, const RECT& bounds) noexcept;

// Puts `font` on every child of `window`, and their children.
void SetChildFonts(HWND window, HFONT font);

}  // namespace veloria
