// TellAFriend: the invitation page of the maker's site in a resizable,
// translucent window, with a cancel button and the window's own
// translucency slider. One window: a second request shows it again.
#pragma once

#include <windows.h>

namespace veloria {

inline constexpr const wchar_t* kTellAFriendClass = L"VeloriaTellAFriend";

void ShowTellAFriend(HINSTANCE instance);

}  // namespace veloria
