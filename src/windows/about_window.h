// Abaut: the About window. The product and its version, the maker's web
// address and a credit line, with a slider for the window's own
// translucency. In the skinned look it is cut to its picture and plays the
// program's movie where the Flash player is installed; in the plain look it
// is an ordinary framed window.
#pragma once

#include <windows.h>

#include "base/window_base.h"

namespace veloria {

class Abaut;

inline constexpr const wchar_t* kAboutClass = L"VeloriaAbout";

class AboutWindow {
public:
    AboutWindow();
    ~AboutWindow();

    // Opens the About window, or brings the open one forward.
    void Show(HINSTANCE instance);

private:
    OwnedWindow<Abaut> window_;
};

}  // namespace veloria
