// A top-level window (or dialog) of the program laid out for the DPI of
// its monitor.
// It opens on the monitor the user works on (the cursor's), made there at
// that monitor's DPI, inside its work area; a WM_DPICHANGED to another DPI
// gives it the rectangle Windows suggests and lays it out again through the
// derived window's OnScaleChanged(), and one to the DPI it is laid out for
// changes nothing.
#pragma once

#include <windows.h>

#include "base/dialog_base.h"
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

// Called by the window or dialog procedure for every message: true when it
// was a DPI change, taken here: at another DPI the window gets the
// rectangle Windows suggests and `laidOut` lays it out again.
template <typename LayOut>
bool TakeScaleChange(HWND window, DpiScale& scale, UINT message, WPARAM wParam, LPARAM lParam, LayOut laidOut)
{
    if (message != kDpiChangedMessage) {
        return false;
    }
    if (scale.Changes(LOWORD(wParam))) {
        const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
        scale.Set(LOWORD(wParam));
        ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        laidOut();
    }
    return true;
}

// A dialog of the program's laid out for the DPI of its monitor: it lays
// itself out through the derived dialog's OnScaleChanged().
template <typename Derived>
class ScaledDialog : public DialogBase<Derived> {
public:
    bool TakeScaleChange(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return veloria::TakeScaleChange(this->hwnd(), scale_, message, wParam, lParam,
                                        [this] { static_cast<Derived*>(this)->OnScaleChanged(); });
    }

protected:
    // The scale of the cursor's monitor, for the dialog about to show there.
    void ScaleToCursorMonitor()
    {
        cursor_ = CursorPosition();
        scale_.Set(DpiAt(cursor_));
    }

    // Sizes the dialog to `width` x `height` at its scale, in the middle of
    // the work area of the monitor it opens on.
    void PlaceCentred(int width, int height)
    {
        const RECT work = WorkAreaAt(cursor_);
        const Placement at = KeepInside((work.left + work.right - scale_(width)) / 2,
                                        (work.top + work.bottom - scale_(height)) / 2, scale_(width), scale_(height),
                                        work.left, work.top, work.right, work.bottom);
        ::SetWindowPos(this->hwnd(), nullptr, at.left, at.top, scale_(width), scale_(height), SWP_NOZORDER);
    }

    DpiScale scale_;

private:
    POINT cursor_{};
};

template <typename Derived>
class ScaledWindow : public WindowBase<Derived> {
public:
    bool TakeScaleChange(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return veloria::TakeScaleChange(this->hwnd(), scale_, message, wParam, lParam,
                                        [this] { static_cast<Derived*>(this)->OnScaleChanged(); });
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
