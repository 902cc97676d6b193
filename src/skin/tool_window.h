// The plain look the pointer window and the level popup share: a small
// always-on-top tool window with a caption and a close box, the dialog
// face colour and the arrow cursor.
#pragma once

#include <windows.h>

#include "base/scaled_window.h"

namespace veloria {

// The shape of a window of `style` and `exStyle` whose client area is
// clientWidth x clientHeight, with the frame of `dpi`.
WindowShape FramedShape(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, UINT dpi);

// The shape of a tool window whose client area is clientWidth x clientHeight.
WindowShape ToolWindowShape(int clientWidth, int clientHeight, UINT dpi);

// A window class of the dialog face and the arrow cursor, named
// `className`: the tool windows' and that of the program's other windows.
WNDCLASSEXW ToolWindowClass(const wchar_t* className);

}  // namespace veloria
