#include "skin/tool_window.h"

namespace veloria {

WindowShape FramedShape(DWORD style, DWORD exStyle, int clientWidth, int clientHeight)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {style, exStyle, frame.right - frame.left, frame.bottom - frame.top};
}

WindowShape ToolWindowShape(int clientWidth, int clientHeight)
{
    return FramedShape(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, clientWidth,
                       clientHeight);
}

RECT WorkArea()
{
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
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
