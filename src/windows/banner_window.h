// Banner: the sponsor page of the maker's site in a small translucent
// window, shown at every start and after each language choice. Its close
// command is off for a six-second countdown shown in its caption. Two
// picture buttons open the donation page and the tell-a-friend window.
#pragma once

#include <windows.h>

#include "base/window_base.h"
#include "windows/tell_a_friend_window.h"

namespace veloria {

class Banner;

inline constexpr const wchar_t* kBannerClass = L"VeloriaBanner";

class BannerWindow {
public:
    explicit BannerWindow(TellAFriendWindow& tellAFriend);
    ~BannerWindow();

    // Opens the banner with a fresh countdown, or brings the open one
    // forward with its countdown going on. It never takes the focus from
    // the user.
    void Show(HINSTANCE instance);

private:
    TellAFriendWindow& tellAFriend_;  // the window its button opens
    OwnedWindow<Banner> window_;
};

}  // namespace veloria
