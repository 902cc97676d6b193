// Entry point: create the hidden main window, run the start-up, then idle in
// the message loop until the main window is gone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "base/message_loop.h"
#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // One thread, one apartment: the messenger's events arrive on it, and
    // the web browser control needs OLE, not just COM.
    const HRESULT ole = ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int result = 0;
    veloria::MainWindow& mainWindow = veloria::MainWindow::Instance();
    if (!mainWindow.Create(instance)) {
        result = 1;
    } else if (mainWindow.Load()) {
        result = veloria::RunMessageLoop();
    }
    if (SUCCEEDED(ole)) {
        ::OleUninitialize();
    }
    return result;
}
