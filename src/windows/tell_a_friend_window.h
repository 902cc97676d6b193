// TellAFriend: the invitation page of the maker's site in a resizable,
// translucent window, with a cancel button and the window's own
// translucency slider. One window: a second request shows it again.
#pragma once

#include <windows.h>

#include "base/window_base.h"

namespace veloria {

class TellAFriend;

inline constexpr const wchar_t* kTellAFriendClass = L"VeloriaTellAFriend";

class TellAFriendWindow {
public:
    TellAFriendWindow();
    ~TellAFriendWindow();

    // Opens the window, or shows the open one again.
    void Show(HINSTANCE instance);

private:
    OwnedWindow<TellAFriend> window_;
};

}  // namespace veloria
