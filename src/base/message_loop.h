// The program's one message loop.
//
// Each open modeless window (every DialogBase registers itself while it is
// open) gets the keyboard handling of a dialog before a message is
// dispatched: Tab and Shift+Tab move through its controls, Enter presses
// the default button, Esc cancels, Alt with a letter takes the mnemonic.
#pragma once

#include <windows.h>

namespace veloria {

void AddModelessWindow(HWND window);
void RemoveModelessWindow(HWND window);

// Offers `message` to the modeless window it is meant for; true when that
// window took it as dialog keyboard input, which then must not be dispatched.
bool RouteMessage(MSG& message);

// Runs until WM_QUIT; gives its exit code.
int RunMessageLoop();

}  // namespace veloria
