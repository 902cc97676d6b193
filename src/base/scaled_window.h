// A top-level window of the program laid out for the DPI of its monitor.
// It opens on the monitor the user works on (the cursor's), made there at
// that monitor's DPI, inside its work area; a WM_DPICHANGED to another DPI
// gives it the rectangle Windows suggests and lays it out again through the
// derived window's OnScaleChanged(), and one to the DPI it is laid out for
// changes nothing.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "base/window_base.h"

namespace veloria {

// A window's styles and its whole size, frame included, at its DPI.
struct WindowShape {
    DWORD style = 0;
    DWORD exStyle = 0;
    int width = 0;
    int height = 0;
};

// Where in the cursor's monitor's work area a window opens.
struct Opening {
    enum Kind { Centred, BottomRight, ByCursor } kind = Centred;
    POINT offset96{};  // BottomRight: the margin; ByCursor: from the cursor to the top-left corner
};

template <typename Derived>
class ScaledWindow : public WindowBase<Derived> {
public:
    // Called by the window procedure for every message: true when it was a
    // DPI change, handled here.
    bool TakeScaleChange(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != kDpiChangedMessage) {
            return false;
        }
        if (scale_.Changes(LOWORD(wParam))) {
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            scale_.Set(LOWORD(wParam));
            ::SetWindowPos(this->hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                           suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            static_cast<Derived*>(this)->OnScaleChanged();
        }
        return true;
    }

protected:
    // The scale of the cursor's monitor, for the window about to open there.
    void ScaleToCursorMonitor()
    {
        cursor_ = CursorPosition();
        scale_.Set(DpiAt(cursor_));
    }

    // Creates the window of `shape` (at the scale just taken) where it opens.
    HWND Open(HINSTANCE instance, const WNDCLASSEXW& windowClass, const wchar_t* title, const WindowShape& shape,
              Opening opening) noexcept
    {
        const RECT work = WorkAreaAt(cursor_);
        int left = (work.left + work.right - shape.width) / 2;
        int top = (work.top + work.bottom - shape.height) / 2;
        if (opening.kind == Opening::BottomRight) {
            left = work.right - shape.width - scale_(opening.offset96.x);
            top = work.bottom - shape.height - scale_(opening.offset96.y);
        } else if (opening.kind == Opening::ByCursor) {
            left = cursor_.x - scale_(opening.offset96.x);
            top = cursor_.y - scale_(opening.offset96.y);
        }
        const Placement at =
            KeepInside(left, top, shape.width, shape.height, work.left, work.top, work.right, work.bottom);
        return this->CreateBound(instance, windowClass, shape.exStyle, title, shape.style, at.left, at.top,
                                 shape.width, shape.height, nullptr);
    }

    DpiScale scale_;

private:
    POINT cursor_{};
};

}  // namespace veloria
