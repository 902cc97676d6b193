#include "skin/tool_window.h"

namespace veloria {

WindowShape ToolWindowShape(int clientWidth, int clientHeight)
{
    WindowShape shape;
    shape.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    shape.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, shape.style, FALSE, shape.exStyle);
    shape.width = frame.right - frame.left;
    shape.height = frame.bottom - frame.top;
    return shape;
}

WNDCLASSEXA ToolWindowClass(const char* className)
{
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = className;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    return windowClass;
}

}  // namespace veloria
