// Entry point: create the hidden main window, run the start-up, then idle in
// the message loop until the main window is gone.
#include <windows.h>

#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    veloria::MainWindow& mainWindow = veloria::MainWindow::Instance();
    if (!mainWindow.Create(instance)) {
        return 1;
    }
    if (!mainWindow.Load()) {
        return 0;
    }
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
