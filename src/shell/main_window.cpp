// The main window: start-up, shut-down and the tray icon's callbacks (the
// tray menu is in main_window_menu.cpp, the keys in main_window_keys.cpp).
//
// WinMain creates the window and calls Load, which claims the instance
// mutex and runs the start-up steps in their fixed order. The tray icon
// reports its mouse events as WM_MOUSEMOVE; a right button-up pops the menu
// up, whose choice is carried out as soon as it closes. The window is
// destroyed by the Close entry or by the system (WM_CLOSE, the end of the
// session); WM_DESTROY runs the shut-down and ends the message loop.
#include "shell/main_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "base/dpi.h"
#include "base/system_calls.h"
#include "base/program_folder.h"
#include "base/resource.h"
#include "base/shell_open.h"
#include "base/version.h"
#include "language/language_file.h"
#include "language/language_folder.h"
#include "language/language_keys.h"
#include "settings/config_file.h"
#include "settings/hot_key_layouts.h"
#include "settings/hot_keys.h"
#include "settings/settings_record.h"
#include "shell/tray_icon.h"
#include "transparency/alpha_blend.h"
#include "transparency/key_actions.h"
#include "transparency/main_control.h"
#include "transparency/pick_rules.h"
#include "transparency/picker.h"
#include "transparency/program_watch.h"
#include "transparency/taskbar.h"
#include "update/auto_update.h"
#include "update/update_checks.h"
#include "update/web_links.h"
#include "windows/about_window.h"
#include "windows/banner_window.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {

namespace {

// Watches for the end of a drag from the tray icon.
constexpr UINT_PTR kReleaseWatchTimer = 1;
constexpr UINT kReleaseWatchMs = 20;

// Tries again to add the icon the shell refused at start (at logon the
// tray may come up after the programs that start with Windows): every two
// seconds for ten minutes, after which only a new taskbar brings it back.
constexpr UINT_PTR kTrayRetryTimer = 2;

// The start-up's last tasks (messenger, update check, taskbar) run once
// the program is up and idle: the banner and the tray icon come first.
constexpr UINT_PTR kStartupTasksTimer = 3;
constexpr UINT kTrayRetryMs = 2000;
constexpr int kTrayRetries = 300;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) noexcept
{
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// Whether a copy of another version runs beside this one.
bool AnotherVersionRuns()
{
    for (HWND other = ::FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); other != nullptr;
         other = ::FindWindowExW(nullptr, other, kMainWindowClass, nullptr)) {
        DWORD process = 0;
        if (::GetWindowThreadProcessId(other, &process) != 0 && process != ::GetCurrentProcessId()) {
            return true;
        }
    }
    return false;
}

// The modifier keys as the keyboard stands now.
std::int16_t KeyboardModifiers()
{
    const auto held = [](int key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; };
    return ModifierBits(held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU));
}

}  // namespace

void MainWindow::Refused(HWND window, AlphaChange why)
{
    const Lang reason = why == AlphaChange::AccessDenied    ? Lang::LANG_BALLOON_REFUSED_ADMIN
                        : why == AlphaChange::SelfDrawn     ? Lang::LANG_BALLOON_REFUSED_SELFDRAWN
                        : why == AlphaChange::NotResponding ? Lang::LANG_BALLOON_REFUSED_HUNG
                                                            : Lang::LANG_BALLOON_REFUSED_OTHER;
    wchar_t caption[128] = {};
    ::GetWindowTextW(window, caption, 128);
    std::wstring text = LanguageText(reason);
    if (caption[0] != L'\0') {
        text = L"\u201C" + std::wstring(caption) + L"\u201D\n" + text;
    }
    ShowTrayBalloon(hwnd(), LanguageText(Lang::LANG_BALLOON_REFUSED_TITLE), text);
}

bool MainWindow::Create(HINSTANCE instance)
{
    instance_ = instance;
    WNDCLASSEXW windowClass{};
    windowClass.lpszClassName = kMainWindowClass;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELORIA));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    // A hidden top-level window: it never shows, has no taskbar button, and
    // can still own menus, take the mouse capture and receive the tray's
    // notifications (which a message-only window could not all do).
    if (CreateBound(instance, windowClass, WS_EX_TOOLWINDOW, AppTitle(), WS_POPUP, 0, 0, 0, 0,
                    nullptr) == nullptr) {
        return false;
    }
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    // Run as administrator, the window would not hear of a restart of the
    // shell, which runs as the user: the message is let through from it.
    if (const auto filter = System().ChangeWindowMessageFilterEx) {
        constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
        filter(hwnd(), taskbarCreatedMessage_, kAllow, nullptr);
    }
    BuildMenu();
    return true;
}

