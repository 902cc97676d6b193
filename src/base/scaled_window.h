// A top-level window (or dialog) of the program laid out for the DPI of
// its monitor.
// It opens on the monitor the user works on (the cursor's), made there at
// that monitor's DPI, inside its work area; a WM_DPICHANGED to another DPI
// gives it the rectangle Windows suggests and lays it out again through the
// derived window's OnScaleChanged(), and one to the DPI it is laid out for
// changes nothing. A window with a look of its own takes a change of the
// system's colours or of its high-contrast theme through OnLookChanged().
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

// What a scaled window and a scaled dialog share: the scale, taken from
// the monitor the cursor is on, and the place there where one opens.
template <typename Base>
class MonitorScale : public Base {
protected:
    // The scale of the cursor's monitor, for the window about to open there.
    void ScaleToCursorMonitor()
    {
        cursor_ = CursorPosition();
        scale_.Set(DpiAt(cursor_));
    }

    // Where a window `width` x `height` (at its scale, frame included)
    // opens in the work area of the cursor's monitor.
    Placement PlaceFor(int width, int height, Opening opening) const
    {
        const RECT work = WorkAreaAt(cursor_);
        int left = (work.left + work.right - width) / 2;
        int top = (work.top + work.bottom - height) / 2;
        if (opening.kind == Opening::BottomRight) {
            left = work.right - width - scale_(opening.offset96.x);
            top = work.bottom - height - scale_(opening.offset96.y);
        } else if (opening.kind == Opening::ByCursor) {
            left = cursor_.x - scale_(opening.offset96.x);
            top = cursor_.y - scale_(opening.offset96.y);
        }
        return KeepInside(left, top, width, height, work.left, work.top, work.right, work.bottom);
    }

    DpiScale scale_;

private:
    POINT cursor_{};
};

// A dialog of the program's laid out for the DPI of its monitor: it lays
// itself out through the derived dialog's OnScaleChanged().
template <typename Derived>
class ScaledDialog : public MonitorScale<DialogBase<Derived>> {
public:
    bool TakeScaleChange(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return veloria::TakeScaleChange(this->hwnd(), this->scale_, message, wParam, lParam,
                                        [this] { static_cast<Derived*>(this)->OnScaleChanged(); });
    }

protected:
    // Sizes the dialog to `width` x `height` at 96 DPI, scaled, in the
    // middle of the work area of the monitor it opens on.
    void PlaceCentred(int width, int height)
    {
        const int w = this->scale_(width);
        const int h = this->scale_(height);
        const Placement at = this->PlaceFor(w, h, {});
        ::SetWindowPos(this->hwnd(), nullptr, at.left, at.top, w, h, SWP_NOZORDER);
    }
};

template <typename Derived>
class ScaledWindow : public MonitorScale<WindowBase<Derived>> {
public:
    bool TakeScaleChange(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if constexpr (requires(Derived& window) { window.OnLookChanged(); }) {
            if (message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST)) {
                static_cast<Derived*>(this)->OnLookChanged();  // and the window's own handling goes on
            }
        }
        return veloria::TakeScaleChange(this->hwnd(), this->scale_, message, wParam, lParam,
                                        [this] { static_cast<Derived*>(this)->OnScaleChanged(); });
    }

protected:
    // Creates the window of `shape` (at the scale just taken) where it opens.
    HWND Open(HINSTANCE instance, const WNDCLASSEXW& windowClass, const wchar_t* title, const WindowShape& shape,
              Opening opening) noexcept
    {
        const Placement at = this->PlaceFor(shape.width, shape.height, opening);
        return this->CreateBound(instance, windowClass, shape.exStyle, title, shape.style, at.left, at.top,
                                 shape.width, shape.height, nullptr);
    }
};

}  // namespace veloria
