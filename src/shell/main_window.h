// The main window "Veloria": created first, never shown, alive until the
// program ends. It owns the single-instance mutex, the tray icon and its
// popup menu, runs the start-up and shut-down, and receives the tray's
// notifications.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/handle.h"
#include "base/window_base.h"
#include "shell/tray_menu.h"
#include "transparency/alpha_blend.h"
#include "transparency/main_control.h"
#include "transparency/messenger.h"
#include "transparency/slider_control.h"
#include "windows/about_window.h"
#include "windows/banner_window.h"
#include "windows/options_dialog.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {

inline constexpr const wchar_t* kMainWindowClass = L"Veloria";

// The program's other windows, each held by its owner, which the main
// window opens; made in this order, they end in the reverse one.
struct OtherWindows {
    LevelPopup levelPopup;
    PointerWindow pointer{levelPopup};
    AboutWindow about;
    TellAFriendWindow tellAFriend;
    BannerWindow banner{tellAFriend};
    OptionsWindow options;
};

class MainWindow final : public WindowBase<MainWindow>, public OptionsHost, public RefusalListener {
public:
    explicit MainWindow(OtherWindows& windows) : windows_(windows) {}
    ~MainWindow() = default;

    // Creates the hidden window and its menu; false when the system refuses.
    bool Create(HINSTANCE instance);

    // The start-up. False when another copy of this version runs: the window
    // has then been unloaded and the program should end at once.
    bool Load();

    // The end of a drag from the tray icon: hands the pick over with the
    // modifier bits (Shift 1, Ctrl 2, Alt 4).
    void mouseUp(std::int16_t tecla);

    // Puts the language texts on the tray menu.
    void SetLanguage() override;

    // The check mark of the taskbar entry: the program's only record of a
    // translucent taskbar.
    void SetTaskbarMark(bool marked) override;
    HWND Window() const override { return hwnd(); }
    // Registers the keys in use (a key another program holds is told once)
    // and sets the wheel's hook while the wheel is on.
    void KeysChanged() override;

    // A window Windows would not let the program change: the user hears
    // why, from the tray icon, with the window's caption.
    void Refused(HWND window, AlphaChange why) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:

    void BuildMenu();
    void BuildLanguageMenu();
    bool TaskbarMarked() const;

    // Start-up steps.
    void ShowBanner();
    void RunUpdateCheck();
    void LoadTrayIcon();
    void ShowTrayIcon();
    bool AddIcon();
    void OnTrayRetry();
    void RunStartupTasks();

    // Shut-down.
    void Unload();
    void CloseOtherWindows() const;

    // Tray callbacks and commands.
    bool IsOwnMouseMove(LPARAM lParam) const;
    void OnTrayNotify(UINT mouseMessage);
    void EndTrayPick();
    void OnReleaseWatch();
    // At the pointer; from the keyboard at the icon, and the focus back on
    // the notification area when it is left without a choice.
    void ShowPopupMenu(bool fromKeyboard);
    void OnCommand(UINT id);
    void OnMenuEntry(TrayCommand command);
    void OnTaskbarEntry();
    void LookAtTaskbars(bool again = true);
    void OnLanguageEntry(UINT entry);
    void OnHelpEntry();
    void OnCloseEntry();
    void OnHotKey(WPARAM id);

    // A second look at the taskbars a while after the shell or the monitors
    // changed: the shell makes the other monitors' taskbars after the first.
    static constexpr UINT_PTR kTaskbarLookTimer = 4;
    static constexpr UINT kTaskbarLookMs = 3000;
    // The keys' ids for RegisterHotKey, in KeyAction order from here.
    static constexpr int kHotKeyBase = 1;
    static constexpr UINT kWheelStepMessage = WM_APP + 0x20;
    static constexpr UINT kTaskbarEntry = TrayMenuPosition(TrayCommand::Taskbar);

    OtherWindows& windows_;
    HINSTANCE instance_ = nullptr;
    KernelHandle instanceMutex_;
    IconHandle trayIcon_;
    MenuHandle menuPop_;          // the tray popup menu; owns menuLanguage_
    HMENU menuLanguage_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    int trayRetriesLeft_ = 0;       // while the shell has not taken the icon
    bool trayPickPending_ = false;  // the left button went down on the icon
    bool mouseMenuOpen_ = false;    // the menu a right click opened is on show
    DWORD mouseMenuEnded_ = 0;      // when it was closed (GetTickCount)
    MessengerConnection msnMessenger_;
    bool unloaded_ = false;
    bool duplicate_ = false;     // another copy of this version runs
    bool taskbarTold_ = false;   // that this Windows may not show the taskbar's level
    std::vector<std::wstring> keysTold_;     // keys another program held
    std::vector<HWND> clickThroughTold_;     // windows told how to undo click-through
};

}  // namespace veloria