bool MainWindow::Load()
{
    const std::wstring mutexName = InstanceMutexName(ProductName(), CurrentVersion());
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, mutexName.c_str());
    const DWORD error = ::GetLastError();
    instanceMutex_.reset(mutex);
    if (error == ERROR_ALREADY_EXISTS) {
        // Another copy of this version runs: end silently, without telling
        // it and without touching anything it changed.
        duplicate_ = true;
        ::DestroyWindow(hwnd());
        return false;
    }

    TellRefusalsTo(this);
    WebDomain() = kMakerWebDomain;
    LanguageFolder() = LanguageFolderOf(ProgramFolder());
    CargarConfiguracion();
    ListFiles(LanguageFolder(), L"*.ini");
    LoadLanguage(LanguageFileName(Settings()));
    ShowBanner();
    ShowTrayIcon();
    if (!ConfigFileRewritable()) {
        ShowTrayBalloon(hwnd(), LanguageText(Lang::LANG_BALLOON_CONFIG_READONLY_TITLE),
                        LanguageText(Lang::LANG_BALLOON_CONFIG_READONLY, ConfigFilePath(ProgramFolder())));
    }
    SetLanguage();
    BuildLanguageMenu();
    ::SetTimer(hwnd(), kStartupTasksTimer, USER_TIMER_MINIMUM, nullptr);
    // The unlock of the session is told to the window, for the wheel's hook.
    if (const auto notify = System().RegisterSessionNotification) {
        notify(hwnd(), NOTIFY_FOR_THIS_SESSION);
    }
    return true;
}

void MainWindow::ShowBanner()
{
    windows_.banner.Show(instance_);
}

void MainWindow::RunUpdateCheck()
{
    RunStartupUpdateCheck();
}

// The icon at the small-icon size of the current scale, scaled down from
// the program's picture.
void MainWindow::LoadTrayIcon()
{
    trayIcon_.reset(LoadSmallIcon(instance_, IDI_VELORIA, WindowDpi(hwnd())));
}

bool MainWindow::AddIcon()
{
    if (!AddTrayIcon(hwnd(), trayIcon_.get())) {
        return false;
    }
    AskForTrayKeys(hwnd());
    return true;
}

void MainWindow::ShowTrayIcon()
{
    LoadTrayIcon();
    if (!AddIcon()) {
        trayRetriesLeft_ = kTrayRetries;
        ::SetTimer(hwnd(), kTrayRetryTimer, kTrayRetryMs, nullptr);
    }
}

void MainWindow::OnTrayRetry()
{
    if (AddIcon() || --trayRetriesLeft_ <= 0) {
        ::KillTimer(hwnd(), kTrayRetryTimer);
    }
}

void MainWindow::RunStartupTasks()
{
    // A run that ended without its shut-down (ended from Task Manager, a
    // crash, the power) left its click-through and on-top on other
    // programs' windows: they get their clicks and their place back, their
    // levels kept. A copy of another version running beside this one keeps
    // its own.
    if (!AnotherVersionRuns()) {
        EndEveryClickThroughAndOnTop();
    }
    // Without the messenger component this does nothing, silently.
    msnMessenger_.Connect();
    RunUpdateCheck();
    if (TaskbarTranslucentAtStart(Settings())) {
        transparenttaskbar(TaskbarLevel(Settings()));
        SetTaskbarMark(true);
    }
    KeysChanged();
    // Remembered programs: their windows open now, then every new one.
    WatchRememberedPrograms();
    OfferLevelToOpenWindows();
}

void MainWindow::mouseUp(std::int16_t tecla)
{
    PickWindowAtCursor(instance_, tecla, windows_.levelPopup);
}

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
    if (duplicate_) {
        return;  // the tray, the taskbar and the windows are the running copy's
    }
    RemoveTrayIcon(hwnd());
    if (menuPop_ && TaskbarMarked()) {
        transparenttaskbar(255);
    }
    // A check still running shows nothing any more; then the program's
    // other windows go, without their fades, and with them the controls
    // they host, so that no COM object outlives OLE.
    EndUpdateChecks();
    StopWatchingPrograms();
    WatchWheel(hwnd(), kWheelStepMessage, false, 0);
    if (const auto unregister = System().UnregisterSessionNotification) {
        unregister(hwnd());
    }
    if (RestoresOnExit(Settings())) {
        ClearEveryChangedWindow();  // levels and click-through alike
    }
    EndEveryClickThroughAndOnTop();
    TellRefusalsTo(nullptr);
    CloseOtherWindows();
    msnMessenger_.Disconnect();
}

void MainWindow::CloseOtherWindows() const
{
    std::vector<HWND> open;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&open));
    for (HWND window : open) {
        // The program's own windows only, not those the system keeps for
        // the thread (its input method's, say).
        if (window != hwnd() && ::IsWindow(window) &&
            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE)) == instance_) {
            ::DestroyWindow(window);
        }
    }
}

