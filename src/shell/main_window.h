// The main window "Veloria": created first, never shown, alive until the
// program ends. It owns the single-instance mutex and runs the start-up and
// shut-down of the program. Other windows reach its public operations
// through MainWindow::Instance().
#pragma once

#include <windows.h>

#include "app/handle.h"
#include "app/window_base.h"

namespace veloria {

inline constexpr const char* kMainWindowClass = "Veloria";

class MainWindow : public WindowBase<MainWindow> {
public:
    static MainWindow& Instance();

    // Creates the hidden window; false when the system refuses.
    bool Create(HINSTANCE instance);

    // The start-up. False when another copy of this version runs: the window
    // has then been unloaded and the program should end at once.
    bool Load();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    MainWindow() = default;

    // Start-up steps that later features fill in; each does nothing yet.
    void ListLanguageFiles();
    void LoadLanguageTexts();
    void ShowBanner();
    void AddTrayIcon();
    void SetLanguage();
    void BuildLanguageMenu();
    void RunStartupTasks();

    // Shut-down steps, likewise.
    void RemoveTrayIcon();
    void RestoreTaskbarIfMarked();

    // The shut-down; runs once, whichever way the window goes.
    void Unload();

    KernelHandle instanceMutex_;
    bool unloaded_ = false;
};

}  // namespace veloria
