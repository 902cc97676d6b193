// MainControl: the pointer window. The user presses on its pointer picture,
// drags to any window of the desktop and releases there; the release picks
// that window (picker.h). The window stays open for the next pick.
#pragma once

#include <windows.h>

#include "base/window_base.h"
#include "transparency/slider_control.h"

namespace veloria {

inline constexpr const wchar_t* kMainControlClass = L"VeloriaMainControl";
inline constexpr int kMainControlLevel = 205;

class MainControl;

class PointerWindow {
public:
    explicit PointerWindow(LevelPopup& levelPopup);
    ~PointerWindow();

    // Opens the pointer window near the cursor, or brings the open one
    // forward.
    void Show(HINSTANCE instance);

private:
    LevelPopup& levelPopup_;  // what a Ctrl pick from it opens
    OwnedWindow<MainControl> window_;
};

}  // namespace veloria