// While the window holds the capture it gets real mouse moves too, under
// the same message number as the icon's notifications. A real move carries
// the cursor's client position in lParam; a notification carries a mouse
// message there, which could only match with the cursor at the screen's top
// edge, never over the icon.
bool MainWindow::IsOwnMouseMove(LPARAM lParam) const
{
    const DWORD position = ::GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(hwnd(), &point);
    return lParam == MAKELPARAM(point.x, point.y);
}

void MainWindow::OnTrayNotify(UINT mouseMessage)
{
    constexpr UINT kKeySelect = NIN_SELECT | NINF_KEY;  // Enter or Space on the icon
    // The menu key, or the shell's word that follows a right click, which
    // has opened the menu already.
    constexpr DWORD kRightClickFollowsMs = 1000;
    switch (mouseMessage) {
    case kKeySelect:
        windows_.pointer.Show(instance_);
        break;
    case WM_CONTEXTMENU:
        if (!mouseMenuOpen_ && ::GetTickCount() - mouseMenuEnded_ >= kRightClickFollowsMs) {
            ShowPopupMenu(true);
        }
        break;
    case WM_LBUTTONDOWN:
        ::ReleaseCapture();
        ::SetCapture(hwnd());
        // A drag from the icon ends wherever the button comes up. The
        // capture brings that release here where the system lets it; the
        // watch catches it where the system gives it to the window below.
        trayPickPending_ = true;
        ::SetTimer(hwnd(), kReleaseWatchTimer, kReleaseWatchMs, nullptr);
        break;
    case WM_LBUTTONUP:
        EndTrayPick();
        break;
    case WM_LBUTTONDBLCLK:
        windows_.pointer.Show(instance_);
        break;
    case WM_RBUTTONUP:
        ShowPopupMenu(false);
        break;
    default:
        break;
    }
}

void MainWindow::EndTrayPick()
{
    trayPickPending_ = false;
    ::KillTimer(hwnd(), kReleaseWatchTimer);
    ::ReleaseCapture();
    mouseUp(KeyboardModifiers());
}

void MainWindow::OnReleaseWatch()
{
    // The drag is made with the primary button, whose messages say "left";
    // the state of the buttons is told by their places, so for a
    // left-handed user (buttons swapped) it is the right one.
    const int primary = ::GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    if ((::GetAsyncKeyState(primary) & 0x8000) != 0) {
        return;
    }
    if (trayPickPending_) {
        EndTrayPick();
    } else {
        ::KillTimer(hwnd(), kReleaseWatchTimer);
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreatedMessage_ && message != 0) {
        // The shell restarted: the icon is the only way in, so put it back,
        // at the size of the scale now in use; a translucent taskbar gets
        // its level again on the new taskbar.
        LoadTrayIcon();
        if (AddIcon()) {
            ::KillTimer(hwnd(), kTrayRetryTimer);
        }
        LookAtTaskbars();
        return 0;
    }
    switch (message) {
    case kTrayCallbackMessage:
        if (!IsOwnMouseMove(lParam)) {
            OnTrayNotify(LOWORD(lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        // The button came up elsewhere while the window held the capture
        // taken at the icon's button-down: that ends a drag from the icon.
        if (trayPickPending_ && ::GetCapture() == hwnd()) {
            EndTrayPick();
        }
        return 0;
    case WM_TIMER:
        if (wParam == kReleaseWatchTimer) {
            OnReleaseWatch();
        } else if (wParam == kTrayRetryTimer) {
            OnTrayRetry();
        } else if (wParam == kStartupTasksTimer) {
            ::KillTimer(hwnd(), kStartupTasksTimer);
            RunStartupTasks();
        } else if (wParam == kTaskbarLookTimer) {
            ::KillTimer(hwnd(), kTaskbarLookTimer);
            LookAtTaskbars(false);
        }
        return 0;
    case WM_DISPLAYCHANGE:
        // A monitor came or went: its taskbar follows the others.
        LookAtTaskbars();
        return 0;
    case WM_HOTKEY:
        OnHotKey(wParam);
        return 0;
    case WM_POWERBROADCAST:
        // After sleep Windows may have taken the wheel's hook away.
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            RenewWheelHook();
        }
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_UNLOCK) {
            RenewWheelHook();
        }
        return 0;
    case kWheelStepMessage:
        StepWindowLevel(PickableWindow(::WindowFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})),
                        wParam != 0 ? 1 : -1);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case kDpiChangedMessage:
        // The scale changed: the tray icon at its new size.
        LoadTrayIcon();
        ChangeTrayIcon(hwnd(), trayIcon_.get());
        return 0;
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
