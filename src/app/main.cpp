// Entry point: create the hidden main window, run the start-up, then idle in
// the message loop until the main window is gone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>

#include "base/late_bound.h"
#include "base/message_loop.h"
#include "shell/main_window.h"

// An exception that escapes everything ends the program at once. The
// runtime's own handler would first print the exception's demangled type
// to a console this program does not have, and would bring its name
// demangler (some 45 KB) into the program for that.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Before anything loads a library by name.
    veloria::LoadLibrariesFromTheSystemOnly();
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
