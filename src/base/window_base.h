// The shape every window of the program shares: a struct holding the
// window's state, bound to its HWND at WM_NCCREATE and unbound at
// WM_NCDESTROY, with one member HandleMessage doing the work. No exception
// leaves a window procedure: one that escapes the handler is swallowed and
// the message gets the default treatment.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

#include "base/message_loop.h"

namespace veloria {

template <typename Derived>
class WindowBase {
public:
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    WindowBase() = default;
    ~WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Registers the class once per process (a second registration of the
    // same class fails harmlessly) and creates the window bound to `this`.
    HWND CreateBound(HINSTANCE instance, WNDCLASSEXW windowClass, DWORD exStyle, const wchar_t* title,
                     DWORD style, int x, int y, int width, int height, HWND parent) noexcept
    {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &WindowBase::Procedure;
        windowClass.hInstance = instance;
        ::RegisterClassExW(&windowClass);
        return ::CreateWindowExW(exStyle, windowClass.lpszClassName, title, style, x, y, width, height,
                                 parent, nullptr, instance, this);
    }

    // Shows an open window again, on top, where it stands.
    void BringForward() noexcept
    {
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(static_cast<WindowBase*>(create->lpCreateParams));
            self->hwnd_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        // A window that takes a dialog's keys says so (kTakesDialogKeys):
        // the message loop offers them to it while it is open.
        constexpr bool takesDialogKeys = requires { Derived::kTakesDialogKeys; };
        if constexpr (takesDialogKeys) {
            if (message == WM_CREATE) {
                AddModelessWindow(window);
            }
        }
        LRESULT result = 0;
        try {
            // A window laid out for its monitor's DPI takes a change of it
            // in its base (scaled_window.h).
            if constexpr (requires { self->TakeScaleChange(message, wParam, lParam); }) {
                if (self->TakeScaleChange(message, wParam, lParam)) {
                    return 0;
                }
            }
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            result = ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            if constexpr (takesDialogKeys) {
                RemoveModelessWindow(window);
            }
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

// One of the program's windows, one at a time: its object is made at its
// first show and ends with its holder, the window destroyed first if it is
// still open. The program's owner holds them all (through the windows'
// own small owners), so that they end in the order it shows.
template <typename Window>
class OwnedWindow {
public:
    OwnedWindow() = default;
    ~OwnedWindow()
    {
        if (window_ && window_->hwnd() != nullptr) {
            ::DestroyWindow(window_->hwnd());
        }
    }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    template <typename... Arguments>
    Window& Get(Arguments&&... arguments)
    {
        if (!window_) {
            window_ = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        }
        return *window_;
    }

private:
    std::unique_ptr<Window> window_;
};

}  // namespace veloria
