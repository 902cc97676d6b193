// The main window "Veloria": created first, never shown, alive until the
// program ends. It owns the single-instance mutex, the tray icon and its
// popup menu, runs the start-up and shut-down, and offers the operations
// the other windows call (mouseUp, SetLanguage, TargetWindow) through
// MainWindow::Instance().
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/handle.h"
#include "app/window_base.h"
#include "transparency/messenger.h"

namespace veloria {

inline constexpr const char* kMainWindowClass = "Veloria";

// The entries of the tray menu, by position.
enum class MenuEntry : UINT {
    About = 0,
    TellAFriend = 1,
    Taskbar = 3,
    Options = 5,
    Language = 6,
    Help = 8,
    Close = 9,
};

class MainWindow : public WindowBase<MainWindow> {
public:
    static MainWindow& Instance();

    // Creates the hidden window and its menu; false when the system refuses.
    bool Create(HINSTANCE instance);

    // The start-up. False when another copy of this version runs: the window
    // has then been unloaded and the program should end at once.
    bool Load();

    // Picks the outermost window under the cursor and acts on it by the
    // modifier bits (Shift 1, Ctrl 2, Alt 4).
    void mouseUp(std::int16_t tecla);

    // Puts the language texts on the tray menu.
    void SetLanguage();

    HWND TargetWindow() const { return targetWindow_; }
    void SetTargetWindow(HWND window) { targetWindow_ = window; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    MainWindow() = default;

    void BuildMenu();
    void BuildLanguageMenu();
    bool TaskbarMarked() const;
    void SetTaskbarMark(bool marked);

    // Start-up steps.
    void ShowBanner();
    void RunUpdateCheck();
    void ShowTrayIcon();
    void RunStartupTasks();

    // Shut-down.
    void Unload();

    // Tray callbacks and commands.
    bool IsOwnMouseMove(LPARAM lParam) const;
    void OnTrayNotify(UINT mouseMessage);
    void EndTrayPick();
    void OnReleaseWatch();
    void ShowPopupMenu();
    void OnCommand(UINT id);
    void OnTaskbarEntry();
    void OnLanguageEntry(UINT entry);
    void OnHelpEntry();
    void OnCloseEntry();

    HINSTANCE instance_ = nullptr;
    KernelHandle instanceMutex_;
    IconHandle trayIcon_;
    MenuHandle menuPop_;          // the tray popup menu; owns menuLanguage_
    HMENU menuLanguage_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    HWND targetWindow_ = nullptr;
    bool trayPickPending_ = false;  // the left button went down on the icon
    MessengerConnection msnMessenger_;
    bool unloaded_ = false;
};

}  // namespace veloria
