#include "skin/tool_window.h"

#include "base/dpi.h"

namespace veloria {

WindowShape FramedShape(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, UINT dpi)
{
    const SIZE frame = FrameSize(style, exStyle, clientWidth, clientHeight, dpi);
    return {style, exStyle, frame.cx, frame.cy};
}

WindowShape ToolWindowShape(int clientWidth, int clientHeight, UINT dpi)
{
    return FramedShape(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, clientWidth,
                       clientHeight, dpi);
}

WNDCLASSEXW ToolWindowClass(const wchar_t* className)
{
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = className;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    return windowClass;
}

}  // namespace veloria
