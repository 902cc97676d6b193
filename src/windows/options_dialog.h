// Opciones: the options dialog, modeless, one at a time.
//
// Its six tabs show the nine settings, the language files' identities and
// the running version; OK and Apply save them (Config.ini and the Run
// value), Cancel keeps only what changed live (the taskbar). The dialog
// asks the main window for the two things it owns through OptionsHost.
#pragma once

#include <windows.h>

#include "base/window_base.h"

namespace veloria {

// What the options dialog needs of the main window.
class OptionsHost {
public:
    // Puts the language texts in use on the tray menu.
    virtual void SetLanguage() = 0;
    // The check mark of the tray menu's taskbar entry.
    virtual void SetTaskbarMark(bool marked) = 0;
    // The main window, owner of the messages the dialog shows for it.
    virtual HWND Window() const = 0;
    // The keys and the wheel as the settings now give them.
    virtual void KeysChanged() = 0;

protected:
    ~OptionsHost() = default;
};

class OptionsDialog;

class OptionsWindow {
public:
    OptionsWindow();
    ~OptionsWindow();

    // Opens the dialog, or brings the open one forward.
    void Show(HINSTANCE instance, OptionsHost& host);

private:
    OwnedWindow<OptionsDialog> window_;
};

}  // namespace veloria
