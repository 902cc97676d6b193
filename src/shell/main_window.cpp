// The main window's start-up and shut-down.
//
// WinMain creates the window and calls Load, which claims the instance
// mutex and runs the start-up steps in their fixed order. The window is
// destroyed by the system (WM_CLOSE, the end of the session) or by the
// program itself; WM_DESTROY runs the shut-down and ends the message loop.
#include "shell/main_window.h"

#include "app/program_folder.h"
#include "app/version.h"
#include "app/version_text.h"
#include "language/language_folder.h"
#include "settings/config_file.h"
#include "update/web_links.h"

namespace veloria {

MainWindow& MainWindow::Instance()
{
    static MainWindow window;
    return window;
}

bool MainWindow::Create(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = kMainWindowClass;
    windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    // A hidden top-level window: it never shows, has no taskbar button, and
    // can still own menus, take the mouse capture and receive the tray's
    // notifications (which a message-only window could not all do).
    return CreateBound(instance, windowClass, WS_EX_TOOLWINDOW, VELORIA_APP_TITLE, WS_POPUP, 0, 0, 0,
                       0, nullptr) != nullptr;
}

bool MainWindow::Load()
{
    const std::string mutexName = InstanceMutexName(VELORIA_PRODUCT_NAME, CurrentVersion());
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, mutexName.c_str());
    const DWORD error = ::GetLastError();
    instanceMutex_.reset(mutex);
    if (error == ERROR_ALREADY_EXISTS) {
        // Another copy of this version runs: end silently, without telling it.
        ::DestroyWindow(hwnd());
        return false;
    }

    WebDomain() = kMakerWebDomain;
    LanguageFolder() = LanguageFolderOf(ProgramFolder());
    CargarConfiguracion();
    ListLanguageFiles();
    LoadLanguageTexts();
    ShowBanner();
    AddTrayIcon();
    SetLanguage();
    BuildLanguageMenu();
    RunStartupTasks();
    return true;
}

void MainWindow::ListLanguageFiles() {}
void MainWindow::LoadLanguageTexts() {}
void MainWindow::ShowBanner() {}
void MainWindow::AddTrayIcon() {}
void MainWindow::SetLanguage() {}
void MainWindow::BuildLanguageMenu() {}
void MainWindow::RunStartupTasks() {}
void MainWindow::RemoveTrayIcon() {}
void MainWindow::RestoreTaskbarIfMarked() {}

void MainWindow::Unload()
{
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    // A duplicate never owned the mutex; its release fails and that is fine.
    if (instanceMutex_) {
        ::ReleaseMutex(instanceMutex_.get());
    }
    instanceMutex_.reset();
    RemoveTrayIcon();
    RestoreTaskbarIfMarked();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            ::DestroyWindow(hwnd());
        }
        return 0;
    case WM_DESTROY:
        Unload();
        ::PostQuitMessage(0);
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace veloria
