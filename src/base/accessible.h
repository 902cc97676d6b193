// What a screen reader hears of a control the system cannot describe by
// itself: its name, its role, its value, and what pressing it does.
//
// The control answers the reader's WM_GETOBJECT with a small accessible
// object of its own, which gives these and leaves everything else (the
// state, the place, the parent, the parts of a slider) to the system's
// standard object for the control, where the system has one. The
// accessibility library is loaded only when a reader first asks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace veloria {

struct AccessibleFacts {
    std::function<std::wstring()> name;   // unset or empty: the system's (the window's text)
    std::function<std::wstring()> value;  // unset: the system's
    long role = 0;                        // a ROLE_SYSTEM_ value; 0: the system's
    std::function<void()> press;          // unset: the system's default action
};

// `control` describes itself by `facts` for as long as it lives; a reader
// that holds on to it afterwards is told the control is gone.
void DescribeForAccessibility(HWND control, AccessibleFacts facts);

// A push button whose caption says too little ("x") named `name`.
void NameButton(HWND button, std::function<std::wstring()> name);

// Tells readers that `control`'s name changed (the level popup's new target).
void TellNameChanged(HWND control) noexcept;

}  // namespace veloria
