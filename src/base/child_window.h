// Controls of the program's own windows: a child window with an id, in the
// window's font.
#pragma once

#include <windows.h>

namespace veloria {

inline HWND CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                        const RECT& bounds, HFONT font) noexcept
{
    const HWND child = ::CreateWindowExW(0, windowClass, text, WS_CHILD | style, bounds.left, bounds.top,
                                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace veloria
